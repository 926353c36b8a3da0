// kin_pose.cpp -- velmora-kin fk, ik, indices and jacobian: one problem from the arguments,
// or one per line of standard input ("-") with the robot read once
#include <stdarg.h>  // for: va_list
#include <stdio.h>   // for: fprintf(), fputs(), vsnprintf()
#include <string.h>  // for: strcmp()

#include "cli/kin_cli.h"
#include "kin/fwdkin.h"       // for: FwdKin(), ConstructQ()
#include "kin/ikp.h"          // for: InvKin(), InvErr(), GetJacobianCond()
#include "robot/app_state.h"  // for: m_homogenous_length, m_maximum_reach

//------------------------------------------------------------------ module state

// one problem of a command: the numbers of an input line (line > 0) or of the arguments
// (line 0); its status, its result written in the format
typedef int (*OneProblem)(KinCall* c, const double* v, int k, int line);

static int batch_csv_cols = 0;   // columns of the command's CSV row (failure rows)

//------------------------------------------------------------------ static helpers: output

static const char* unit(Robot r, int j) {
  return r->L[j].joint == 0 ? "[deg]" : "[length]";
}

static void put_joint_header(FILE* f, Robot r) {
  for (int j = 0; j < r->n; j++) fprintf(f, "%sq%d%s", j ? "," : "", j + 1, unit(r, j));
}

static void joints_of(KinCall* c, double* q) {
  for (int j = 0; j < c->r->n; j++) q[j] = c->jc->q[j];
}

// the start every JSON answer shares: {"robot": name, "joints": [the current joints]
static void put_json_head(FILE* f, KinCall* c) {
  double q[64];
  joints_of(c, q);
  fputs("{\"robot\": ", f);
  KinPutJsonString(f, c->r->name);
  fputs(", \"joints\": ", f);
  KinPutJsonArray(f, q, c->r->n);
}

// a problem that cannot be solved: one message on standard error; in a batch also its line
// on standard output, so that the results stay in step with the input
static int problem_fail(KinCall* c, int line, int status, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
static int problem_fail(KinCall* c, int line, int status, const char* format, ...) {
  char reason[512];
  va_list ap;
  va_start(ap, format);
  vsnprintf(reason, sizeof(reason), format, ap);
  va_end(ap);
  if (line == 0) return KinFail(status, c->robot_arg, "%s", reason);
  KinFail(status, c->robot_arg, "line %d: %s", line, reason);
  FILE* f = KinOut();
  if (KinGetFormat() == KinText) {
    fprintf(f, "# line %d: %s\n", line, reason);
  } else if (KinGetFormat() == KinCsv) {
    for (int i = 1; i < batch_csv_cols; i++) fputc(',', f);
    fputc('\n', f);
  } else {
    fputs("{\"robot\": ", f);
    KinPutJsonString(f, c->r->name);
    fprintf(f, ", \"line\": %d, \"message\": ", line);
    KinPutJsonString(f, reason);
    fputs("}\n", f);
  }
  return status;
}

// exactly n joint values into jc; KinOk, or KinUsage after a message
static int set_joints(KinCall* c, const double* v, int k, int line) {
  if (k != c->r->n)
    return problem_fail(c, line, KinUsage, "%s has %d joints, %d values given", c->r->name,
                        c->r->n, k);
  for (int j = 0; j < k; j++) c->jc->q[j] = (float)v[j];
  return KinOk;
}

//------------------------------------------------------------------ static helpers: batches

// every line of standard input through one; the worst status, with a count on failures
static int run_batch(KinCall* c, OneProblem one) {
  KinLine line = {};
  int status = KinOk, total = 0, failed = 0;
  while (KinNextLine(stdin, &line)) {
    int s;
    total++;
    if (line.bad[0]) s = problem_fail(c, line.number, KinUsage, "not a number: '%s'", line.bad);
    else if (line.too_many) s = problem_fail(c, line.number, KinUsage, "too many numbers");
    else s = one(c, line.v, line.k, line.number);
    if (s != KinOk) failed++;
    status = KinWorse(status, s);
  }
  if (ferror(stdin)) status = KinWorse(status, KinFail(KinUnreadable, "-", "read error"));
  if (failed) KinFail(status, c->robot_arg, "%d of %d lines failed", failed, total);
  return status;
}

// "-" alone: a batch; else the arguments as one problem
static int run(KinCall* c, OneProblem one, void (*header)(KinCall*), int cols) {
  batch_csv_cols = cols;
  int batch = c->argc >= 1 && strcmp(c->argv[0], "-") == 0;
  if (batch && c->argc > 1) {
    return KinFail(KinUsage, c->robot_arg, "nothing may follow '-'");
  }
  if (KinGetFormat() == KinCsv) header(c);
  if (batch) return run_batch(c, one);
  double v[64];
  if (c->argc > 64) return KinFail(KinUsage, c->robot_arg, "too many numbers");
  int s = KinNumbers(c->robot_arg, c->argv, c->argc, v);
  return s != KinOk ? s : one(c, v, c->argc, 0);
}

//------------------------------------------------------------------ fk

static void fk_header(KinCall* c) {
  int t = c->r->type;
  const char* h = t == 2 ? "rx[deg],ry[deg],rz[deg]"
                : t == 4 ? "x[length],y[length],z[length]"
                         : "x[length],y[length],z[length],rx[deg],ry[deg],rz[deg]";
  fprintf(KinOut(), "%s\n", h);
}

// the numbers of the robot's task: position, angles or both
static int fk_one(KinCall* c, const double* v, int k, int line) {
  int s = set_joints(c, v, k, line);
  if (s != KinOk) return s;
  if (FwdKin(c->r, c->jc, c->cc) != 0) return problem_fail(c, line, KinFailed, "no pose");
  CartesianConfig cc = c->cc;
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  if (fmt != KinJson) {
    char sep = fmt == KinCsv ? ',' : ' ';
    if (cc->type == 2) {
      KinPutNumbers(f, cc->ang, 3, sep);
    } else {
      KinPutNumbers(f, cc->r, 3, sep);
      if (cc->type != 4) {
        fputc(sep, f);
        KinPutNumbers(f, cc->ang, 3, sep);
      }
    }
    fputc('\n', f);
    return KinOk;
  }
  put_json_head(f, c);
  if (cc->type != 2) {
    fputs(", \"position\": ", f);
    KinPutJsonArray(f, cc->r, 3);
  }
  if (cc->type != 4) {
    fputs(", \"rotation\": [", f);
    for (int i = 0; i < 3; i++) {
      if (i) fputs(", ", f);
      KinPutJsonArray(f, cc->Q[i], 3);
    }
    fputs("], \"angles\": ", f);
    KinPutJsonArray(f, cc->ang, 3);
  }
  fputs("}\n", f);
  return KinOk;
}

int KinCmdFk(KinCall* c) {
  int t = c->r->type;
  return run(c, fk_one, fk_header, t == 0 ? 6 : 3);
}

//------------------------------------------------------------------ ik

static float from_q[64];      // --from: the start of every solve
static int have_from = 0;

static void ik_header(KinCall* c) {
  FILE* f = KinOut();
  put_joint_header(f, c->r);
  fputs(",code[1],message[text]\n", f);
}

// the target from x y z [rx ry rz] by the robot's task kind; KinOk or KinUsage
static int ik_target(KinCall* c, const double* t, int k, int line, CartesianConfigRec* target) {
  *target = *c->cc;
  if (k != 3 && k != 6) return problem_fail(c, line, KinUsage, "x y z [rx ry rz] expected");
  if (target->type == 0 && k != 6)
    return problem_fail(c, line, KinUsage, "%s is spatial: x y z rx ry rz expected",
                        c->r->name);
  if (target->type == 2) {             // orientation only: the last three numbers
    const double* a = k == 6 ? t + 3 : t;
    for (int i = 0; i < 3; i++) target->ang[i] = a[i];
    ConstructQ(target);
  } else {
    for (int i = 0; i < 3; i++) target->r[i] = t[i];
    if (k == 6) {
      for (int i = 0; i < 3; i++) target->ang[i] = t[3 + i];
      ConstructQ(target);
    }
  }
  return KinOk;
}

// text: the joints, then (alone, not in a batch) the code and "Converged" on a line of their own
static void ik_put(KinCall* c, int code, int ok, int line) {
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  double q[64];
  joints_of(c, q);
  const char* msg = ok ? "Converged" : InvErr(code);
  if (fmt == KinText) {
    KinPutNumbers(f, q, c->r->n, ' ');
    fputc('\n', f);
    if (line == 0) fprintf(f, "%d %s\n", code, msg);
  } else if (fmt == KinCsv) {
    if (ok) KinPutNumbers(f, q, c->r->n, ',');
    else for (int j = 1; j < c->r->n; j++) fputc(',', f);
    fprintf(f, ",%d,%s\n", code, msg);
  } else {
    fputs("{\"robot\": ", f);
    KinPutJsonString(f, c->r->name);
    fputs(", \"joints\": ", f);
    if (ok) KinPutJsonArray(f, q, c->r->n);
    else fputs("null", f);
    fprintf(f, ", \"code\": %d, \"message\": ", code);
    KinPutJsonString(f, msg);
    fputs("}\n", f);
  }
}

// solved from --from, else from where the last solve left the joints (the home values at
// first); a failure leaves them as they were
static int ik_one(KinCall* c, const double* v, int k, int line) {
  CartesianConfigRec target;
  int s = ik_target(c, v, k, line, &target);
  if (s != KinOk) return s;
  if (have_from)
    for (int j = 0; j < c->r->n; j++) c->jc->q[j] = from_q[j];
  int code = InvKin(c->r, c->jc, &target);
  if (code >= 0) {
    ik_put(c, code, 1, line);
    return KinOk;
  }
  char text[512];
  KinTakeWarnings(text, sizeof(text));
  const char* msg = text[0] ? text : InvErr(code);
  if (line > 0 && KinGetFormat() == KinText) {
    fprintf(KinOut(), "# line %d: %s\n", line, msg);
  } else if (line > 0 || KinGetFormat() != KinText) {
    ik_put(c, code, 0, line);           // CSV and JSON say so in the result
  }
  if (line > 0) return KinFail(KinFailed, c->robot_arg, "line %d: %s", line, msg);
  return KinFail(KinFailed, c->robot_arg, "%s", msg);
}

int KinCmdIk(KinCall* c) {
  int k = 0;
  while (k < c->argc && strcmp(c->argv[k], "--from") != 0) k++;
  have_from = 0;
  if (k < c->argc) {
    int nf = c->argc - k - 1;
    double v[64];
    if (nf != c->r->n)
      return KinFail(KinUsage, c->robot_arg, "--from: %s has %d joints, %d values given",
                     c->r->name, c->r->n, nf);
    int s = KinNumbers(c->robot_arg, c->argv + k + 1, nf, v);
    if (s != KinOk) return s;
    for (int j = 0; j < nf; j++) from_q[j] = (float)v[j];
    have_from = 1;
  }
  c->argc = k;
  return run(c, ik_one, ik_header, c->r->n + 2);
}

//------------------------------------------------------------------ indices

static void indices_header(KinCall*) {
  fputs("length[length],reach[length],rcond[1]\n", KinOut());
}

// the characteristic length and reach of the reader, 1/kappa at the joints (home: none)
static int indices_one(KinCall* c, const double* v, int k, int line) {
  if (line > 0 || k > 0) {
    int s = set_joints(c, v, k, line);
    if (s != KinOk) return s;
  }
  double x[3] = {m_homogenous_length, m_maximum_reach, GetJacobianCond(c->jc, c->cc)};
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  if (fmt != KinJson) {
    KinPutNumbers(f, x, 3, fmt == KinCsv ? ',' : ' ');
    fputc('\n', f);
    return KinOk;
  }
  put_json_head(f, c);
  char s[40];
  KinFixed(s, x[0]);
  fprintf(f, ", \"length\": %s", s);
  KinFixed(s, x[1]);
  fprintf(f, ", \"reach\": %s", s);
  KinFixed(s, x[2]);
  fprintf(f, ", \"rcond\": %s}\n", s);
  return KinOk;
}

int KinCmdIndices(KinCall* c) {
  return run(c, indices_one, indices_header, 3);
}

//------------------------------------------------------------------ jacobian

static int jacobian_rows(KinCall* c) {
  return c->r->type == 0 ? 6 : 3;
}

static void jacobian_header(KinCall* c) {
  FILE* f = KinOut();
  for (int i = 0; i < jacobian_rows(c); i++)
    for (int j = 0; j < c->r->n; j++) fprintf(f, "J%d.%d[1],", i + 1, j + 1);
  fputs("rcond[1]\n", f);
}

// the matrix 1/kappa is taken of, by rows, and 1/kappa
static int jacobian_one(KinCall* c, const double* v, int k, int line) {
  if (line > 0 || k > 0) {
    int s = set_joints(c, v, k, line);
    if (s != KinOk) return s;
  }
  int n = c->r->n;
  double buf[6*64];
  double* M[6];
  for (int i = 0; i < 6; i++) M[i] = buf + i*n;
  int rows = GetTaskJacobian(c->r, c->jc, c->cc, M);
  if (rows < 0) return problem_fail(c, line, KinFailed, "no task Jacobian for this robot");
  double rc = GetJacobianCondOf(c->r, c->jc, c->cc);
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  char s[40];
  KinFixed(s, rc);
  if (fmt == KinJson) {
    put_json_head(f, c);
    fputs(", \"jacobian\": [", f);
    for (int i = 0; i < rows; i++) {
      if (i) fputs(", ", f);
      KinPutJsonArray(f, M[i], n);
    }
    fprintf(f, "], \"rcond\": %s}\n", s);
  } else if (fmt == KinCsv || line > 0) {
    char sep = fmt == KinCsv ? ',' : ' ';
    for (int i = 0; i < rows; i++) {
      KinPutNumbers(f, M[i], n, sep);
      fputc(sep, f);
    }
    fprintf(f, "%s\n", s);
  } else {
    for (int i = 0; i < rows; i++) {
      KinPutNumbers(f, M[i], n, ' ');
      fputc('\n', f);
    }
    fprintf(f, "%s\n", s);
  }
  return KinOk;
}

int KinCmdJacobian(KinCall* c) {
  return run(c, jacobian_one, jacobian_header, jacobian_rows(c)*c->r->n + 1);
}
