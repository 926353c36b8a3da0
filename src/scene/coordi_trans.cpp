// coordi_trans.cpp -- a work-environment object as user coordinate frame: its reference point
// (the pivot its rotations turn about) and the transform of a loaded Cartesian path into it
#include "scene/coordi_trans.h"

#include <math.h>  // for: cos(), sin()

#include "robot/app_state.h"      // for: CT
#include "graphics/misc.h"  // for: JwWarning()
#include "scene/workspace.h"
#include "scene/workspace_kinds.h"  // for: WorkspaceKindOf()
#include "base/consts.h"  // for: VM_PI


//------------------------------------------------------------------ module state

static int reference = WS_REF_CENTRE;

// what the last Coordi_Trans applied, and to which points, so that Coordi_Untrans can undo it
static struct {
  const void* points;   // CT.CC it moved; NULL when nothing is to undo
  int ntp;
  double p[3];
  float angle[3];
} applied = {nullptr, 0, {0, 0, 0}, {0, 0, 0}};

//------------------------------------------------------------------ static helpers

// turn r about base axis a (0 x, 1 y, 2 z) by deg degrees; the first coordinate of the
// pair keeps its old value in single precision for the second formula
static void TurnAbout(double r[3], int a, float deg) {
  if (deg == 0.0f) return;
  double th = VmDegToRad(deg), c = cos(th), s = sin(th);
  if (a == 1) {                           // about y the pair is (x, z)
    float xo = (float)r[0];
    r[0] = r[2]*s + xo*c;
    r[2] = r[2]*c - xo*s;
    return;
  }
  int u = (a + 1) % 3, v = (a + 2) % 3;   // about x (y, z), about z (x, y)
  float uo = (float)r[u];
  r[u] = uo*c - r[v]*s;
  r[v] = r[v]*c + uo*s;
}

//------------------------------------------------------------------ public API

void SetWorkspaceReference(int ref) {
  if (ref == WS_REF_CENTRE || ref == WS_REF_E1 || ref == WS_REF_E2) reference = ref;
}

int GetWorkspaceReference(void) { return reference; }

void WorkspacePivot(int i, float o[3]) {
  o[0] = o[1] = o[2] = 0.0f;
  if (i < 0 || i >= WS_MAX) return;
  const WorkspaceKind* k = WorkspaceKindOf(WorkspaceType[i]);
  if (!k) return;
  float e1 = reference == WS_REF_E1 ? 1.0f : 0.0f, e2 = reference == WS_REF_E2 ? 1.0f : 0.0f;
  k->pivot(ws_object_info[i], e1, e2, o);
}

void WorkspaceReferencePoint(int i, double p[3]) {
  p[0] = p[1] = p[2] = 0.0;
  if (i < 0 || i >= WS_MAX || !WorkspaceKindOf(WorkspaceType[i])) return;
  float o[3];
  WorkspacePivot(i, o);
  for (int k = 0; k < 3; k++) p[k] = (double)ws_object_pos[i][k] + o[k];
}

int Coordi_Trans(int id) {
  if (id < 0 || id >= workspace_number || id >= WS_MAX) {
    JwWarning("No work-environment object %d for the user frame\n", id + 1);
    return -1;
  }
  if (!CT.CC || CT.ntp <= 0) return 0;
  double p[3];
  WorkspaceReferencePoint(id, p);
  for (int j = 0; j < CT.ntp; j++) {
    double* r = CT.CC[j].r;
    for (int a = 2; a >= 0; a--) TurnAbout(r, a, WorkspaceAngle[id][a]);
    for (int k = 0; k < 3; k++) r[k] += p[k];
  }
  applied.points = CT.CC;  applied.ntp = CT.ntp;
  for (int k = 0; k < 3; k++) { applied.p[k] = p[k];  applied.angle[k] = WorkspaceAngle[id][k]; }
  return CT.ntp;
}

// r = Rz(-angle[2]) Ry(-angle[1]) Rx(-angle[0]) (r - reference point)
int Coordi_Untrans(void) {
  if (!applied.points || applied.points != (const void*)CT.CC || applied.ntp != CT.ntp) return 0;
  for (int j = 0; j < CT.ntp; j++) {
    double* r = CT.CC[j].r;
    for (int k = 0; k < 3; k++) r[k] -= applied.p[k];
    for (int a = 0; a < 3; a++) TurnAbout(r, a, -applied.angle[a]);
  }
  applied.points = nullptr;
  return CT.ntp;
}
