// primitives_gl.cpp -- drawing of the solids: material selection, then the mesh through GL
#include <GL/gl.h>  // for: glBegin(), glNormal3fv(), glVertex3fv(), glEnd()

#include "graphics/light.h"
#include "graphics/primitives.h"

static_assert(JwPolygonMode == GL_POLYGON && JwQuadStripMode == GL_QUAD_STRIP &&
              JwTriangleStripMode == GL_TRIANGLE_STRIP, "emitter modes are GL's");

//------------------------------------------------------------------ module state

static void GlBegin(unsigned int mode) { glBegin(mode); }
static void GlNormal(const float* n) { glNormal3fv(n); }
static void GlVertex(const float* v) { glVertex3fv(v); }
static void GlEnd(void) { glEnd(); }

// the emitter that draws
static const JwEmitterRec gl_emitter = {GlBegin, GlNormal, GlVertex, GlEnd};

//------------------------------------------------------------------ static helpers

// material and colour of the unit: its own for most solids, the current ones for the rest
static void DrawUnit(JwUnit u) {
  if (JwKindSetsMaterial(u->kind)) {
    JwMatType(u->mat);
    JwMatColorOpaque((JwColor)u->color);
  } else {
    nJwUseMaterial(u->mat);
  }
  JwEmitUnit(u, &gl_emitter);
}

//------------------------------------------------------------------ drawing functions
void draw_cylinder(JwUnit u) { DrawUnit(u); }
void draw_pivot(JwUnit u) { DrawUnit(u); }
void draw_toroid(JwUnit u) { DrawUnit(u); }
void draw_prism(JwUnit u) { DrawUnit(u); }
void draw_cone(JwUnit u) { DrawUnit(u); }
void draw_sphere(JwUnit u) { DrawUnit(u); }
void draw_hemisphere(JwUnit u) { DrawUnit(u); }
void draw_sector(JwUnit u) { DrawUnit(u); }
void draw_cylfillet(JwUnit u) { DrawUnit(u); }
void draw_prismfillet(JwUnit u) { DrawUnit(u); }
void draw_ring(JwUnit u) { DrawUnit(u); }
void draw_squarering(JwUnit u) { DrawUnit(u); }
void draw_arc(JwUnit u) { DrawUnit(u); }
void draw_dish(JwUnit u) { DrawUnit(u); }
void draw_stump(JwUnit u) { DrawUnit(u); }
void draw_elbow(JwUnit u) { DrawUnit(u); }
void draw_elbowpr(JwUnit u) { DrawUnit(u); }
void draw_wire(JwUnit u) { DrawUnit(u); }
void draw_flatcylinder(JwUnit u) { DrawUnit(u); }
void draw_spherecurve(JwUnit u) { DrawUnit(u); }
void draw_flat(JwUnit u) { DrawUnit(u); }
void draw_gusset(JwUnit u) { DrawUnit(u); }
void draw_pyr(JwUnit u) { DrawUnit(u); }
void draw_lomp(JwUnit u) { DrawUnit(u); }
void draw_wheel(JwUnit u) { DrawUnit(u); }

//------------------------------------------------------------------ public API

// fill the drawing table with the draw_ functions; repeated calls do nothing
void JwInitDrawing(void) {
  static bool done = false;
  if (done) return;
  done = true;
  JwSetDrawProc(JwDrawCylinder, draw_cylinder);
  JwSetDrawProc(JwDrawPivot, draw_pivot);
  JwSetDrawProc(JwDrawToroid, draw_toroid);
  JwSetDrawProc(JwDrawPrism, draw_prism);
  JwSetDrawProc(JwDrawCone, draw_cone);
  JwSetDrawProc(JwDrawSphere, draw_sphere);
  JwSetDrawProc(JwDrawHemiSphere, draw_hemisphere);
  JwSetDrawProc(JwDrawSector, draw_sector);
  JwSetDrawProc(JwDrawCylFillet, draw_cylfillet);
  JwSetDrawProc(JwDrawPrismFillet, draw_prismfillet);
  JwSetDrawProc(JwDrawRing, draw_ring);
  JwSetDrawProc(JwDrawSquareRing, draw_squarering);
  JwSetDrawProc(JwDrawArc, draw_arc);
  JwSetDrawProc(JwDrawDish, draw_dish);
  JwSetDrawProc(JwDrawStump, draw_stump);
  JwSetDrawProc(JwDrawElbow, draw_elbow);
  JwSetDrawProc(JwDrawElbowPR, draw_elbowpr);
  JwSetDrawProc(JwDrawWire, draw_wire);
  JwSetDrawProc(JwDrawFlatCylinder, draw_flatcylinder);
  JwSetDrawProc(JwDrawSphereCurve, draw_spherecurve);
  JwSetDrawProc(JwDrawFlat, draw_flat);
  JwSetDrawProc(JwDrawGusset, draw_gusset);
  JwSetDrawProc(JwDrawPyr, draw_pyr);
  JwSetDrawProc(JwDrawLomp, draw_lomp);
  JwSetDrawProc(JwDrawWheel, draw_wheel);
}

// the table is filled before main() in any program that draws
static const bool drawing_ready = (JwInitDrawing(), true);

// one unit through its drawing function; a unit built before the table was filled is bound now
void JwDrawUnit(JwUnit u) {
  if (!u) return;
  if (!u->Proc) {
    JwInitDrawing();
    u->Proc = JwGetDrawProc(u->kind);
    if (!u->Proc) return;
  }
  u->Proc(u);
}

// U[i]->Proc(U[i]) for every unit in order; the modelview matrix is not touched
void JwDrawPrimitive(JwPrimitive P) {
  (void)drawing_ready;
  if (!P) return;
  for (int i = 0; i < P->nu; i++) JwDrawUnit(P->U[i]);
}

// drawing aid: a cyan point of size 4 at p, then a line from p (cyan) to p + nrm (red)
void ShowNormal(float* p, float* nrm) {
  glPointSize(4.0f);
  glColor3f(0.0f, 1.0f, 1.0f);
  glBegin(GL_POINTS);
    glVertex3fv(p);
  glEnd();
  glPointSize(1.0f);
  glBegin(GL_LINES);
    glColor3f(0.0f, 1.0f, 1.0f);
    glVertex3fv(p);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(p[0] + nrm[0], p[1] + nrm[1], p[2] + nrm[2]);
  glEnd();
}
