// traj_file.cpp -- Cartesian and joint trajectory files: line count, readers, writers, list rule
#include "traj/traj_file.h"

#include <limits.h>  // for: INT_MAX
#include <math.h>    // for: sin(), cos(), isfinite()
#include <stdio.h>   // for: fopen(), getc_unlocked(), fprintf()
#include <stdlib.h>  // for: calloc(), free()
#include <string.h>  // for: strchr(), strlen(), strcmp()
#include <unistd.h>  // for: access()

#include "base/file_name.h"       // for: FileNameProblem()
#include "base/number.h"  // for: ParseNumber()

#include "robot/app_state.h"      // for: R
#include "traj/ctraj.h"          // for: CTFind(), CTSampleList()
#include "graphics/misc.h"  // for: JwWarning()
#include "kin/ikp.h"            // for: FwdKin()
#include "robot/jconfig.h"        // for: ConfigNameMatches()
#include "robot/tokenizer.h"      // for: IsSpace(), MakePath(), WriteFileSafely(), TOK_PATH_MAX
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state

static int max_points = TRAJ_MAX_POINTS_DEFAULT;

void SetTrajMaxPoints(int n) { max_points = n > 0 ? n : TRAJ_MAX_POINTS_DEFAULT; }
int GetTrajMaxPoints(void) { return max_points; }

//------------------------------------------------------------------ static helpers: scanning

#define TRAJ_TOKEN_MAX 63     // longest number text accepted

// a file read line by line; line is the number of the line the lookahead c is on
typedef struct _TrajScan_ {
  FILE* f;
  int c;
  int line;
} TrajScan;

enum { SCAN_OK = 0, SCAN_SHORT, SCAN_LONG, SCAN_BAD, SCAN_EOF };

// the next counted line: exactly want numbers into v (strtof when single, else strtod);
// *at gets its line number. Blank lines are skipped; the whole line is consumed.
static int scan_line(TrajScan* s, double* v, int want, int single, int* at) {
  FILE* f = s->f;
  int c = s->c;
  for (;;) {
    while (c != EOF && c != '\n' && IsSpace(c)) c = getc_unlocked(f);
    if (c != '\n') break;
    s->line++;
    c = getc_unlocked(f);
  }
  if (c == EOF) {
    s->c = c;
    return SCAN_EOF;
  }
  *at = s->line;
  int k = 0, rc = SCAN_OK;
  char tok[TRAJ_TOKEN_MAX + 1];
  while (c != EOF && c != '\n') {
    if (IsSpace(c)) {
      c = getc_unlocked(f);
      continue;
    }
    int len = 0;
    while (c != EOF && c != '\n' && !IsSpace(c)) {
      if (len < TRAJ_TOKEN_MAX) tok[len] = (char)c;
      len++;
      c = getc_unlocked(f);
    }
    if (rc != SCAN_OK) continue;
    if (len > TRAJ_TOKEN_MAX) {
      rc = SCAN_BAD;
      continue;
    }
    tok[len] = '\0';
    double x;
    if (ParseNumber(tok, len, single ? NumSingle : NumAny, &x) != 0) rc = SCAN_BAD;
    else if (k < want) v[k++] = x;
    else rc = SCAN_LONG;
  }
  if (rc == SCAN_OK && k < want) rc = SCAN_SHORT;
  if (c == '\n') {
    s->line++;
    c = getc_unlocked(f);
  }
  s->c = c;
  return rc;
}

// the message of a failed scan, naming the file and the line
static void scan_fault(int rc, const char* path, int line, int want) {
  const char* which = rc == SCAN_SHORT ? "few" : "many";
  if (rc == SCAN_SHORT || rc == SCAN_LONG)
    JwWarning("Too %s numbers on line %d of %s (%d expected)\n", which, line, path, want);
  else if (rc == SCAN_BAD) JwWarning("Bad number on line %d of %s\n", line, path);
  else JwWarning("Unexpected end of %s\n", path);
}

//------------------------------------------------------------------ static helpers: points

// ntp joint configurations of n joints, q filled with v, qd and qdd zero; NULL when short
// of memory (nothing left allocated)
static JointConfigRec* alloc_joint_points(int ntp, int n, float v) {
  JointConfigRec* jc = (JointConfigRec*)calloc((size_t)ntp, sizeof(JointConfigRec));
  if (!jc) return nullptr;
  for (int i = 0; i < ntp; i++) {
    jc[i].q = (float*)malloc((size_t)n*sizeof(float));
    jc[i].qd = (float*)calloc((size_t)n, sizeof(float));
    jc[i].qdd = (float*)calloc((size_t)n, sizeof(float));
    if (!jc[i].q || !jc[i].qd || !jc[i].qdd) {
      for (int k = 0; k <= i; k++) {
        free(jc[k].qdd);  free(jc[k].qd);  free(jc[k].q);
      }
      free(jc);
      return nullptr;
    }
    for (int j = 0; j < n; j++) jc[i].q[j] = v;
  }
  return jc;
}

// room for ntp poses and joint points; 0, or -1 after a message with nothing allocated
static int alloc_points(int ntp, int n, const char* path, CartesianConfigRec** cc,
                        JointConfigRec** jc) {
  *cc = (CartesianConfigRec*)calloc((size_t)ntp, sizeof(CartesianConfigRec));
  *jc = *cc ? alloc_joint_points(ntp, n, -1.0f) : nullptr;
  if (*cc && *jc) return 0;
  free(*cc);
  *cc = nullptr;
  JwWarning("No memory for the %d points of %s\n", ntp, path);
  return -1;
}

// refuse a point count of zero or above the limit; 0 when it can be loaded
static int check_points(int ntp, const char* path) {
  if (ntp < 1) {
    JwWarning("Trajectory %s holds no complete point\n", path);
    return -1;
  }
  if (ntp > max_points) {
    JwWarning("Trajectory %s is too long: %d points, at most %d\n", path, ntp, max_points);
    return -1;
  }
  return 0;
}

// the wrist centre a type-2 robot's orientation implies: p s Q[i][1] + p c Q[i][2] + a Q[i][0],
// z0 added to the height (al of the last link, p and z0 from the b values, see the header)
typedef struct _WristGeom_ {
  double a, s, c, p, z0;
} WristGeom;

static WristGeom wrist_geometry(Robot r) {
  WristGeom g;
  int n = r->n;
  double al = VmDegToRad(r->L[n - 1].al);
  g.s = sin(al);  g.c = cos(al);  g.a = r->L[n - 1].a;
  g.z0 = 0.0;
  for (int i = 0; i <= n - 2; i++) {
    g.z0 += r->L[i].b;
    if (r->L[i].al != 0.0f) break;
  }
  g.p = r->L[n - 1].b;
  for (int i = n - 2; i >= 0 && r->L[i].al == 0.0f; i--) g.p += r->L[i].b;
  return g;
}

static void wrist_position(const WristGeom* g, CartesianConfigRec* cc) {
  for (int i = 0; i < 3; i++)
    cc->r[i] = g->p*g->s*cc->Q[i][1] + g->p*g->c*cc->Q[i][2] + g->a*cc->Q[i][0];
  cc->r[2] += g->z0;
}

// hand the new points to t (already cleared)
static void set_loaded(int* active, int* ntp, int* last, int* ctp, int* state, int count) {
  *ntp = count;  *last = count - 1;  *ctp = -1;  *state = 0;  *active = 1;
}

//------------------------------------------------------------------ static helpers: reading

// the Cartesian points of a file of `lines` counted lines
static int read_cartesian(Robot r, const char* path, int lines, CartesianTrajectoryPtr t) {
  int ntp = CartesianPointsFromLines(r->type, lines);
  if (check_points(ntp, path) != 0) return -1;
  TrajScan s = {fopen(path, "r"), EOF, 1};
  if (!s.f) {
    JwWarning("Cannot open %s\n", path);
    return -1;
  }
  CartesianConfigRec* cc;
  JointConfigRec* jc;
  if (alloc_points(ntp, r->n, path, &cc, &jc) != 0) {
    fclose(s.f);
    return -1;
  }
  s.c = getc_unlocked(s.f);
  WristGeom g = wrist_geometry(r);
  int rc = SCAN_OK, at = 0;
  for (int i = 0; i < ntp && rc == SCAN_OK; i++) {
    CartesianConfigRec* p = &cc[i];
    p->type = r->type;
    if (r->type == 0 || r->type == 2) {
      if (r->type == 0) rc = scan_line(&s, p->r, 3, 0, &at);
      for (int k = 0; k < 3 && rc == SCAN_OK; k++) rc = scan_line(&s, p->Q[k], 3, 0, &at);
      if (r->type == 2) wrist_position(&g, p);
    } else {
      rc = scan_line(&s, p->r, 3, 0, &at);
    }
  }
  fclose(s.f);
  if (rc != SCAN_OK) {
    scan_fault(rc, path, rc == SCAN_EOF ? 0 : at, 3);
    free(cc);
    t->CC = nullptr;  t->JC = jc;  t->ntp = ntp;
    ClearCartesianTrajectory(t);            // frees jc the usual way
    return -1;
  }
  t->CC = cc;  t->JC = jc;
  set_loaded(&t->active, &t->ntp, &t->last, &t->ctp, &t->state, ntp);
  return 0;
}

//------------------------------------------------------------------ public API: reading

int wc(const char* path) {
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  int lines = 0, counted = 0, c;
  while ((c = getc_unlocked(f)) != EOF) {
    if (c == '\n') counted = 0;
    else if (!counted && !IsSpace(c)) {
      counted = 1;
      if (lines < INT_MAX) lines++;      // a count that cannot overflow; the cap refuses it
    }
  }
  fclose(f);
  return lines;
}

int CartesianPointsFromLines(int type, int lines) {
  if (type == 0) return lines/4;
  if (type == 2) return lines/3;
  return lines;
}

int ReadCartesianTrajectory(Robot r, const char* path, CartesianTrajectoryPtr t) {
  ClearCartesianTrajectory(t);
  int lines = wc(path);
  if (lines < 0) {
    JwWarning("Cannot open %s\n", path);
    return -1;
  }
  return read_cartesian(r, path, lines, t);
}

int ReadJointTrajectory(Robot r, const char* path, JointTrajectoryPtr t) {
  ClearJointTrajectory(t);
  int ntp = wc(path), n = r->n;
  if (ntp < 0) {
    JwWarning("Cannot open %s\n", path);
    return -1;
  }
  if (check_points(ntp, path) != 0) return -1;
  TrajScan s = {fopen(path, "r"), EOF, 1};
  double* v = (double*)malloc((size_t)n*sizeof(double));
  if (!s.f || !v) {
    JwWarning("Cannot open %s\n", path);
    if (s.f) fclose(s.f);
    free(v);
    return -1;
  }
  CartesianConfigRec* cc;
  JointConfigRec* jc;
  if (alloc_points(ntp, n, path, &cc, &jc) != 0) {
    fclose(s.f);
    free(v);
    return -1;
  }
  s.c = getc_unlocked(s.f);
  int rc = SCAN_OK, at = 0;
  for (int i = 0; i < ntp && rc == SCAN_OK; i++) {
    rc = scan_line(&s, v, n, 1, &at);
    for (int j = 0; j < n; j++) jc[i].q[j] = (float)v[j];
  }
  fclose(s.f);
  free(v);
  t->JC = jc;  t->CC = cc;  t->ntp = ntp;
  if (rc != SCAN_OK) {
    scan_fault(rc, path, at, n);
    ClearJointTrajectory(t);
    return -1;
  }
  for (int i = 0; i < ntp; i++) {
    cc[i].type = r->type;
    FwdKin(r, &jc[i], &cc[i]);
  }
  set_loaded(&t->active, &t->ntp, &t->last, &t->ctp, &t->state, ntp);
  return 0;
}

int LoadBuiltinPath(Robot r, const char* name, CartesianTrajectoryPtr t) {
  ClearCartesianTrajectory(t);
  const CTData* row = CTFind(name);
  if (!row || row->ntp < 1) return -1;
  CartesianConfigRec* cc;
  JointConfigRec* jc;
  if (alloc_points(row->ntp, r->n, name, &cc, &jc) != 0) return -1;
  int ntp = CTSampleList(row, cc);
  for (int i = 0; i < ntp; i++) cc[i].type = r->type;   // playable by every robot class
  t->CC = cc;  t->JC = jc;
  set_loaded(&t->active, &t->ntp, &t->last, &t->ctp, &t->state, ntp);
  return 0;
}

int LoadCartesianTrajectory(Robot r, const char* name, CartesianTrajectoryPtr t) {
  ClearCartesianTrajectory(t);
  char path[TOK_PATH_MAX + 1];
  if (!r || !name || MakePath(path, CTRAJ_DIR, name) != 0) {
    JwWarning("Cannot open %s\n", name ? name : "(null)");
    return -1;
  }
  int lines = wc(path);
  if (lines < 1) {
    if (LoadBuiltinPath(r, name, t) == 0) return 0;
    JwWarning("Cannot open %s\n", name);
    return -1;
  }
  return read_cartesian(r, path, lines, t);
}

int LoadJointTrajectory(Robot r, const char* name, JointTrajectoryPtr t) {
  ClearJointTrajectory(t);
  char path[TOK_PATH_MAX + 1];
  if (!r || !name || MakePath(path, JTRAJ_DIR, name) != 0) {
    JwWarning("Cannot open %s\n", name ? name : "(null)");
    return -1;
  }
  return ReadJointTrajectory(r, path, t);
}

//------------------------------------------------------------------ static helpers: writing

typedef struct _TrajOut_ {
  Robot r;
  const CartesianTrajectory* ct;
  const JointTrajectory* jt;
} TrajOut;

static int put_joint_points(FILE* f, const void* data) {
  const TrajOut* o = (const TrajOut*)data;
  for (int i = 0; i < o->ct->ntp; i++) {
    const float* q = o->ct->JC ? o->ct->JC[i].q : nullptr;
    for (int j = 0; j < o->r->n; j++)
      if (fprintf(f, "%lf ", q ? (double)q[j] : -1.0) < 0) return -1;
    if (fputc('\n', f) == EOF) return -1;
  }
  return 0;
}

static int put_line(FILE* f, const double* v) {
  return fprintf(f, "%lf %lf %lf \n", v[0], v[1], v[2]) < 0 ? -1 : 0;
}


static int put_cartesian_points(FILE* f, const void* data) {
  const TrajOut* o = (const TrajOut*)data;
  int type = o->r->type;
  if (o->ct && o->ct->active && o->ct->CC)
    for (int i = 0; i < o->ct->ntp; i++)
      if (PutCartesianPose(f, type, &o->ct->CC[i]) != 0) return -1;
  if (o->jt && o->jt->active && o->jt->CC)
    for (int i = 0; i < o->jt->ntp; i++)
      if (PutCartesianPose(f, type, &o->jt->CC[i]) != 0) return -1;
  return 0;
}

//------------------------------------------------------------------ public API: writing

int PutCartesianPose(FILE* f, int type, const CartesianConfigRec* p) {
  if (type != 2 && put_line(f, p->r) != 0) return -1;
  if (type != 0 && type != 2) return 0;
  for (int k = 0; k < 3; k++)
    if (put_line(f, p->Q[k]) != 0) return -1;
  return 0;
}

int TrajSavePath(char* path, const char* dir, Robot r, const char* text) {
  // dir, "/", the robot's name and "." come before the typed part
  const char* why = FileNameProblem(text, TOK_PATH_MAX - (int)(strlen(dir) + strlen(r->name)) - 2);
  if (why) {
    JwWarning("%s\n", why);
    return -1;
  }
  snprintf(path, TOK_PATH_MAX + 1, "%s/%s.%s", dir, r->name, text);
  return 0;
}

int TrajFileExists(const char* path) {
  return access(path, F_OK) == 0;
}

int WriteJointTrajectory(const char* path, Robot r, const CartesianTrajectory* ct) {
  if (!r || !ct || !ct->active || ct->ntp < 1) {
    JwWarning("No Cartesian trajectory to save\n");
    return -1;
  }
  TrajOut o = {r, ct, nullptr};
  return WriteFileSafely(path, put_joint_points, &o);
}

int WriteCartesianTrajectory(const char* path, Robot r, const CartesianTrajectory* ct,
                             const JointTrajectory* jt) {
  int have = (ct && ct->active && ct->ntp > 0) || (jt && jt->active && jt->ntp > 0);
  if (!r || !have) {
    JwWarning("No trajectory to save\n");
    return -1;
  }
  TrajOut o = {r, ct, jt};
  return WriteFileSafely(path, put_cartesian_points, &o);
}

void CtoJPresetName(const char* file, char* out, int size) {
  if (size < 1) return;
  const char* dot = strchr(file, '.');
  snprintf(out, (size_t)size, "%s_JT", dot ? dot + 1 : file);
}

//------------------------------------------------------------------ public API: list

// one rule for every per-robot file list
int TrajNameMatches(const char* rname, const char* entry) {
  return ConfigNameMatches(rname, entry);
}

int cart_traj_fill_match(const char* entry) {
  return R ? TrajNameMatches(R->name, entry) : 0;
}

int joint_traj_fill_match(const char* entry) {
  return R ? TrajNameMatches(R->name, entry) : 0;
}
