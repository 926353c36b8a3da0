// traj_transform.cpp -- moving, turning and scaling the path of the loaded trajectories
#include "traj/traj_transform.h"

#include <math.h>  // for: sin(), cos()

#include "robot/app_state.h"  // for: CT, JT
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state

double m_config_position[3] = {0.0, 0.0, 0.0};
double m_config_oritation[3] = {0.0, 0.0, 0.0};
double m_config_scale_value = 1.0;

//------------------------------------------------------------------ public API: point arrays

void TrajTranslate(CartesianConfigRec* cc, int ntp, int axis, double d) {
  if (!cc || axis < 0 || axis > 2) return;
  for (int k = 0; k < ntp; k++) cc[k].r[axis] += d;
}

// the pair (u, v) of the turned plane, u the coordinate computed first: (y, z) about x,
// (x, z) about y with the sense reversed, (x, y) about z
void TrajRotate(CartesianConfigRec* cc, int ntp, int axis, double theta) {
  if (!cc || axis < 0 || axis > 2) return;
  int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
  double c = cos(theta), s = axis == 1 ? -sin(theta) : sin(theta);
  for (int k = 0; k < ntp; k++) {
    double* r = cc[k].r;
    float old = (float)r[u];              // single precision, as the dialog always kept it
    r[u] = r[u]*c - r[v]*s;
    r[v] = r[v]*c + old*s;
  }
}

void TrajScale(CartesianConfigRec* cc, int ntp, double s, double old) {
  if (!cc || old == 0.0) return;
  for (int k = 0; k < ntp; k++)
    for (int j = 0; j < 3; j++) cc[k].r[j] = s*cc[k].r[j]/old;
}

//------------------------------------------------------------------ public API: dialog edits

void TransReset(void) {
  for (int i = 0; i < 3; i++) m_config_position[i] = m_config_oritation[i] = 0.0;
  m_config_scale_value = 1.0;
}

void TransPosition(int i, double value) {
  if (i < 0 || i > 2) return;
  double d = value - m_config_position[i];
  if (JT.active) TrajTranslate(JT.CC, JT.ntp, i, d);
  if (CT.active) TrajTranslate(CT.CC, CT.ntp, i, d);
  m_config_position[i] = value;
}

void TransOrientation(int i, double value) {
  if (i < 0 || i > 2) return;
  double theta = VmDegToRad(value - m_config_oritation[i]);
  if (JT.active) TrajRotate(JT.CC, JT.ntp, i, theta);
  if (CT.active) TrajRotate(CT.CC, CT.ntp, i, theta);
  m_config_oritation[i] = value;
}

void TransScale(double s) {
  if (s == 0.0) return;
  if (JT.active) TrajScale(JT.CC, JT.ntp, s, m_config_scale_value);
  if (CT.active) TrajScale(CT.CC, CT.ntp, s, m_config_scale_value);
  m_config_scale_value = s;
}
