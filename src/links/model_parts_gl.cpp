// model_parts_gl.cpp -- drawing of a built-in model's solids, one link at a time
#include "links/model_parts.h"
#include "graphics/light.h"

// a solid whose mesh kind takes the current material gets its own first
void ModelDrawSolid(JwPrimitive p) {
  if (!p) return;
  if (p->nu > 0 && !JwKindSetsMaterial(p->U[0]->kind)) {
    JwMatType(p->U[0]->mat);
    JwMatColorOpaque((JwColor)p->U[0]->color);
  }
  JwDrawPrimitive(p);
}

// the solids of one link, in order
void ModelDrawLink(const ModelParts* m, int link) {
  for (int k = 0; k < m->n; k++)
    if (m->link[k] == link) ModelDrawSolid(m->P[k]);
}
