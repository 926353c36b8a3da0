// workspace_place.cpp -- where a work-environment object stands: its placement as one matrix
#include "scene/workspace_place.h"

#include "base/consts.h"         // for: VmDegToRad()
#include "scene/coordi_trans.h"  // for: WorkspacePivot()
#include "scene/workspace.h"     // for: ws_object_pos, WorkspaceAngle

#include <math.h>    // for: cos(), sin()
#include <string.h>  // for: memcpy()

//------------------------------------------------------------------ static helpers

// M = M B
static void MulRight(double* M, const double* B) {
  double T[16];
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) {
      double s = 0.0;
      for (int k = 0; k < 4; k++) s += M[4*i + k]*B[4*k + j];
      T[4*i + j] = s;
    }
  memcpy(M, T, sizeof(T));
}

static void Identity(double* M) {
  for (int k = 0; k < 16; k++) M[k] = (k % 5 == 0) ? 1.0 : 0.0;
}

static void Translate(double* M, double x, double y, double z) {
  double T[16];
  Identity(T);
  T[3] = x;  T[7] = y;  T[11] = z;
  MulRight(M, T);
}

//------------------------------------------------------------------ public API

void WorkspacePlacement(int i, double M[16]) {
  Identity(M);
  if (i < 0 || i >= WS_MAX) return;
  float o[3];
  WorkspacePivot(i, o);
  Translate(M, ws_object_pos[i][0], ws_object_pos[i][1], ws_object_pos[i][2]);
  for (int k = 0; k < 3; k++) {
    double a = WorkspaceAngle[i][k];
    if (a == 0) continue;
    Translate(M, o[0], o[1], o[2]);
    double Rm[16], t = VmDegToRad(a), c = cos(t), s = sin(t);
    int u = (k + 1) % 3, v = (k + 2) % 3;
    Identity(Rm);
    Rm[4*u + u] = c;  Rm[4*u + v] = -s;
    Rm[4*v + u] = s;  Rm[4*v + v] = c;
    MulRight(M, Rm);
    Translate(M, -o[0], -o[1], -o[2]);
  }
}
