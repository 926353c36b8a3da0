// pose_edit.cpp -- the rules of the pose panels that need no window: joint-value folding and
// limits, the orientation wrap, the conditioning level, and the texts of the Q and J windows
#include "kin/pose_edit.h"

#include <math.h>    // for: fmod(), isfinite(), fabs()
#include <stdarg.h>  // for: va_list
#include <stdio.h>   // for: snprintf(), vsnprintf()
#include <string.h>  // for: strlen()

#include "base/file_name.h"  // for: FileNameProblem()
#include "kin/ikp.h"     // for: EvalQr_i(), EvalObjJacobian(), GetAj(), FwdKin()

//------------------------------------------------------------------ static helpers

// whole turns off a value above 360: into (0, 360]; fmod is exact, so this is the repeated
// subtraction of 360 without its endless loop on huge values
static float FoldDown(float v) {
  if (!(v > 360.0f)) return v;
  float r = (float)fmod((double)v, 360.0);
  return r == 0.0f ? 360.0f : r;
}

// below -360: into [-360, 0)
static float FoldUp(float v) {
  if (!(v < -360.0f)) return v;
  float r = (float)fmod((double)v, 360.0);
  return r == 0.0f ? -360.0f : r;
}

// a text that grows like snprintf's: len counts every character, buf keeps what fits
typedef struct _TextOut_ {
  char* buf;
  size_t size;
  size_t len;
} TextOut;

static void Put(TextOut* t, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  size_t room = t->len < t->size ? t->size - t->len : 0;
  int k = vsnprintf(room ? t->buf + t->len : nullptr, room, format, ap);
  va_end(ap);
  if (k > 0) t->len += (size_t)k;
}

//------------------------------------------------------------------ public API

void NormalizeJointValues(Robot r, JointConfig jc) {
  for (int j = 0; j < r->n; j++) {
    if (r->L[j].joint != 0) continue;
    if (r->L[j].q_limit[1] == JOINT_UNLIMITED_MAX) jc->q[j] = FoldDown(jc->q[j]);
    if (r->L[j].q_limit[0] == JOINT_UNLIMITED_MIN) jc->q[j] = FoldUp(jc->q[j]);
  }
}

int JointEditRule(Robot r, int j, float* v) {
  if (!isfinite(*v)) return JointEditNotFinite;
  const Link* l = &r->L[j];
  int rev = l->joint == 0;
  if (rev && (r->limits == 0 || l->q_limit[1] == JOINT_UNLIMITED_MAX)) *v = FoldDown(*v);
  if (rev && (r->limits == 0 || l->q_limit[0] == JOINT_UNLIMITED_MIN)) *v = FoldUp(*v);
  if (r->limits == 1 && *v > l->q_limit[1]) return JointEditAboveMax;
  if (r->limits == 1 && *v < l->q_limit[0]) return JointEditBelowMin;
  return JointEditOk;
}

int ApplyJointEdit(Robot r, JointConfig jc, CartesianConfig cc, int j, float* v) {
  int rc = JointEditRule(r, j, v);
  if (rc == JointEditAboveMax || rc == JointEditBelowMin) {
    *v = r->L[j].q_limit[rc == JointEditAboveMax ? 1 : 0];
  } else if (rc == JointEditOk) {
    jc->q[j] = *v;
    FwdKin(r, jc, cc);
  }
  return rc;
}

const char* ConfigSuffixProblem(const char* rname, const char* suffix) {
  return FileNameProblem(suffix, 255 - 1 - (int)strlen(rname));
}

double WrapAngle180(double a) {
  if (a > 180) return a - 360;
  if (a < -180) return a + 360;
  return a;
}

int ConditionLevel(double k) {
  if (k >= COND_LEVEL_HIGH) return CondGreen;
  if (k >= COND_LEVEL_LOW) return CondOrange;
  return CondRed;
}

// v as a text of `decimals` decimals shows it: a value that rounds to zero is 0, never "-0.00"
static double Shown(double v, double half_unit) { return fabs(v) < half_unit ? 0.0 : v; }

int FormatQText(char* buf, size_t size, double Q[3][3]) {
  double S[3][3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) S[i][j] = Shown(Q[i][j], 0.005);
  return snprintf(buf, size,
                  "\n%9.2lf %9.2lf %9.2lf\n\n%9.2lf %9.2lf %9.2lf\n\n%9.2lf %9.2lf %9.2lf",
                  S[0][0], S[0][1], S[0][2], S[1][0], S[1][1], S[1][2], S[2][0], S[2][1], S[2][2]);
}

int FormatJText(char* buf, size_t size, double** M, int rows, int n) {
  TextOut t = {buf, size, 0};
  if (buf && size) buf[0] = '\0';
  Put(&t, "\n");
  for (int j = 0; j < n; j++) Put(&t, "   Col. %d  ", j + 1);
  Put(&t, "\n\n");
  for (int i = 0; i < rows; i++) {
    if (i > 0) Put(&t, "\n\n");
    for (int j = 0; j < n; j++) Put(&t, " %9.3lf", Shown(M[i][j], 0.0005));
  }
  return (int)t.len;
}

// the normalised Jacobian's position rows times avg_len: the rates of the tool point per
// radian (per unit of length for a prismatic joint, times avg_len)
int JacobianDisplay(Robot r, JointConfig jc, CartesianConfig cc, double** M) {
  int type = cc->type;
  if ((type != 0 && type != 2 && type != 4) || !GetAj(r, cc)) return 0;
  EvalQr_i(r, jc);
  EvalQr_1(r);
  EvalObjJacobian(type, r, cc);
  Normalize(type, r);
  double** Aj = GetAj(r, cc);
  double L = r->avg_len;
  for (int j = 0; j < r->n; j++) {
    for (int i = 0; i < 3; i++) {
      if (type == 0) {
        M[i][j] = Aj[i][j];
        M[3 + i][j] = r->J[4 + i][j]*L;
      } else if (type == 2) {
        M[i][j] = Aj[i][j];
      } else {
        M[i][j] = r->J[i][j]*L;
      }
    }
  }
  return type == 0 ? 6 : 3;
}
