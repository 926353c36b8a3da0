// kin_collide.cpp -- velmora-kin clearance and the scene options (--workspace, --obstacle)
// that clearance and solve take
#include <stdio.h>   // for: fprintf(), fputs()
#include <string.h>  // for: strcmp()

#include "cli/kin_cli.h"
#include "collide/collide.h"       // for: CollideBuild(), CollideClearance()
#include "robot/app_state.h"       // for: ShowObstacle, Obstacle_pos, Obstacle_info, Radius
#include "scene/workspace_file.h"  // for: CheckWorkspaceFileName(), ReadWorkspace()

//------------------------------------------------------------------ static helpers

// the arguments from i on, count of them, dropped from the call
static void drop(KinCall* c, int i, int count) {
  for (int j = i; j + count < c->argc; j++) c->argv[j] = c->argv[j + count];
  c->argc -= count;
}

//------------------------------------------------------------------ public API

int KinTakeScene(KinCall* c, int* present) {
  int e = 0;
  *present = 0;
  for (int i = 0; i < c->argc;) {
    if (strcmp(c->argv[i], "--workspace") == 0) {
      if (i + 1 >= c->argc) return KinFail(KinUsage, "--workspace", "NAME expected");
      const char* name = c->argv[i + 1];
      if (CheckWorkspaceFileName(name) != 0) return KinFail(KinUsage, "--workspace", nullptr);
      if (ReadWorkspace(name) != 0) return KinFail(KinUnreadable, name, nullptr);
      drop(c, i, 2);
      *present = 1;
    } else if (strcmp(c->argv[i], "--obstacle") == 0) {
      double v[4];
      if (i + 4 >= c->argc) return KinFail(KinUsage, "--obstacle", "x y z r expected");
      int s = KinNumbers("--obstacle", c->argv + i + 1, 4, v);
      if (s != KinOk) return s;
      if (e >= 4) return KinFail(KinUsage, "--obstacle", "at most four obstacles");
      if (!(v[3] > 0)) return KinFail(KinUsage, "--obstacle", "the radius must be above 0");
      for (int k = 0; k < 3; k++) Obstacle_pos[e][k] = Obstacle_info[e][k] = (float)v[k];
      Radius[e] = (float)v[3];
      ShowObstacle[e] = 1;
      e++;
      drop(c, i, 5);
      *present = 1;
    } else {
      i++;
    }
  }
  SetCollideCheck(1);
  return KinOk;
}

void KinPutClearance(FILE* f, double clearance) {
  char s[40];
  if (clearance >= CollideFar) {
    fputs(KinGetFormat() == KinJson ? "null" : "inf", f);
    return;
  }
  fwrite(s, 1, (size_t)KinFixed(s, clearance), f);
}

// the clearance, the closest pair and the first touching pair at the joint values
int KinCmdClearance(KinCall* c) {
  int scene;
  int s = KinTakeScene(c, &scene);
  if (s != KinOk) return s;
  double q[64];
  if (c->argc > 64) return KinFail(KinUsage, c->robot_arg, "too many numbers");
  s = KinNumbers(c->robot_arg, c->argv, c->argc, q);
  if (s != KinOk) return s;
  if (c->argc != c->r->n)
    return KinFail(KinUsage, c->robot_arg, "%s has %d joints, %d values given", c->r->name,
                   c->r->n, c->argc);
  for (int j = 0; j < c->r->n; j++) c->jc->q[j] = (float)q[j];
  CollideModel m = CollideBuild(c->r);
  CollideReport rep;
  double clear = CollideClearance(m, c->jc->q, &rep);
  const char* a = rep.near_a >= 0 ? CollideGetBody(m, rep.near_a)->name : nullptr;
  const char* b = rep.near_a >= 0 ? CollideGetBody(m, rep.near_b)->name : nullptr;
  const char* hit = rep.touching ? rep.message : nullptr;
  FILE* f = KinOut();
  int fmt = KinGetFormat();
  if (fmt == KinText) {
    fputs("clearance ", f);
    KinPutClearance(f, clear);
    if (a) fprintf(f, "\nclosest %s, %s\n", a, b);
    else fputs("\nclosest none\n", f);
    fprintf(f, "collision %s\n", hit ? hit : "none");
  } else if (fmt == KinCsv) {
    fputs("clearance[length],closest[text],closest_to[text],collision[text]\n", f);
    KinPutClearance(f, clear);
    fprintf(f, ",%s,%s,%s\n", a ? a : "", b ? b : "", hit ? hit : "");
  } else {
    fputs("{\"robot\": ", f);
    KinPutJsonString(f, c->r->name);
    fputs(", \"joints\": ", f);
    KinPutJsonArray(f, q, c->r->n);
    fputs(", \"clearance\": ", f);
    KinPutClearance(f, clear);
    fputs(", \"closest\": ", f);
    if (a) {
      fputc('[', f);
      KinPutJsonString(f, a);
      fputs(", ", f);
      KinPutJsonString(f, b);
      fputc(']', f);
    } else {
      fputs("null", f);
    }
    fputs(", \"collision\": ", f);
    if (hit) KinPutJsonString(f, hit);
    else fputs("null", f);
    fputs("}\n", f);
  }
  CollideFree(m);
  return KinOk;
}
