// Puma560_gl.cpp -- drawing functions of the Puma560 model and its hand
#include "links/Puma560.h"
#include "graphics/primitives.h"

#include <GL/gl.h>  // for: glPushMatrix(), glTranslatef(), glPopMatrix()

//------------------------------------------------------------------ static helpers
// a solid of the model; nothing while the model is not built
static void Draw(JwPrimitive p) {
  if (p) JwDrawPrimitive(p);
}

//------------------------------------------------------------------ link drawing
static void base() {
  Draw(puma560.Bplate);  Draw(puma560.Bstump);  Draw(puma560.Bbox);  Draw(puma560.Bmotor);
}
static void link1() { Draw(puma560.L1trunk);  Draw(puma560.L1hinge); }
static void link2() { Draw(puma560.L2link); }
static void link3() { Draw(puma560.L3link); }
static void link4() { Draw(puma560.L4cyl);  Draw(puma560.L4b1);  Draw(puma560.L4b2); }
static void link5() {}
static void link6() { Draw(puma560.L6a);  Draw(puma560.L6b);  Draw(puma560.L6c); }

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
