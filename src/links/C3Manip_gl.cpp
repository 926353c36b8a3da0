// C3Manip_gl.cpp -- drawing functions of the C3Manip model
#include "links/C3Manip.h"
#include "links/model_parts.h"
#include "robot/app_state.h"

#include <GL/gl.h>  // for: glPushMatrix(), glTranslatef(), glRotatef(), glPopMatrix()
#include <math.h>   // for: sqrtf(), acosf()
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ the wrist legs
// rotation taking +z onto the unit direction d
static void AlongZ(const float* d) {
  float ax = -d[1], ay = d[0];                // z x d
  float s = sqrtf(ax*ax + ay*ay);
  float ang = acosf(d[2] < -1 ? -1 : (d[2] > 1 ? 1 : d[2]))*180.0f/VM_PI_F;
  if (s > 1e-6f) glRotatef(ang, ax/s, ay/s, 0);
  else if (d[2] < 0) glRotatef(180, 1, 0, 0);
}

// each leg: fork and barrel from the forearm end, rod and ball from the platform end,
// placed from the current robot's frames (nothing without a current robot of 7 links)
static void DrawLegs() {
  float A[2][3], B[2][3];
  if (!c3manip_leg.barrel || C3ManipLegEnds(R, JC, A, B) != 0) return;
  for (int k = 0; k < 2; k++) {
    float d[3] = {B[k][0] - A[k][0], B[k][1] - A[k][1], B[k][2] - A[k][2]};
    float len = sqrtf(d[0]*d[0] + d[1]*d[1] + d[2]*d[2]);
    if (len < 1e-6f) continue;
    for (int i = 0; i < 3; i++) d[i] /= len;
    glPushMatrix();
      glTranslatef(A[k][0], A[k][1], A[k][2]);
      AlongZ(d);
      ModelDrawSolid(c3manip_leg.fork);
      ModelDrawSolid(c3manip_leg.barrel);
    glPopMatrix();
    glPushMatrix();
      glTranslatef(B[k][0], B[k][1], B[k][2]);
      AlongZ(d);
      ModelDrawSolid(c3manip_leg.rod);
      ModelDrawSolid(c3manip_leg.ball);
    glPopMatrix();
  }
}

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&c3manip, 0); }
static void link1() { ModelDrawLink(&c3manip, 1); }
static void link2() { ModelDrawLink(&c3manip, 2); }
static void link3() { ModelDrawLink(&c3manip, 3); }
static void link4() { ModelDrawLink(&c3manip, 4);  DrawLegs(); }
static void link5() { ModelDrawLink(&c3manip, 5); }
static void link6() { ModelDrawLink(&c3manip, 6); }
static void link7() { ModelDrawLink(&c3manip, 7); }

//------------------------------------------------------------------ registration
// fill C3ManipLinks
void RegisterC3ManipDrawing(void) {
  LinkDrawProc procs[8] = {base, link1, link2, link3, link4, link5, link6, link7};
  for (int i = 0; i < 8; i++) C3ManipLinks[i] = procs[i];
}
