// kin_files.cpp -- velmora-kin check, path, solve, urdf and list: robots, trajectories and
// what the data folder offers
#include <dirent.h>  // for: opendir(), readdir()
#include <stdio.h>   // for: fprintf(), fputs(), open_memstream()
#include <stdlib.h>  // for: calloc(), free(), qsort()
#include <string.h>  // for: strcmp(), strrchr(), strdup()

#include "cli/kin_cli.h"
#include "collide/collide.h"      // for: CollideBuild(), CollideClearance()
#include "kin/ikp.h"              // for: InvErr()
#include "links/links.h"          // for: geomlinks, ngeomlinks
#include "robot/app_state.h"      // for: ClearCartesianTrajectory()
#include "robot/jconfig.h"        // for: ConfigNameMatches()
#include "robot/robot_files.h"    // for: ListRobotFiles()
#include "robot/urdf_export.h"    // for: PutUrdfScaled()
#include "traj/ctraj.h"           // for: CTFind(), CTSampleList(), CTlist
#include "traj/traj_file.h"       // for: PutCartesianPose(), LoadCartesianTrajectory()
#include "traj/traj_solve.h"      // for: SolveTrajPoint()

//------------------------------------------------------------------ static helpers

static void put_robot_field(FILE* f, KinCall* c) {
  fputs("{\"robot\": ", f);
  KinPutJsonString(f, c->r->name);
}

static int by_name(const void* a, const void* b) {
  return strcmp(*(char* const*)a, *(char* const*)b);
}

// the names to print, sorted; in text one a line, in CSV under "name[text]", in JSON one
// object naming the list
static void put_names(const char* list, char** names, int k) {
  qsort(names, (size_t)k, sizeof(char*), by_name);
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  if (fmt == KinCsv) fputs("name[text]\n", f);
  if (fmt == KinJson) {
    fputs("{\"list\": ", f);
    KinPutJsonString(f, list);
    fputs(", \"names\": [", f);
  }
  for (int i = 0; i < k; i++) {
    if (fmt == KinJson) {
      if (i) fputs(", ", f);
      KinPutJsonString(f, names[i]);
    } else {
      fprintf(f, "%s\n", names[i]);
    }
  }
  if (fmt == KinJson) fputs("]}\n", f);
}

// the entries of dir that match accepts for rname, appended to names (room for cap)
static int add_dir_names(const char* dir, const char* rname,
                         int (*match)(const char*, const char*), char** names, int k, int cap) {
  DIR* d = opendir(dir);
  if (!d) return k;
  for (struct dirent* e = readdir(d); e && k < cap; e = readdir(d))
    if (match(rname, e->d_name)) names[k++] = strdup(e->d_name);
  closedir(d);
  return k;
}

// the robot name of a ROBOT argument: the file name of a path
static const char* robot_name(const char* arg) {
  const char* s = strrchr(arg, '/');
  return s ? s + 1 : arg;
}

//------------------------------------------------------------------ check

int KinCmdCheck(KinCall* c) {
  if (c->argc != 0) return KinFail(KinUsage, "check", "only ROBOT expected");
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  if (fmt == KinText) {
    fprintf(f, "ok %d %d\n", c->r->n, c->r->type);
  } else if (fmt == KinCsv) {
    fputs("robot[text],links[1],type[1]\n", f);
    fprintf(f, "%s,%d,%d\n", c->r->name, c->r->n, c->r->type);
  } else {
    put_robot_field(f, c);
    fprintf(f, ", \"links\": %d, \"type\": %d}\n", c->r->n, c->r->type);
  }
  return KinOk;
}

//------------------------------------------------------------------ path

// the samples of a built-in path: in text the Cartesian trajectory file format itself
int KinCmdPath(KinCall* c) {
  if (c->argc != 1) return KinFail(KinUsage, "path", "NAME expected");
  const CTData* row = CTFind(c->argv[0]);
  if (!row) {
    return KinFail(KinUnreadable, c->argv[0], "no built-in path of that name (velmora-kin "
                   "list paths shows them)");
  }
  CartesianConfigRec* cc = (CartesianConfigRec*)calloc(row->ntp, sizeof(CartesianConfigRec));
  if (!cc) return KinFail(KinFailed, c->argv[0], "out of memory");
  int n = CTSampleList(row, cc);
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  if (fmt == KinCsv)
    fputs("x[length],y[length],z[length],Q11[1],Q12[1],Q13[1],Q21[1],Q22[1],Q23[1],"
          "Q31[1],Q32[1],Q33[1]\n", f);
  for (int i = 0; i < n; i++) {
    if (fmt == KinText) {
      PutCartesianPose(f, 0, &cc[i]);
    } else if (fmt == KinCsv) {
      KinPutNumbers(f, cc[i].r, 3, ',');
      for (int k = 0; k < 3; k++) {
        fputc(',', f);
        KinPutNumbers(f, cc[i].Q[k], 3, ',');
      }
      fputc('\n', f);
    } else {
      fputs("{\"path\": ", f);
      KinPutJsonString(f, row->name);
      fprintf(f, ", \"point\": %d, \"position\": ", i + 1);
      KinPutJsonArray(f, cc[i].r, 3);
      fputs(", \"rotation\": [", f);
      for (int k = 0; k < 3; k++) {
        if (k) fputs(", ", f);
        KinPutJsonArray(f, cc[i].Q[k], 3);
      }
      fputs("]}\n", f);
    }
  }
  free(cc);
  return KinOk;
}

//------------------------------------------------------------------ solve

// one solved point: the joints, the solver's code and 1/kappa there, then the clearance when
// m is not NULL; a refused point is a comment line in text (the joints kept are not an answer)
static void put_solved(KinCall* c, int i, int code, double rcond, CollideModel m) {
  FILE* f = KinOut();
  int fmt = KinGetFormat(), n = c->r->n, ok = code >= 0;
  double q[64];
  for (int j = 0; j < n; j++) q[j] = c->jc->q[j];
  char s[40];
  KinFixed(s, rcond);
  if (fmt == KinText) {
    if (!ok) {
      fprintf(f, "# point %d: %s\n", i + 1, InvErr(code));
      return;
    }
    KinPutNumbers(f, q, n, ' ');
    fprintf(f, " %d %s", code, s);
    if (m) {
      fputc(' ', f);
      KinPutClearance(f, CollideClearance(m, c->jc->q, nullptr));
    }
    fputc('\n', f);
  } else if (fmt == KinCsv) {
    if (ok) KinPutNumbers(f, q, n, ',');
    else for (int j = 1; j < n; j++) fputc(',', f);
    fprintf(f, ",%d,%s", code, ok ? s : "");
    if (m) {
      fputc(',', f);
      if (ok) KinPutClearance(f, CollideClearance(m, c->jc->q, nullptr));
    }
    fputc('\n', f);
  } else {
    put_robot_field(f, c);
    fprintf(f, ", \"point\": %d, \"joints\": ", i + 1);
    if (ok) KinPutJsonArray(f, q, n);
    else fputs("null", f);
    fprintf(f, ", \"code\": %d, \"message\": ", code);
    KinPutJsonString(f, ok ? "Converged" : InvErr(code));
    fprintf(f, ", \"rcond\": %s", ok ? s : "null");
    if (m) {
      fputs(", \"clearance\": ", f);
      if (ok) KinPutClearance(f, CollideClearance(m, c->jc->q, nullptr));
      else fputs("null", f);
    }
    fputs("}\n", f);
  }
}

// every point from the home joints on, as continuous playback solves them
int KinCmdSolve(KinCall* c) {
  int scene;
  int st = KinTakeScene(c, &scene);
  if (st != KinOk) return st;
  if (c->argc != 1) return KinFail(KinUsage, "solve", "ROBOT TRAJECTORY [SCENE] expected");
  const char* arg = c->argv[0];
  CartesianTrajectory t = {};
  int rc;
  if (KinIsPath(arg)) {
    char path[4096 + 512], where[2*4096 + 1100];
    if (KinResolvePath(arg, path, sizeof(path), where, sizeof(where)) != 0)
      return KinFail(KinUnreadable, arg, "path cannot be used");
    rc = ReadCartesianTrajectory(c->r, path, &t);
    if (rc != 0) return KinFail(KinUnreadable, arg, "cannot be read (%s)", where);
  } else {
    rc = LoadCartesianTrajectory(c->r, arg, &t);
    if (rc != 0)
      return KinFail(KinUnreadable, arg, "neither Ctraj/%s in the data folder nor a built-in "
                     "path", arg);
  }
  FILE* f = KinOut();
  if (KinGetFormat() == KinCsv) {
    for (int j = 0; j < c->r->n; j++)
      fprintf(f, "q%d%s,", j + 1, c->r->L[j].joint == 0 ? "[deg]" : "[length]");
    fputs(scene ? "code[1],rcond[1],clearance[length]\n" : "code[1],rcond[1]\n", f);
  }
  CollideModel m = scene ? CollideBuild(c->r) : nullptr;
  int refused = 0;
  for (int i = 0; i < t.ntp; i++) {
    double k = 0.0;
    int code = SolveTrajPoint(c->r, c->jc, &t, i, &k);
    put_solved(c, i, code, k, m);
    if (code < 0) refused++;
  }
  int n = t.ntp;
  CollideFree(m);
  ClearCartesianTrajectory(&t);
  if (refused)
    return KinFail(KinFailed, c->robot_arg, "%d of %d points not solved", refused, n);
  return KinOk;
}

//------------------------------------------------------------------ urdf

int KinCmdUrdf(KinCall* c) {
  double scale = 1.0;
  if (c->argc == 2 && strcmp(c->argv[0], "--scale") == 0) {
    if (KinNumber(c->argv[1], &scale) != 0 || !(scale > 0.0))
      return KinFail(KinUsage, "--scale", "a positive number expected, not '%s'", c->argv[1]);
  } else if (c->argc != 0) {
    return KinFail(KinUsage, "urdf", "only ROBOT [--scale S] expected");
  }
  int fmt = KinGetFormat();
  if (fmt == KinCsv) return KinFail(KinUsage, "urdf", "a URDF document has no CSV form");
  if (fmt == KinText) {
    if (PutUrdfScaled(KinOut(), c->r, scale) != 0)
      return KinFail(KinFailed, c->robot_arg, "cannot write the document");
    return KinOk;
  }
  char* text = nullptr;
  size_t len = 0;
  FILE* m = open_memstream(&text, &len);
  int rc = m ? PutUrdfScaled(m, c->r, scale) : -1;
  if (m) fclose(m);
  if (rc == 0) {
    FILE* f = KinOut();
    char s[40];
    KinFixed(s, scale);
    put_robot_field(f, c);
    fprintf(f, ", \"scale\": %s, \"urdf\": ", s);
    KinPutJsonString(f, text);
    fputs("}\n", f);
  }
  free(text);
  return rc == 0 ? KinOk : KinFail(KinFailed, c->robot_arg, "cannot write the document");
}

//------------------------------------------------------------------ list

int KinCmdList(KinCall* c) {
  const char* what = c->argc >= 1 ? c->argv[0] : "";
  int per_robot = !strcmp(what, "configs") || !strcmp(what, "trajectories");
  if (c->argc != (per_robot ? 2 : 1) ||
      !(per_robot || !strcmp(what, "robots") || !strcmp(what, "paths") ||
        !strcmp(what, "models")))
    return KinFail(KinUsage, "list", "robots, paths, models, configs ROBOT or trajectories "
                   "ROBOT expected");
  enum { kCap = 100000 };
  char** names = (char**)calloc(kCap, sizeof(char*));
  if (!names) return KinFail(KinFailed, "list", "out of memory");
  int k = 0;
  if (!strcmp(what, "robots")) {
    NameListPtr l = ListRobotFiles();
    for (int i = 0; l && i < l->n && k < kCap; i++) names[k++] = strdup(l->name[i]);
    FreeNameList(l);
  } else if (!strcmp(what, "paths")) {
    for (int i = 0; CTlist[i].ntp != 0; i++) names[k++] = strdup(CTlist[i].name);
  } else if (!strcmp(what, "models")) {
    for (int i = 0; i < ngeomlinks; i++) names[k++] = strdup(geomlinks[i].name);
  } else if (!strcmp(what, "configs")) {
    k = add_dir_names("JConfig", robot_name(c->argv[1]), ConfigNameMatches, names, k, kCap);
  } else {
    const char* rname = robot_name(c->argv[1]);
    k = add_dir_names("Ctraj", rname, TrajNameMatches, names, k, kCap);
    for (int i = 0; CTlist[i].ntp != 0 && k < kCap; i++)
      if (TrajNameMatches(rname, CTlist[i].name)) names[k++] = strdup(CTlist[i].name);
  }
  put_names(what, names, k);
  for (int i = 0; i < k; i++) free(names[i]);
  free(names);
  return KinOk;
}
