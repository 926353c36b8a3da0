// jconfig.cpp -- joint configuration files, their list rule, and the smooth motion to a pose
#include "robot/jconfig.h"

#include <math.h>    // for: fabs(), sin()
#include <stdio.h>   // for: printf(), fprintf()
#include <stdlib.h>  // for: malloc(), realloc(), free()
#include <string.h>  // for: strlen(), strncmp()

#include "robot/app_state.h"      // for: R
#include "graphics/misc.h"  // for: JwWarning()
#include "base/message.h"        // for: VmMessage()
#include "robot/tokenizer.h"
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state

int MoveMode = 1;
bool InterpolateConfig_ani = false;
double* JC2_q = nullptr;
double* fr = nullptr;
int m = 0;
float dt = 0.0f;
double pibyt = VM_TWO_PI;

// scratch joint vector: 30 entries cover most robots; it grows for longer ones
static float JCq_fixed[30];
static float* JCq_t = JCq_fixed;
static int JCq_cap = 30;

static Symbol JClist[] = {
  {"th", OpenVect, Float, JCq_fixed, nullptr, 0},
  {"b", OpenVect, Float, JCq_fixed, nullptr, 0},
  {"q", OpenVect, Float, JCq_fixed, nullptr, 0},
};

static int motion_n = 0;        // joints in JC2_q and fr
static int frame = 0;           // frames played of the current motion

//------------------------------------------------------------------ static helpers

// room for n values in the scratch vector; 0, or -1 when it cannot grow
static int ScratchFor(int n) {
  if (n <= JCq_cap) return 0;
  float* p = (float*)malloc((size_t)n*sizeof(float));
  if (!p) return -1;
  if (JCq_t != JCq_fixed) free(JCq_t);
  JCq_t = p;
  JCq_cap = n;
  return 0;
}

typedef struct _JCOut_ {
  int n;
  const double* q;
} JCOut;

static int PutJointConfig(FILE* f, const void* data) {
  const JCOut* o = (const JCOut*)data;
  if (fprintf(f, "th = [  ") < 0) return -1;
  for (int i = 0; i < o->n; i++)
    if (fprintf(f, " %lf ", o->q[i]) < 0) return -1;
  if (fprintf(f, " ]\n") < 0) return -1;
  return 0;
}

//------------------------------------------------------------------ public API: files

int ReadJointConfig(JointConfig jc, const char* name) {
  if (!R) {
    JwWarning("No robot for joint configuration `%s'\n", name ? name : "(null)");
    return -1;
  }
  return ReadJointConfigFor(R, jc, name);
}

int ReadJointConfigFor(Robot r, JointConfig jc, const char* name) {
  char path[TOK_PATH_MAX + 1];
  int n = r->n;
  if (ScratchFor(n) != 0) {
    JwWarning("No memory for a joint configuration of %d joints\n", n);
    return -1;
  }
  for (int i = 0; i < 3; i++) {
    JClist[i].val = JCq_t;
    JClist[i].n = n;
  }
  for (int i = 0; i < n; i++) JCq_t[i] = 0.0f;
  if (!name || MakePath(path, "JConfig", name) < 0) {
    JwWarning("Unable to open file `%s'\n", name ? path : "(null)");
    return -1;
  }
  if (TokOpen(path) < 0) return -1;
  int rc = 0;
  Token t;
  while (rc == 0 && NextTokenType() == Name) {
    ReadToken(&t);
    TokTrace("%d: %s", TokLine(), t.name);
    rc = ReadAssignment(t.name, 3, JClist);
  }
  if (rc == 0 && ReadToken(&t) != EndOfFile) {
    VmMessage(MsgRefusal, "ERROR %d\n", TokLine());
    rc = 1;
  }
  TokClose();
  if (rc != 0) return -1;
  for (int i = 0; i < n; i++) jc->q[i] = JCq_t[i];
  return 0;
}

int WriteJointConfig(Robot r, const double* q, const char* suffix) {
  char name[TOK_PATH_MAX + 1], path[TOK_PATH_MAX + 1];
  int k = snprintf(name, sizeof(name), "%s.%s", r->name, suffix ? suffix : "");
  if (k < 0 || k > TOK_PATH_MAX || MakePath(path, "JConfig", name) < 0) {
    JwWarning("Unable to write file `%s'\n", name);
    return -1;
  }
  JCOut o = {r->n, q};
  return WriteFileSafely(path, PutJointConfig, &o);
}

//------------------------------------------------------------------ public API: list

int ConfigNameMatches(const char* rname, const char* entry) {
  size_t ln = strlen(rname), le = strlen(entry);
  if (le == 0 || entry[0] == '.') return 0;
  if (entry[le - 1] == '~') return 0;
  if (le >= 4 && strcmp(entry + le - 4, ".CKP") == 0) return 0;
  if (le <= ln || entry[ln] != '.') return 0;
  return strncmp(entry, rname, ln) == 0;
}

int config_fill_match(const char* entry) {
  return R ? ConfigNameMatches(R->name, entry) : 0;
}

//------------------------------------------------------------------ public API: motion

// only the first joint's displacement is divided by 1.33
int InterpolateConfig(JointConfig cur, JointConfig target, Robot r) {
  int n = r->n;
  if (r->limits == 1) {
    for (int i = 0; i < n; i++)
      if (target->q[i] < r->L[i].q_limit[0] || target->q[i] > r->L[i].q_limit[1]) return -1;
  }
  if (n > motion_n) {
    double* q2 = (double*)realloc(JC2_q, (size_t)n*sizeof(double));
    if (q2) JC2_q = q2;
    double* f2 = (double*)realloc(fr, (size_t)n*sizeof(double));
    if (f2) fr = f2;
    if (!q2 || !f2) {
      JwWarning("No memory for a motion of %d joints\n", n);
      return -1;
    }
    motion_n = n;
  }
  double d = (double)target->q[0] - cur->q[0];
  fr[0] = d/360.0;
  double A = fabs(d)/1.33;
  for (int i = 1; i < n; i++) {
    d = (double)target->q[i] - cur->q[i];
    if (fabs(d) > A) A = fabs(d);
    fr[i] = d/360.0;
  }
  if (A > 0 && A < 16) A = 16;
  else if (A > 80) A = 80;
  m = (int)A;
  pibyt = VM_TWO_PI;
  dt = 1.0f/(float)(m - 1);
  for (int i = 0; i < n; i++) JC2_q[i] = cur->q[i];
  frame = 0;
  InterpolateConfig_ani = true;
  return 0;
}

int ConfigStep(JointConfig jc, int n) {
  if (frame < m && n <= motion_n) {
    if (frame == m - 1) {
      for (int i = 0; i < n; i++) jc->q[i] = (float)(JC2_q[i] + 360.0*fr[i]);
    } else {
      double t = (double)frame/(double)(m - 1);
      double c = (pibyt*t - sin(pibyt*t))*180.0/VM_PI;
      for (int i = 0; i < n; i++) jc->q[i] = (float)(JC2_q[i] + fr[i]*c);
    }
    frame++;
    return 1;
  }
  frame = 0;
  dt = 0.0f;
  InterpolateConfig_ani = false;
  return 0;
}
