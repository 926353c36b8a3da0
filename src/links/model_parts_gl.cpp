// model_parts_gl.cpp -- drawing of a built-in model's solids, one link at a time
#include "links/model_parts.h"

// the solids of one link, in order
void ModelDrawLink(const ModelParts* m, int link) {
  for (int k = 0; k < m->n; k++)
    if (m->link[k] == link && m->P[k]) JwDrawPrimitive(m->P[k]);
}
