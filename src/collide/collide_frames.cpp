// collide_frames.cpp -- the frames the drawing walk places a robot's bodies in, without drawing
#include "collide/collide_frames.h"

#include "base/consts.h"  // for: VmDegToRad()
#include "links/links.h"  // for: ModelRow()

#include <math.h>    // for: cos(), sin()
#include <string.h>  // for: memcpy()

//------------------------------------------------------------------ public API

// C = A B; C may be A or B
void CollideFrameMul(const double* A, const double* B, double* C) {
  double T[16];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      double s = 0.0;
      for (int k = 0; k < 4; k++) s += A[4*i + k]*B[4*k + j];
      T[4*i + j] = s;
    }
  memcpy(C, T, sizeof(T));
}

void CollideFrameIdentity(double* M) {
  for (int k = 0; k < 16; k++) M[k] = (k % 5 == 0) ? 1.0 : 0.0;
}

void CollideFrameTranslation(double* M, double x, double y, double z) {
  CollideFrameIdentity(M);
  M[3] = x;  M[7] = y;  M[11] = z;
}

// rows and columns (a, b) are the two axes the rotation turns: (y, z), (z, x), (x, y)
void CollideFrameRotation(double* M, double deg, int axis) {
  CollideFrameIdentity(M);
  double t = VmDegToRad(deg), c = cos(t), s = sin(t);
  int a = (axis + 1) % 3, b = (axis + 2) % 3;
  M[4*a + a] = c;  M[4*a + b] = -s;
  M[4*b + a] = s;  M[4*b + b] = c;
}

int CollideFrameCount(Robot r) { return 2*r->n + 2; }

// first link offset as the named models are built: their registry row's correction
static double FirstOffset(Robot r) {
  const GeomMatch* g = ModelRow(r->name);
  return r->L[0].b + (g ? g->first_offset : 0.0f);
}

void CollideRobotFrames(Robot r, const float* q, CollideFrame* F) {
  double M[16], S[16];
  int full = (r->geom_type == 2);
  CollideFrameIdentity(M);
  for (int i = 0; i < r->n; i++) {
    const Link* l = &r->L[i];
    memcpy(F[2*i], M, sizeof(M));
    double step_z;
    if (l->joint == 1) {
      CollideFrameRotation(S, l->th, 2);
      CollideFrameMul(M, S, M);
      CollideFrameTranslation(S, 0, 0, q[i]);
      CollideFrameMul(M, S, M);
      step_z = 0;
    } else {
      CollideFrameRotation(S, q[i], 2);
      CollideFrameMul(M, S, M);
      step_z = (full && i == 0) ? FirstOffset(r) : l->b;
    }
    memcpy(F[2*i + 1], M, sizeof(M));
    double a = (full && l->joint == 1 && i == r->n - 1) ? 0 : l->a;
    CollideFrameTranslation(S, a, 0, step_z);
    CollideFrameMul(M, S, M);
    CollideFrameRotation(S, l->al, 0);
    CollideFrameMul(M, S, M);
  }
  memcpy(F[2*r->n], M, sizeof(M));
  if (full) {
    for (int k = 0; k < 16; k++) S[k] = r->EE.Qee[k/4][k % 4];
    CollideFrameMul(M, S, M);
  }
  memcpy(F[2*r->n + 1], M, sizeof(M));
}
