// Kerrow_gl.cpp -- drawing functions of the Kerrow model
#include "links/Kerrow.h"
#include "graphics/light.h"

#include <GL/gl.h>  // for: glBegin(), glNormal3fv(), glVertex3fv(), glEnd()

//------------------------------------------------------------------ custom meshes
// side as one quad strip round the outline, then the two caps as polygons
static void DrawKerrowMesh(const KerrowMesh* m) {
  if (!m) return;
  JwMatType(m->mat);
  JwMatColorOpaque(m->color);
  glBegin(GL_QUAD_STRIP);
  for (int k = 0; k <= m->n; k++) {
    int i = k % m->n;
    glNormal3fv(m->N + 3*i);
    glVertex3fv(m->A + 3*i);
    glVertex3fv(m->B + 3*i);
  }
  glEnd();
  glBegin(GL_POLYGON);
  glNormal3fv(m->nA);
  for (int i = m->n - 1; i >= 0; i--) glVertex3fv(m->A + 3*i);
  glEnd();
  glBegin(GL_POLYGON);
  glNormal3fv(m->nB);
  for (int i = 0; i < m->n; i++) glVertex3fv(m->B + 3*i);
  glEnd();
}

// the upper arm and the forearm meshes
void DrawLink1(void) { DrawKerrowMesh(kerrow_link1); }
void DrawLink2(void) { DrawKerrowMesh(kerrow_link2); }

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&kerrow, 0); }
static void link1() { ModelDrawLink(&kerrow, 1); }
static void link2() { ModelDrawLink(&kerrow, 2);  DrawLink1(); }
static void link3() { ModelDrawLink(&kerrow, 3); }
static void link4() { ModelDrawLink(&kerrow, 4);  DrawLink2(); }
static void link5() { ModelDrawLink(&kerrow, 5); }
static void link6() { ModelDrawLink(&kerrow, 6); }

//------------------------------------------------------------------ registration
// fill KerrowLinks
void RegisterKerrowDrawing(void) {
  LinkDrawProc procs[7] = {base, link1, link2, link3, link4, link5, link6};
  for (int i = 0; i < 7; i++) KerrowLinks[i] = procs[i];
}
