// velmora_kin.cpp -- velmora-kin: forward and inverse kinematics, indices, file checks and
// built-in paths from the command line, for scripts
#include <float.h>   // for: FLT_MAX
#include <math.h>    // for: fabs()
#include <stdio.h>   // for: printf(), fprintf(), fdopen()
#include <stdlib.h>  // for: strtod(), calloc(), free()
#include <string.h>  // for: strcmp(), strncmp()
#include <unistd.h>  // for: dup(), dup2()

#include "base/number.h"  // for: ParseNumber()

#include "robot/app_state.h"  // for: R, m_homogenous_length, m_maximum_reach
#include "traj/ctraj.h"      // for: CTFind(), CTSampleList()
#include "base/data_dir.h"   // for: DataDirStart(), DataDirDescribe()
#include "kin/ikp.h"        // for: FwdKin(), InvKin(), InvErr(), GetJacobianCond()
#include "robot/reader.h"     // for: ReadRobot()
#include "load/robot_load.h"  // for: ReadRobot()
#include "robot/robot.h"
#include "traj/traj_file.h"    // for: LoadCartesianTrajectory()
#include "traj/traj_solve.h"   // for: SolveTrajPoint()
#include "robot/urdf_export.h"  // for: PutUrdf()
#include "collide/collide.h"     // for: CollideBuild(), CollideClearance()
#include "scene/workspace_file.h"  // for: ReadWorkspace()

//------------------------------------------------------------------ module state

// results go here; standard output itself is pointed at standard error so that the trace
// of the reader and the solvers never mixes with them
static FILE* out = nullptr;

static const char* kUsage =
  "usage: velmora-kin [--data DIR] COMMAND ...\n"
  "  fk ROBOT q1 ... qn                     pose at the joint values\n"
  "  ik ROBOT x y z [rx ry rz] [--from q1 ... qn]\n"
  "                                         joint values reaching the pose, then the\n"
  "                                         solver's result code and message\n"
  "  indices ROBOT [q1 ... qn]              characteristic length, maximum reach (0 when\n"
  "                                         not computed), reciprocal condition number\n"
  "  check ROBOT                            read the robot file, report ok or the reason\n"
  "  path NAME                              a built-in path in the Cartesian trajectory\n"
  "                                         file format (4 lines per point)\n"
  "  solve ROBOT CTRAJ_FILE [SCENE]         each point of a Cartesian trajectory solved\n"
  "                                         from the last, one line per point: the joint\n"
  "                                         values, the solver's code and 1/kappa there\n"
  "  urdf ROBOT                             the robot as a URDF document\n"
  "  clearance ROBOT [SCENE] q1 ... qn      the smallest distance from the robot to the\n"
  "                                         scene, the closest pair, and the first pair\n"
  "                                         that touches (the robot itself included)\n"
  "SCENE: [--workspace NAME] [--obstacle x y z r]... (up to four obstacles); solve takes\n"
  "it too, and then adds the clearance of each point as its last column.\n"
  "  --help, --version\n"
  "ROBOT is read from \"Arch/\" + ROBOT, CTRAJ_FILE from \"Ctraj/\" (or a built-in path of\n"
  "that name); either is used as a path when it starts with / or ~. Both are looked up in\n"
  "the data folder: DIR when given, else the working directory when it holds Arch, else\n"
  "$XDG_DATA_HOME/velmora (~/.local/share/velmora), made on first use with a copy of the\n"
  "installed samples.\n"
  "Joint values are degrees (revolute) or lengths (prismatic); angles are degrees with\n"
  "Q = Rx(rx) Ry(ry) Rz(rz). A pose is x y z rx ry rz for a spatial robot, x y z for a\n"
  "positioning robot and rx ry rz for a spherical wrist; ik takes the same numbers.\n";

//------------------------------------------------------------------ static helpers

static int Fail(const char* what, const char* detail) {
  fprintf(stderr, "velmora-kin: %s%s\n", what, detail ? detail : "");
  return 1;
}

// a whole argument as a number within float range (joint values are floats)
static int ParseNumber(const char* s, double* v) {
  return ParseNumber(s, -1, NumFloat, v);
}

// k numbers from argv into v; 0, or -1 after a message
static int ParseNumbers(char** argv, int k, double* v) {
  for (int i = 0; i < k; i++) {
    if (ParseNumber(argv[i], &v[i]) != 0) {
      fprintf(stderr, "velmora-kin: not a number: '%s'\n", argv[i]);
      return -1;
    }
  }
  return 0;
}

typedef struct _Session_ {
  Robot r;
  JointConfig jc;
  CartesianConfig cc;
} Session;

// read the robot and make it current with its configurations; 0, or -1 after a message
static int Open(Session* s, const char* name) {
  m_homogenous_length = 0;
  m_maximum_reach = 0;
  s->r = ReadRobot(name);
  if (!s->r) {
    fprintf(stderr, "velmora-kin: cannot read robot '%s'\n", name);
    return -1;
  }
  R = s->r;
  s->jc = JointConfigFromRobot(s->r);
  s->cc = CartesianConfigFromRobot(s->r, s->jc);
  return 0;
}

static void Close(Session* s) {
  if (s->r && s->r->EE.DestroyProc) s->r->EE.DestroyProc(&s->r->EE);
  FreeCartesianConfig(s->cc);
  FreeJointConfig(s->jc);
  R = nullptr;
  FreeRobot(s->r);
}

// exactly n joint values into jc; 0, or -1 after a message
static int SetJoints(Session* s, char** argv, int k) {
  if (k != s->r->n) {
    fprintf(stderr, "velmora-kin: %s has %d joints, %d values given\n", s->r->name,
            s->r->n, k);
    return -1;
  }
  for (int i = 0; i < k; i++) {
    double v;
    if (ParseNumbers(argv + i, 1, &v) != 0) return -1;
    s->jc->q[i] = (float)v;
  }
  return 0;
}

static void PrintJoints(Session* s) {
  for (int i = 0; i < s->r->n; i++) fprintf(out, i ? " %.6f" : "%.6f", s->jc->q[i]);
  fprintf(out, "\n");
}

// the numbers of the robot's task: position, angles or both
static void PrintPose(CartesianConfig cc) {
  if (cc->type == 2)
    fprintf(out, "%.6f %.6f %.6f\n", cc->ang[0], cc->ang[1], cc->ang[2]);
  else if (cc->type == 4)
    fprintf(out, "%.6f %.6f %.6f\n", cc->r[0], cc->r[1], cc->r[2]);
  else
    fprintf(out, "%.6f %.6f %.6f %.6f %.6f %.6f\n", cc->r[0], cc->r[1], cc->r[2],
            cc->ang[0], cc->ang[1], cc->ang[2]);
}

// the scene options at argv[k] onwards: "--workspace NAME" (the file's objects shown as it
// says) and "--obstacle x y z r" (up to four, shown, radius above 0); the index of the
// first argument that is not one, or -1 after a message
static int SetScene(int argc, char** argv, int k) {
  int e = 0;
  while (k < argc) {
    if (strcmp(argv[k], "--workspace") == 0) {
      if (k + 1 >= argc) { Fail("--workspace: NAME expected", nullptr);  return -1; }
      if (CheckWorkspaceFileName(argv[k + 1]) != 0 || ReadWorkspace(argv[k + 1]) != 0)
        return -1;
      k += 2;
    } else if (strcmp(argv[k], "--obstacle") == 0) {
      double v[4];
      if (k + 4 >= argc) { Fail("--obstacle: x y z r expected", nullptr);  return -1; }
      if (ParseNumbers(argv + k + 1, 4, v) != 0) return -1;
      if (e >= 4) { Fail("--obstacle: at most four obstacles", nullptr);  return -1; }
      if (!(v[3] > 0)) { Fail("--obstacle: the radius must be above 0", nullptr);  return -1; }
      for (int i = 0; i < 3; i++) Obstacle_pos[e][i] = Obstacle_info[e][i] = (float)v[i];
      Radius[e] = (float)v[3];
      ShowObstacle[e] = 1;
      e++;
      k += 5;
    } else {
      break;
    }
  }
  SetCollideCheck(1);
  return k;
}

// a clearance as a number, "inf" with nothing but the robot in the scene
static void PrintClearance(const char* sep, double c) {
  if (c >= CollideFar) fprintf(out, "%sinf", sep);
  else fprintf(out, "%s%.6f", sep, c);
}

//------------------------------------------------------------------ commands

static int CmdFk(int argc, char** argv) {
  if (argc < 1) return Fail("fk: ROBOT expected", nullptr);
  Session s = {};
  if (Open(&s, argv[0]) != 0) return 1;
  int rc = 1;
  if (SetJoints(&s, argv + 1, argc - 1) == 0 && FwdKin(s.r, s.jc, s.cc) == 0) {
    PrintPose(s.cc);
    rc = 0;
  }
  Close(&s);
  return rc;
}

static int CmdIk(int argc, char** argv) {
  if (argc < 1) return Fail("ik: ROBOT expected", nullptr);
  int k = 1;
  while (k < argc && strcmp(argv[k], "--from") != 0) k++;
  int ntarget = k - 1;
  double t[6];
  if (ntarget != 3 && ntarget != 6) return Fail("ik: x y z [rx ry rz] expected", nullptr);
  if (ParseNumbers(argv + 1, ntarget, t) != 0) return 1;
  Session s = {};
  if (Open(&s, argv[0]) != 0) return 1;
  int rc = 1;
  CartesianConfigRec target = *s.cc;
  if (k < argc && SetJoints(&s, argv + k + 1, argc - k - 1) != 0) {
    Close(&s);
    return 1;
  }
  if (target.type == 0 && ntarget != 6) {
    fprintf(stderr, "velmora-kin: ik: %s is spatial: x y z rx ry rz expected\n", s.r->name);
    Close(&s);
    return 1;
  }
  if (target.type == 2) {             // orientation only: the last three numbers
    const double* a = ntarget == 6 ? t + 3 : t;
    for (int i = 0; i < 3; i++) target.ang[i] = a[i];
    ConstructQ(&target);
  } else {
    for (int i = 0; i < 3; i++) target.r[i] = t[i];
    if (ntarget == 6) {
      for (int i = 0; i < 3; i++) target.ang[i] = t[3 + i];
      ConstructQ(&target);
    }
  }
  int code = InvKin(s.r, s.jc, &target);
  PrintJoints(&s);
  if (code >= 0) {
    fprintf(out, "%d Converged\n", code);
    rc = 0;
  } else {
    fprintf(out, "%d %s\n", code, InvErr(code));
    fprintf(stderr, "velmora-kin: ik: %s\n", InvErr(code));
  }
  Close(&s);
  return rc;
}

static int CmdIndices(int argc, char** argv) {
  if (argc < 1) return Fail("indices: ROBOT expected", nullptr);
  Session s = {};
  if (Open(&s, argv[0]) != 0) return 1;
  int rc = 1;
  if (argc == 1 || SetJoints(&s, argv + 1, argc - 1) == 0) {
    double c = GetJacobianCond(s.jc, s.cc);
    fprintf(out, "%.6f %.6f %.6f\n", m_homogenous_length, m_maximum_reach, c);
    rc = 0;
  }
  Close(&s);
  return rc;
}

static int CmdCheck(int argc, char** argv) {
  if (argc != 1) return Fail("check: ROBOT expected", nullptr);
  Robot r = ReadRobot(argv[0]);
  if (!r) {
    fprintf(stderr, "velmora-kin: cannot read robot '%s'\n", argv[0]);
    return 1;
  }
  fprintf(out, "ok %d %d\n", r->n, r->type);
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  return 0;
}

static int CmdPath(int argc, char** argv) {
  if (argc != 1) return Fail("path: NAME expected", nullptr);
  const CTData* row = CTFind(argv[0]);
  if (!row) {
    fprintf(stderr, "velmora-kin: no built-in path named '%s'\n", argv[0]);
    return 1;
  }
  CartesianConfigRec* cc = (CartesianConfigRec*)calloc(row->ntp, sizeof(CartesianConfigRec));
  if (!cc) return Fail("path: out of memory", nullptr);
  int n = CTSampleList(row, cc);
  for (int i = 0; i < n; i++) {
    fprintf(out, "%lf %lf %lf \n", cc[i].r[0], cc[i].r[1], cc[i].r[2]);
    for (int j = 0; j < 3; j++)
      fprintf(out, "%lf %lf %lf \n", cc[i].Q[j][0], cc[i].Q[j][1], cc[i].Q[j][2]);
  }
  free(cc);
  return 0;
}

// every point from the home joints on, as continuous playback solves them
static int CmdSolve(int argc, char** argv) {
  if (argc < 2) return Fail("solve: ROBOT CTRAJ_FILE expected", nullptr);
  int k = SetScene(argc, argv, 2);
  if (k < 0) return 1;
  if (k != argc) return Fail("solve: unknown argument: ", argv[k]);
  int scene = argc > 2;
  Session s = {};
  if (Open(&s, argv[0]) != 0) return 1;
  CollideModel m = scene ? CollideBuild(s.r) : nullptr;
  CartesianTrajectory t = {};
  int rc = 1;
  if (LoadCartesianTrajectory(s.r, argv[1], &t) == 0) {
    for (int i = 0; i < t.ntp; i++) {
      double kappa;
      int code = SolveTrajPoint(s.r, s.jc, &t, i, &kappa);
      for (int j = 0; j < s.r->n; j++) fprintf(out, "%.6f ", s.jc->q[j]);
      fprintf(out, "%d %.6f", code, kappa);
      if (m) PrintClearance(" ", CollideClearance(m, s.jc->q, nullptr));
      fprintf(out, "\n");
    }
    rc = 0;
  }
  ClearCartesianTrajectory(&t);
  CollideFree(m);
  Close(&s);
  return rc;
}

// the clearance, the closest pair and the first touching pair at the joint values
static int CmdClearance(int argc, char** argv) {
  if (argc < 1) return Fail("clearance: ROBOT expected", nullptr);
  int k = SetScene(argc, argv, 1);
  if (k < 0) return 1;
  Session s = {};
  if (Open(&s, argv[0]) != 0) return 1;
  int rc = 1;
  if (SetJoints(&s, argv + k, argc - k) == 0) {
    CollideModel m = CollideBuild(s.r);
    CollideReport rep;
    double c = CollideClearance(m, s.jc->q, &rep);
    PrintClearance("clearance ", c);
    fprintf(out, "\n");
    if (rep.near_a >= 0)
      fprintf(out, "closest %s, %s\n", CollideGetBody(m, rep.near_a)->name,
              CollideGetBody(m, rep.near_b)->name);
    else
      fprintf(out, "closest none\n");
    fprintf(out, "collision %s\n", rep.touching ? rep.message : "none");
    CollideFree(m);
    rc = 0;
  }
  Close(&s);
  return rc;
}

static int CmdUrdf(int argc, char** argv) {
  if (argc != 1) return Fail("urdf: ROBOT expected", nullptr);
  Robot r = ReadRobot(argv[0]);
  if (!r) {
    fprintf(stderr, "velmora-kin: cannot read robot '%s'\n", argv[0]);
    return 1;
  }
  int rc = PutUrdf(out, r) == 0 ? 0 : 1;
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
  return rc;
}

// only the commands that read robots settle on a data folder (and may make it)
static int ReadsRobots(const char* cmd) {
  return !strcmp(cmd, "fk") || !strcmp(cmd, "ik") || !strcmp(cmd, "indices") ||
         !strcmp(cmd, "check") || !strcmp(cmd, "solve") || !strcmp(cmd, "urdf") ||
         !strcmp(cmd, "clearance");
}

// usage, then the data folder the robot commands would use
static void PrintHelp(const char* data) {
  fputs(kUsage, out);
  char line[DATA_DIR_MAX + 64];
  if (DataDirDescribe(data, line, sizeof(line)) == 0) fprintf(out, "%s\n", line);
}

//------------------------------------------------------------------ main

int main(int argc, char** argv) {
  int fd = dup(1);
  out = fd >= 0 ? fdopen(fd, "w") : nullptr;
  if (!out) return Fail("cannot duplicate standard output", nullptr);
  setvbuf(stdout, nullptr, _IONBF, 0);   // the trace keeps its order with the messages
  dup2(2, 1);

  // --data DIR (or --data=DIR) before the command
  const char* data = nullptr;
  int rc = -1;
  if (argc > 1 && strncmp(argv[1], "--data=", 7) == 0) {
    data = argv[1] + 7;
    argc--;
    argv++;
  } else if (argc > 1 && strcmp(argv[1], "--data") == 0) {
    if (argc < 3) {
      rc = Fail("--data: DIR expected", nullptr) + 1;   // a usage fault, as below
      argc = 1;
    } else {
      data = argv[2];
      argc -= 2;
      argv += 2;
    }
  }
  const char* cmd = argc > 1 ? argv[1] : "";
  if (rc < 0 && ReadsRobots(cmd) && DataDirStart(data) != 0) rc = 1;
  if (rc >= 0) {
    // answered already by a message
  } else if (strcmp(cmd, "--help") == 0 || strcmp(cmd, "-h") == 0) {
    PrintHelp(data);
    rc = 0;
  } else if (strcmp(cmd, "--version") == 0) {
    fprintf(out, "velmora-kin %s\n", VELMORA_VERSION);
    rc = 0;
  } else if (strcmp(cmd, "fk") == 0) {
    rc = CmdFk(argc - 2, argv + 2);
  } else if (strcmp(cmd, "ik") == 0) {
    rc = CmdIk(argc - 2, argv + 2);
  } else if (strcmp(cmd, "indices") == 0) {
    rc = CmdIndices(argc - 2, argv + 2);
  } else if (strcmp(cmd, "check") == 0) {
    rc = CmdCheck(argc - 2, argv + 2);
  } else if (strcmp(cmd, "path") == 0) {
    rc = CmdPath(argc - 2, argv + 2);
  } else if (strcmp(cmd, "solve") == 0) {
    rc = CmdSolve(argc - 2, argv + 2);
  } else if (strcmp(cmd, "urdf") == 0) {
    rc = CmdUrdf(argc - 2, argv + 2);
  } else if (strcmp(cmd, "clearance") == 0) {
    rc = CmdClearance(argc - 2, argv + 2);
  } else {
    fputs(kUsage, stderr);
    rc = 2;
  }
  fflush(stdout);
  if (fclose(out) != 0 && rc == 0) rc = Fail("cannot write the results", nullptr);
  return rc;
}
