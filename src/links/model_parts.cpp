// model_parts.cpp -- the solid list of a built-in model: each solid with the link that draws it
#include "links/model_parts.h"
#include "graphics/misc.h"
#include "links/model_ee.h"

#include <stdio.h>  // for: fprintf()

//------------------------------------------------------------------ public API
// append p, drawn by the given link; a full list frees p and keeps the list (returns NULL)
JwPrimitive ModelAdd(ModelParts* m, int link, JwPrimitive p) {
  if (m->n >= ModelMaxParts) {
    fprintf(stderr, "model solid list full: a solid of link %d is dropped\n", link);
    JwFreePrimitive(p);
    return nullptr;
  }
  m->P[m->n] = p;
  m->link[m->n] = link;
  m->n++;
  return p;
}

// free every solid; n = 0
void ModelFreeParts(ModelParts* m) {
  for (int k = 0; k < m->n; k++) {
    JwFreePrimitive(m->P[k]);
    m->P[k] = nullptr;
  }
  m->n = 0;
}

// number of solids drawn by a link
int ModelLinkParts(const ModelParts* m, int link) {
  int c = 0;
  for (int k = 0; k < m->n; k++) c += (m->link[k] == link);
  return c;
}

// v' = T(x, y, z) Rz(rz) Ry(ry) Rx(rx) v: the call made last acts first, so the translation
// is called first and the x rotation last
JwPrimitive Put(JwPrimitive p, float x, float y, float z, float rx, float ry, float rz) {
  JwBgnEditPrimitive(p);
  if (x != 0.0f || y != 0.0f || z != 0.0f) JwEditTranslate(x, y, z);
  if (rz != 0.0f) JwEditRot(rz, 'z');
  if (ry != 0.0f) JwEditRot(ry, 'y');
  if (rx != 0.0f) JwEditRot(rx, 'x');
  JwEndEditPrimitive();
  return p;
}

// end effector of nP solids and one opening value: Qee identity with translation (x, y, z)
void ModelInitEE(EndEffectorPtr ee, int type, int nP, float opening, float x, float y, float z,
                 void (*draw)(EndEffectorPtr)) {
  ee->type = type;
  ee->nP = nP;
  ee->P = (JwPrimitive*)JwMalloc(nP*sizeof(JwPrimitive));
  for (int i = 0; i < nP; i++) ee->P[i] = nullptr;
  ee->nv = 1;
  ee->v = (float*)JwMalloc(sizeof(float));
  ee->v[0] = opening;
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) ee->Qee[i][j] = (i == j) ? 1.0f : 0.0f;
  ee->Qee[0][3] = x;  ee->Qee[1][3] = y;  ee->Qee[2][3] = z;
  MakeQee_gl(ee);
  ee->DestroyProc = StdDestroyEE;
  ee->DrawProc = draw;
  ee->EditProc = StdEditEE;
}

// gripper palm and two fingers of size s into P[0..2] (material 4)
void ModelGripper(EndEffectorPtr ee, float s, int wide, JwColor palm, JwColor finger) {
  ee->P[0] = wide ? JwDefTamsellGripperHFR(s, 4, palm) : JwDefTamsellGripperH(s, 4, palm);
  ee->P[1] = JwDefTamsellGripperF1(s, 4, finger);
  ee->P[2] = JwDefTamsellGripperF2(s, 4, finger);
}
