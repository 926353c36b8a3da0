// Puma560_gl.cpp -- drawing functions of the Puma560 model and its hand
#include "links/Puma560.h"
#include "links/model_parts.h"
#include "graphics/primitives.h"

#include <GL/gl.h>  // for: glPushMatrix(), glTranslatef(), glPopMatrix()

//------------------------------------------------------------------ static helpers
// a solid of the model in its own colour; nothing while the model is not built
static void Draw(JwPrimitive p) { ModelDrawSolid(p); }

//------------------------------------------------------------------ link drawing
// the solids of s that part k draws (0 base, 1 ... 6 the links; link 5 has none)
void Puma560DrawPart(const Puma560Solids* s, int k) {
  JwPrimitive p[Puma560PartMax];
  int n = Puma560PartSolids(s, k, p);
  for (int i = 0; i < n; i++) Draw(p[i]);
}

static void base() { Puma560DrawPart(&puma560, 0); }
static void link1() { Puma560DrawPart(&puma560, 1); }
static void link2() { Puma560DrawPart(&puma560, 2); }
static void link3() { Puma560DrawPart(&puma560, 3); }
static void link4() { Puma560DrawPart(&puma560, 4); }
static void link5() {}
static void link6() { Puma560DrawPart(&puma560, 6); }

// palm, then finger 1 moved by the opening along +y and finger 2 along -y
static void ZDrawEE_gl(EndEffectorPtr ee) {
  if (ee->nP < 3 || !ee->P) return;
  float o = (ee->nv > 0 && ee->v) ? ee->v[0] : 0.0f;
  Draw(ee->P[0]);
  glPushMatrix();
    glTranslatef(0, o, 0);
    Draw(ee->P[1]);
  glPopMatrix();
  glPushMatrix();
    glTranslatef(0, -o, 0);
    Draw(ee->P[2]);
  glPopMatrix();
}

//------------------------------------------------------------------ registration
// fill Puma560Links and the ZDrawEE drawer
void RegisterPuma560Drawing(void) {
  LinkDrawProc procs[7] = {base, link1, link2, link3, link4, link5, link6};
  for (int i = 0; i < 7; i++) Puma560Links[i] = procs[i];
  SetEEDrawer(EEDrawZ, ZDrawEE_gl);
}
