// links.cpp -- generic link bodies, the default end effector and the geometry registry
#include "links/links.h"
#include "links/Puma560.h"

#include <string.h>  // for: strcmp(), strncpy()

//------------------------------------------------------------------ registry and module state
GeomMatch geomlinks[] = {
  {"Puma560", Puma560Links, Puma560Init, Puma560Destroy, Puma560EElist},
};
const int ngeomlinks = (int)(sizeof(geomlinks)/sizeof(geomlinks[0]));

static void (*destroyer)(Robot) = nullptr;   // Destroy of the row matched last
static EEDrawProc ee_drawers[EEDrawSlots];   // GL functions behind the forwarding draws

//------------------------------------------------------------------ generic bodies
void MakeLinks(int, Link*, float, int) {}
void RemakeLinks(int n, Link* L, float rad, int geom) { MakeLinks(n, L, rad, geom); }
void MakeDownRevoluteLink(Link*, int) {}
void MakeDownPrismaticLink(Link*, int) {}
void MakeUpRevoluteLink(Link*, int) {}
void MakeUpPrismaticLink(Link*, int) {}
void MakeEE(DefaultEE* dEE, float, float, float) { dEE->h1 = dEE->h2 = dEE->h3 = nullptr; }
void FreeEE(DefaultEE* dEE) { dEE->h1 = dEE->h2 = dEE->h3 = nullptr; }

//------------------------------------------------------------------ registry lookup
// first row named exactly as the robot: Init, remember Destroy, attach links and EElist,
// then the first end effector of the row's list whose type equals robot->EE.type
void LinkMatchName(Robot r) {
  for (int i = 0; i < ngeomlinks; i++) {
    GeomMatch* g = &geomlinks[i];
    if (strcmp(r->name, g->name) != 0) continue;
    g->Init(r);
    destroyer = g->Destroy;
    r->links = g->links;
    r->EElist = g->EElist;
    for (EEData* e = g->EElist; e && e->name; e++) {
      if (e->type != r->EE.type) continue;
      e->InitProc(&r->EE);
      strncpy(r->EE.name, e->name, sizeof(r->EE.name) - 1);
      r->EE.name[sizeof(r->EE.name) - 1] = '\0';
      break;
    }
    return;
  }
}

// Destroy of the row matched last, once; then forgotten
void FreeFullGeom(Robot r) {
  if (!destroyer) return;
  void (*d)(Robot) = destroyer;
  destroyer = nullptr;
  d(r);
}

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
