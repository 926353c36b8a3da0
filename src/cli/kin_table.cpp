// kin_table.cpp -- velmora-kin: the table of commands and options, and the help made from it
#include <stdio.h>   // for: fprintf(), fputs()
#include <string.h>  // for: strcmp()

#include "base/data_dir.h"  // for: DataDirDescribe(), DATA_DIR_MAX
#include "cli/kin_cli.h"

//------------------------------------------------------------------ the tables

// a new command is one row here and its function
const KinCommand kKinCommands[] = {
  {"fk", KinNeedsRobot, KinCmdFk, "ROBOT q1 ... qn | -",
   "the pose at the joint values", "fk Puma560 0 -30 20 0 45 0"},
  {"ik", KinNeedsRobot, KinCmdIk, "ROBOT x y z [rx ry rz] | - [--from q1 ... qn]",
   "joint values reaching the pose, then the solver's code and message (in a batch the "
   "joints only); from the home values, the values after --from, or in a batch the last "
   "solution", "ik Puma560 4.0448 1.5 3.6215 -180 -35 0 --from 0 -20 10 0 40 0"},
  {"indices", KinNeedsRobot, KinCmdIndices, "ROBOT [q1 ... qn] | -",
   "characteristic length, maximum reach (0 when not computed) and 1/kappa of the task "
   "Jacobian at the values (home when none)", "indices Puma560 0 -30 20 0 45 0"},
  {"jacobian", KinNeedsRobot, KinCmdJacobian, "ROBOT [q1 ... qn] | -",
   "the task Jacobian the solver uses, by rows (joint axes over the position columns divided "
   "by the characteristic length), then its 1/kappa", "jacobian Puma560 0 -30 20 0 45 0"},
  {"check", KinNeedsRobot, KinCmdCheck, "ROBOT",
   "read the robot file: ok, the number of links and the robot class", "check Puma560"},
  {"path", KinNeedsNothing, KinCmdPath, "NAME",
   "a built-in path in the Cartesian trajectory file format (4 lines per point)",
   "path FanucS300.helix"},
  {"solve", KinNeedsRobot, KinCmdSolve, "ROBOT TRAJECTORY [SCENE]",
   "each point of a Cartesian trajectory solved from the last: the joint values, the "
   "solver's code and 1/kappa, one line per point; with a SCENE also the clearance",
   "solve Puma560 Puma560.arc"},
  {"urdf", KinNeedsRobot, KinCmdUrdf, "ROBOT [--scale S]",
   "the robot as a URDF document, every length times S (0.1: decimetres to metres)",
   "urdf Puma560 --scale 0.1"},
  {"list", KinNeedsData, KinCmdList, "robots|paths|models|configs ROBOT|trajectories ROBOT",
   "the robots, built-in paths, built-in models, a robot's joint configurations or its "
   "trajectories", "list robots"},
  {"clearance", KinNeedsRobot, KinCmdClearance, "ROBOT [SCENE] q1 ... qn",
   "the smallest distance from the robot to the scene, the closest pair, and the first pair "
   "that touches (the robot itself included)",
   "clearance Puma560 --workspace Puma560_cell 180 -60 60 0 30 0"},
  {nullptr, 0, nullptr, nullptr, nullptr, nullptr},
};

const KinOption kKinOptions[] = {
  {"--data", "DIR", "the data folder (else the working directory when it holds Arch, else "
                    "the user folder)"},
  {"--format", "text|csv|json", "results as plain numbers (default), CSV with a header row "
                                "naming each column and its unit, or one JSON object a line"},
  {"--trace", nullptr, "the core's trace on standard error (quiet by default)"},
  {"--help", nullptr, "this help and the data folder the robot commands would use (also -h)"},
  {"--version", nullptr, "the version"},
  {"--from", "q1 ... qn", "(ik) start every solve at these joint values"},
  {"--scale", "S", "(urdf) every length times S"},
  {"--workspace", "NAME", "(SCENE) the objects of a work-environment file, as it shows them"},
  {"--obstacle", "x y z r", "(SCENE) a spherical obstacle, up to four"},
  {nullptr, nullptr, nullptr},
};

static const char* kHelpTail =
  "  ROBOT and TRAJECTORY are names in the data folder (\"Arch/\" + ROBOT, \"Ctraj/\" +\n"
  "  TRAJECTORY or a built-in path), or paths when they hold \"/\": \"~\" starts a home\n"
  "  folder, a relative path is taken from the working directory, else from the data\n"
  "  folder (so \"Ctraj/x\" works in both).\n"
  "  Joint values are degrees (revolute) or lengths (prismatic); angles are degrees with\n"
  "  Q = Rx(rx) Ry(ry) Rz(rz). A pose is x y z rx ry rz for a spatial robot, x y z for a\n"
  "  positioning robot and rx ry rz for a spherical wrist.\n"
  "  \"-\" reads one problem a line from standard input (numbers separated by blanks or\n"
  "  commas, \"#\" comments and blank lines skipped) and writes one result line each; a line\n"
  "  that fails is \"# line N: reason\" in text, an empty row in CSV.\n"
  "exit status:\n"
  "  0 success, 1 a computed failure (did not converge, joint limit, a point or line not\n"
  "  solved), 2 a usage error or an input line that cannot be read, 3 a robot, file or path\n"
  "  that cannot be read. Errors are one line on standard error: velmora-kin: WHAT: reason.\n";

//------------------------------------------------------------------ public API

const KinCommand* KinFindCommand(const char* name) {
  for (const KinCommand* c = kKinCommands; c->name; c++)
    if (strcmp(c->name, name) == 0) return c;
  return nullptr;
}

void KinPrintUsage(FILE* f, const KinCommand* cmd) {
  fprintf(f, "usage: velmora-kin %s %s\n", cmd->name, cmd->usage);
}

void KinPrintHelp(FILE* f, const char* data) {
  fputs("usage: velmora-kin [OPTIONS] COMMAND ARGUMENTS\ncommands:\n", f);
  for (const KinCommand* c = kKinCommands; c->name; c++) {
    fprintf(f, "  %s %s\n      %s\n      example: velmora-kin %s\n", c->name, c->usage,
            c->what, c->example);
  }
  fputs("options (the first five anywhere on the line, the others after their command):\n", f);
  for (const KinOption* o = kKinOptions; o->name; o++) {
    fprintf(f, "  %s%s%s\n      %s\n", o->name, o->arg ? " " : "", o->arg ? o->arg : "",
            o->what);
  }
  fputs(kHelpTail, f);
  char line[DATA_DIR_MAX + 64];
  if (DataDirDescribe(data, line, sizeof(line)) == 0) fprintf(f, "%s\n", line);
}
