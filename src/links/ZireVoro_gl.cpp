// ZireVoro_gl.cpp -- drawing functions of the ZireVoro model
#include "links/ZireVoro.h"
#include "robot/app_state.h"

#include <GL/gl.h>  // for: glPushMatrix(), glTranslatef(), glRotatef(), glPopMatrix()
#include <math.h>   // for: sqrtf(), acosf()
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ the boom cylinder
// rotation taking +z onto the unit direction d
static void AlongZ(const float* d) {
  float ax = -d[1], ay = d[0];                // z x d
  float s = sqrtf(ax*ax + ay*ay);
  float ang = acosf(d[2] < -1 ? -1 : (d[2] > 1 ? 1 : d[2]))*180.0f/VM_PI_F;
  if (s > 1e-6f) glRotatef(ang, ax/s, ay/s, 0);
  else if (d[2] < 0) glRotatef(180, 1, 0, 0);
}

// the turret draws the mount and the barrel from the lower end, the boom the rod and its eye
// from the upper end, both placed from the current robot's frames
static void DrawCylinder(int link) {
  float lo[3], hi[3];
  if (!zirevoro_cyl.barrel || ZireVoroCylinder(R, JC, link, lo, hi) < -999) return;
  float d[3] = {hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]};
  float len = sqrtf(d[0]*d[0] + d[1]*d[1] + d[2]*d[2]);
  if (len < 1e-6f) return;
  for (int i = 0; i < 3; i++) d[i] /= len;
  glPushMatrix();
  if (link == 1) {
    glTranslatef(lo[0], lo[1], lo[2]);
    AlongZ(d);
    ModelDrawSolid(zirevoro_cyl.mount);
    ModelDrawSolid(zirevoro_cyl.barrel);
  } else {
    glTranslatef(hi[0], hi[1], hi[2]);
    AlongZ(d);
    ModelDrawSolid(zirevoro_cyl.rod);
    ModelDrawSolid(zirevoro_cyl.eye);
  }
  glPopMatrix();
}

//------------------------------------------------------------------ link drawing
static void Tbase() { ModelDrawLink(&zirevoro, 0); }
static void Tlink1() { ModelDrawLink(&zirevoro, 1);  DrawCylinder(1); }
static void Tlink2() { ModelDrawLink(&zirevoro, 2);  DrawCylinder(2); }
static void Tlink3() { ModelDrawLink(&zirevoro, 3); }
static void Tlink4() { ModelDrawLink(&zirevoro, 4); }
static void Tlink5() { ModelDrawLink(&zirevoro, 5); }
static void base() { Puma560DrawPart(&zirevoro_arm, 0); }
static void link1() { Puma560DrawPart(&zirevoro_arm, 1); }
static void link2() { Puma560DrawPart(&zirevoro_arm, 2); }
static void link3() { Puma560DrawPart(&zirevoro_arm, 3); }
static void link4() { Puma560DrawPart(&zirevoro_arm, 4); }
static void link5() { Puma560DrawPart(&zirevoro_arm, 5); }
static void link6() { Puma560DrawPart(&zirevoro_arm, 6); }

//------------------------------------------------------------------ registration
// fill ZireVoroLinks
void RegisterZireVoroDrawing(void) {
  LinkDrawProc procs[13] = {Tbase, Tlink1, Tlink2, Tlink3, Tlink4, Tlink5, base, link1, link2,
    link3, link4, link5, link6};
  for (int i = 0; i < 13; i++) ZireVoroLinks[i] = procs[i];
}
