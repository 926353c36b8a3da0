// reader.cpp -- robot description files: the parse into a robot record, and the writers
#include "robot/reader.h"

#include <math.h>      // for: fabsf()
#include <stdio.h>     // for: printf(), fprintf(), open_memstream()
#include <stdlib.h>    // for: calloc(), realloc(), free()
#include <string.h>    // for: memset(), strrchr()

#include "robot/app_state.h"      // for: allRevolute
#include "graphics/misc.h"  // for: JwWarning()
#include "base/message.h"        // for: VmMessage()
#include "robot/tokenizer.h"

//------------------------------------------------------------------ keyword tables

static const NameVal joint_list[] = {
  {"revolute", 0}, {"rev", 0}, {"prismatic", 1}, {"pris", 1}, {nullptr, 0}};
static const NameVal geom_list[] = {{"up", 0}, {"down", 1}, {"full", 2}, {nullptr, 0}};
static const NameVal HD_list[] = {{"Orvane", 0}, {"Craig", 1}, {nullptr, 0}};
static const NameVal EE_list[] = {
  {"none", 0}, {"hand", 1}, {"welder", 2}, {"glue", 3}, {"paint", 4}, {"pointer", 5},
  {nullptr, 0}};

static RobotRec R_t;   // robot-level values of the file being read
static Link L_t;       // the link block being read

static const Symbol Rnames[] = {
  {"geomtype", Name, Int, &R_t.geom_type, geom_list, 0},
  {"HDtype", Name, Int, &R_t.HD_type, HD_list, 0},
  {"EndEffector", Name, Int, &R_t.EE.type, EE_list, 0},
};
static const Symbol Lnames[] = {
  {"joint", Name, Int, &L_t.joint, joint_list, 0},
  {"a", Float, Float, &L_t.a, nullptr, 0},
  {"b", Float, Float, &L_t.b, nullptr, 0},
  {"al", Float, Float, &L_t.al, nullptr, 0},
  {"th", Float, Float, &L_t.th, nullptr, 0},
  {"limits", OpenVect, Float, L_t.h_q_limit, nullptr, 2},
  {"m", Float, Float, &L_t.m, nullptr, 0},
  {"cm", OpenVect, Float, L_t.cm, nullptr, 3},
  {"I", OpenVect, Float, L_t.I, nullptr, 6},
};
#define N_RNAMES ((int)(sizeof(Rnames)/sizeof(Rnames[0])))
#define N_LNAMES ((int)(sizeof(Lnames)/sizeof(Lnames[0])))

//------------------------------------------------------------------ module state

static int mode = 0;                  // 0 outside, 1 inside a link block
static const Symbol* List = Rnames;   // active keyword table
static int nl = N_RNAMES;

//------------------------------------------------------------------ static helpers

static void SetIdentity(Matrix M) {
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) M[i][j] = (i == j) ? 1.0f : 0.0f;
}

static void Abort(Robot r) {
  CleanAbort(r);
  mode = 0;  List = Rnames;  nl = N_RNAMES;
}

//------------------------------------------------------------------ public API: reading

// the parse of the open input into a robot named base
static Robot ReadOpened(const char* base) {
  mode = 0;  List = Rnames;  nl = N_RNAMES;
  int k = -1;
  memset(&R_t, 0, sizeof(R_t));
  R_t.HD_type = 0;  R_t.geom_type = 1;  R_t.limits = 0;  R_t.avg_len = 0;  R_t.EE.type = 0;
  int cap = 8;
  Robot r = (Robot)calloc(1, sizeof(RobotRec));
  if (r) r->L = (Link*)calloc(cap, sizeof(Link));
  if (!r || !r->L) {
    free(r);
    TokClose();
    return nullptr;
  }
  r->limits = 0;  r->n = 0;  r->avg_len = 0;

  Token t;
  for (;;) {
    int tt = ReadToken(&t);
    if (tt == Name) {
      TokTrace("%d: %s", TokLine(), t.name);
      if (ReadAssignment(t.name, nl, List) != 0) {
        Abort(r);
        return nullptr;
      }
    } else if (tt == OpenLink) {
      if (mode == 1) {
        VmMessage(MsgWarning, "Unexpected '{' at line %d in %s\n", TokLine(), TokPath());
        Abort(r);
        return nullptr;
      }
      TokTrace("%d:  %c\n", TokLine(), '{');
      mode = 1;  List = Lnames;  nl = N_LNAMES;
      if (OpenNewLink(r, &L_t, &cap, &k) != 0) {
        Abort(r);
        return nullptr;
      }
    } else if (tt == CloseLink) {
      if (mode == 0) {
        VmMessage(MsgWarning, "Unexpected '{' at line %d in %s\n", TokLine(), TokPath());
        Abort(r);
        return nullptr;
      }
      TokTrace("%d:  %c\n", TokLine(), '}');
      CloseNewLink(r, &L_t, k);
      mode = 0;  List = Rnames;  nl = N_RNAMES;
    } else if (tt == EndOfFile) {
      if (mode == 1) {
        VmMessage(MsgWarning, "Unmatched '{'\n");
        Abort(r);
        return nullptr;
      }
      break;
    } else {
      VmMessage(MsgRefusal, "ERROR at line %d\n", TokLine());
      Abort(r);
      return nullptr;
    }
  }
  // the preparation needs a last link
  if (r->n < 1) {
    JwWarning("%s: no link block; a robot needs at least one link\n", TokPath());
    Abort(r);
    return nullptr;
  }

  int n = r->n;
  r->HD_type = R_t.HD_type;
  r->geom_type = R_t.geom_type;
  if (r->geom_type == 2) r->limits = 1;
  r->changed = 0;
  r->wrist_partitioned =
    (n == 6 && r->L[3].a == 0.0f && r->L[4].a == 0.0f && r->L[4].b == 0.0f) ? 1 : 0;
  strncpy(r->name, base, sizeof(r->name) - 1);   // at most 63 characters
  r->name[sizeof(r->name) - 1] = '\0';
  RobotType(r);
  r->EE.type = R_t.EE.type;
  TokClose();
  return r;
}

Robot ReadRobotRecord(const char* name) {
  char path[TOK_PATH_MAX + 1];
  if (!name || MakePath(path, "Arch", name) < 0) {
    JwWarning("Unable to open file `%s'\n", name ? path : "(null)");
    return nullptr;
  }
  if (TokOpen(path) < 0) return nullptr;
  const char* base = strrchr(path, '/');
  return ReadOpened(base ? base + 1 : path);
}

Robot ReadRobotRecordText(const char* text, const char* name) {
  if (!text || !name || !name[0]) {
    JwWarning("Unable to open file `%s'\n", name ? name : "(null)");
    return nullptr;
  }
  if (TokOpenText(text, name) < 0) return nullptr;
  const char* base = strrchr(name, '/');
  return ReadOpened(base ? base + 1 : name);
}

void FinishRobotRecord(Robot r, int length_done) {
  if (!length_done) r->avg_len = r->avg_len/(2.0f*r->n);
  r->rad = r->avg_len/8.0f;
  r->EElist = nullptr;
  r->EE.DestroyProc = nullptr;  r->EE.DrawProc = nullptr;  r->EE.EditProc = nullptr;
  SetIdentity(r->EE.Qee);
  SetIdentity(r->EE.Qee_gl);
  r->links = nullptr;
}

Robot ParseRobot(const char* name) {
  Robot r = ReadRobotRecord(name);
  if (r) FinishRobotRecord(r, 0);
  return r;
}

// links opened but not closed are all-zero, so FreeRobot can take every one of them
void CleanAbort(Robot r) {
  TokClose();
  if (!r) return;
  r->links = nullptr;
  FreeRobot(r);
}

// the limit is checked before anything is allocated for the extra link, so a huge file
// is refused as soon as its first extra block opens
int OpenNewLink(Robot r, LinkPtr lt, int* capacity, int* index) {
  if (r->n >= ROBOT_MAX_LINKS) {
    JwWarning("Too many links at line %d in %s: a robot has at most %d\n", TokLine(),
              TokPath(), ROBOT_MAX_LINKS);
    return -1;
  }
  if (r->n + 1 > *capacity) {
    int cap = *capacity + 8;
    Link* L = (Link*)realloc(r->L, (size_t)cap*sizeof(Link));
    if (!L) {
      JwWarning("%s: no memory for link %d\n", TokPath(), r->n + 1);
      return -1;
    }
    r->L = L;
    *capacity = cap;
  }
  r->n++;
  (*index)++;
  memset(&r->L[*index], 0, sizeof(Link));
  SetLinkDefaults(lt);
  return 0;
}

void CloseNewLink(Robot r, LinkPtr lt, int index) {
  lt->q_limit[0] = lt->h_q_limit[0];
  lt->q_limit[1] = lt->h_q_limit[1];
  if (PrepareLink(&r->L[index], lt)) r->limits = 1;
  r->avg_len += lt->a + fabsf(lt->b);
}


//------------------------------------------------------------------ public API: writing

// what one writer puts out
typedef struct _RobotFile_ {
  const char* title;          // the name in the heading comment
  const char* geom;           // "up", "down" or "full"
  int n;
  const RobotFileRow* rows;
  const char* prismatic;      // the joint line of a prismatic link
  const char* ee;             // end-effector value, or NULL for no line
} RobotFile;

// printing stops at the first failed call; the caller then keeps the old file
static int PutRobotFile(FILE* f, const void* data) {
  const RobotFile* rf = (const RobotFile*)data;
  if (fprintf(f, "/*************************\n") < 0) return -1;
  if (fprintf(f, "%s", rf->title) < 0) return -1;
  if (fprintf(f, "\n*************************/\n") < 0) return -1;
  if (fprintf(f, "geomtype = %s\n\n", rf->geom) < 0) return -1;
  for (int k = 0; k < rf->n; k++) {
    const RobotFileRow* w = &rf->rows[k];
    if (fprintf(f, "/** Link %d **/\n", k + 1) < 0) return -1;
    if (fprintf(f, "{\n") < 0) return -1;
    if (w->joint == 1 && fprintf(f, "%s", rf->prismatic) < 0) return -1;
    if (fprintf(f, "     a  = %lf\n", (double)w->a) < 0) return -1;
    if (fprintf(f, "     b  = %lf\n", (double)w->b) < 0) return -1;
    if (fprintf(f, "     al = %lf\n", (double)w->al) < 0) return -1;
    if (fprintf(f, "     th = %lf\n", (double)w->th) < 0) return -1;
    if (w->limits_on &&
        fprintf(f, "     limits = [ %lf,  %lf]\n", (double)w->qmin, (double)w->qmax) < 0)
      return -1;
    if (fprintf(f, "}\n") < 0) return -1;
  }
  if (rf->ee && fprintf(f, "EndEffector = %s\n\n", rf->ee) < 0) return -1;
  return 0;
}

// rows of Save and Save As: the current joint values become the home pose
static RobotFileRow* RowsFromRobot(Robot r, const float* q, const int* lim_on,
                                   const float (*lim)[2]) {
  RobotFileRow* rows = (RobotFileRow*)calloc(r->n > 0 ? r->n : 1, sizeof(RobotFileRow));
  if (!rows) return nullptr;
  for (int k = 0; k < r->n; k++) {
    const Link* l = &r->L[k];
    RobotFileRow* w = &rows[k];
    w->joint = l->joint ? 1 : 0;
    w->a = l->a;  w->al = l->al;
    w->b = (w->joint == 1 && q) ? q[k] : l->b;
    w->th = (w->joint == 0 && q) ? q[k] : l->th;
    w->limits_on = (lim_on && lim) ? lim_on[k] : 0;
    if (w->limits_on) {
      w->qmin = lim[k][0];
      w->qmax = lim[k][1];
    }
  }
  return rows;
}

// the end-effector value of a mounted end effector: its own name where the file has one
static const char* EEValue(Robot r) {
  if (!r->EE.DestroyProc) return nullptr;
  for (const NameVal* nv = EE_list; nv->name; nv++)
    if (nv->val == r->EE.type && nv->val != 0) return nv->name;
  return "hand";
}

// the file of robot r under name (its title the name's last part): rows from r, q and the
// limits; rf->rows to free, or NULL when memory ran out
static RobotFileRow* FillRobotFile(RobotFile* rf, Robot r, const char* name, const char* geom,
                                   const float* q, const int* lim_on, const float (*lim)[2]) {
  const char* base = strrchr(name, '/');
  rf->title = base ? base + 1 : name;
  rf->geom = geom;
  rf->n = r->n;
  rf->rows = RowsFromRobot(r, q, lim_on, lim);
  rf->prismatic = "     joint = prismatic\n";
  rf->ee = EEValue(r);
  return (RobotFileRow*)rf->rows;
}

static const char* SaveGeom(Robot r) {
  static const char* geoms[3] = {"up", "down", "full"};
  return (r->geom_type >= 0 && r->geom_type <= 2) ? geoms[r->geom_type] : "up";
}

static int SaveRobotTo(Robot r, const char* name, const char* geom, const float* q,
                       const int* lim_on, const float (*lim)[2]) {
  char path[TOK_PATH_MAX + 1];
  if (!r || r->n < 1 || !name || !name[0]) {
    JwWarning("Unable to write file `%s'\n", name ? name : "(null)");
    return -1;
  }
  if (MakePath(path, "Arch", name) < 0) {
    JwWarning("Unable to write file `%s'\n", name);
    return -1;
  }
  RobotFile rf;
  RobotFileRow* rows = FillRobotFile(&rf, r, path, geom, q, lim_on, lim);
  if (!rows) {
    JwWarning("Unable to write file `%s'\n", path);
    return -1;
  }
  int rc = WriteFileSafely(path, PutRobotFile, &rf);
  free(rows);
  return rc;
}

int SaveRobot(Robot r, const float* q, const int* lim_on, const float (*lim)[2]) {
  if (!r) return SaveRobotTo(r, nullptr, nullptr, q, lim_on, lim);
  return SaveRobotTo(r, r->name, SaveGeom(r), q, lim_on, lim);
}

// the same printer into a memory stream: the bytes Save would put in the file
char* RobotText(Robot r, const float* q, const int* lim_on, const float (*lim)[2]) {
  if (!r || r->n < 1) return nullptr;
  RobotFile rf;
  RobotFileRow* rows = FillRobotFile(&rf, r, r->name, SaveGeom(r), q, lim_on, lim);
  char* text = nullptr;
  size_t len = 0;
  FILE* f = rows ? open_memstream(&text, &len) : nullptr;
  int rc = f ? PutRobotFile(f, &rf) : -1;
  if (f && fclose(f) != 0) rc = -1;
  free(rows);
  if (rc != 0) {
    free(text);
    JwWarning("Out of memory for the text of robot %s\n", r->name);
    return nullptr;
  }
  return text;
}

int SaveRobotAs(Robot r, const char* name, const float* q, const int* lim_on,
                const float (*lim)[2]) {
  const char* geom = (r && r->geom_type == 1) ? "down" : "up";
  return SaveRobotTo(r, name, geom, q, lim_on, lim);
}

int SaveNewRobot(const char* name, int n, const RobotFileRow* rows) {
  char path[TOK_PATH_MAX + 1];
  if (!name || !name[0] || n < 1 || !rows || MakePath(path, "Arch", name) < 0) {
    JwWarning("Unable to write file `%s'\n", name ? name : "(null)");
    return -1;
  }
  const char* base = strrchr(path, '/');
  RobotFile rf = {base ? base + 1 : path, "up", n, rows, "joint = prismatic\n", nullptr};
  return WriteFileSafely(path, PutRobotFile, &rf);
}
