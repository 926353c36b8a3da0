// model_ee.cpp -- what every built-in model's end effectors share: the "None" hand, the
// transposed frame, the standard destroy, draw and edit procedures, and the drawer slots
#include "links/model_ee.h"

#include <stdlib.h>  // for: free()
#include <string.h>  // for: strncpy()

#include "graphics/primitives.h"  // for: JwFreePrimitive()

//------------------------------------------------------------------ module state
static EEDrawProc ee_drawers[EEDrawSlots];   // GL functions behind the forwarding draws

//------------------------------------------------------------------ end-effector helpers
static void Identity(Matrix m) {
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) m[i][j] = (i == j) ? 1.0f : 0.0f;
}

// the "None" end effector: identity Qee and Qee_gl, type 0, no procedures
void NothingInitEE(EndEffectorPtr ee) {
  Identity(ee->Qee);
  Identity(ee->Qee_gl);
  ee->type = 0;
  strncpy(ee->name, "None", sizeof(ee->name));
  ee->DestroyProc = nullptr;
  ee->DrawProc = nullptr;
  ee->EditProc = nullptr;
}

// Qee_gl[i][j] = Qee[j][i]
void MakeQee_gl(EndEffectorPtr ee) {
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) ee->Qee_gl[i][j] = ee->Qee[j][i];
}

// free the nP solids of P, then P, then v (and clear them)
void StdDestroyEE(EndEffectorPtr ee) {
  for (int i = 0; i < ee->nP; i++) JwFreePrimitive(ee->P[i]);
  free(ee->P);
  free(ee->v);
  ee->nP = 0;  ee->P = nullptr;  ee->nv = 0;  ee->v = nullptr;
}

// draw P[0] ... P[nP - 1] in order
void StdDrawEE(EndEffectorPtr ee) { CallEEDrawer(EEDrawStd, ee); }

// nothing
void StdEditEE(EndEffectorPtr) {}

//------------------------------------------------------------------ drawing registration
void NoDrawLink(void) {}

void SetEEDrawer(int slot, EEDrawProc f) {
  if (slot >= 0 && slot < EEDrawSlots) ee_drawers[slot] = f;
}

void CallEEDrawer(int slot, EndEffectorPtr ee) {
  if (slot >= 0 && slot < EEDrawSlots && ee_drawers[slot]) ee_drawers[slot](ee);
}
