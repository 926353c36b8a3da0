// main.cpp -- start-up of the Velmora program: defaults, dialogs, main window, event loop
#include <FL/Fl.H>   // for: Fl::run()
#include <stdio.h>   // for: printf(), setvbuf()
#include <string.h>  // for: strcmp()
#include <unistd.h>  // for: getcwd()

#include "robot/app_state.h"          // for: obs, soi, obstacle tables
#include "base/data_dir.h"           // for: DataDirStart(), DataDirDescribe()
#include "base/user_path.h"          // for: IsUserPath(), UserPath()
#include "graphics/primitives.h"  // for: JwDefSphere()
#include "gui/export/figure_export.h"  // for: FigureCommand()
#include "gui/shell/hubs.h"
#include "gui/robot/robot_dlg.h"    // for: robot_dlg_title()
#include "gui/shell/main_win.h"
#include "links/links.h"        // for: RegisterModelDrawing()
#include "robot/reader.h"             // for: SetLoadMenuHook()
#include "load/robot_load.h"  // for: ReadRobot()
#include "scene/workspace.h"          // for: ResetWorkspaceObject()

static const char* usage =
  "usage: velmora [--help] [--version] [--data DIR] [ROBOT]\n"
  "Velmora studies serial robot manipulators described by Denavit-Hartenberg parameters.\n"
  "Its files live in a data folder holding Arch, Description, JConfig, Ctraj, Jtraj and\n"
  "Workspace: DIR when given, else the working directory when it holds Arch, else\n"
  "$XDG_DATA_HOME/velmora (~/.local/share/velmora), made on first start with a copy of the\n"
  "installed samples. ROBOT, loaded at start, names a file in Arch, or a robot file by its\n"
  "path (one holding \"/\", from the working directory; ~ is the home folder): a file\n"
  "outside Arch is imported into it first, as Robot / Import Robot... does.\n";

//------------------------------------------------------------------ start-up steps

// the four obstacles (numbers 1..4, table entries 0..3): spheres, influence, still
static void ObstacleDefaults() {
  for (int i = 0; i < 4; i++) {
    obs[i] = JwDefSphere(40, 40, 1.0f, 3, 0xffc0c0c0UL);
    soi[i] = JwDefSphere(40, 40, 1.2f, 3, 0x8fc0c0c0UL);
    Radius[i] = 1.0f;  SOI[i] = 0.2f;  ShowObstacle[i] = 0;
    for (int k = 0; k < 6; k++) Obstacle_info[i][k] = 0;
    for (int k = 0; k < 3; k++) Obstacle_pos[i][k] = 0;
  }
}

static void WorkspaceDefaults() {
  for (int i = 0; i < WS_MAX; i++) ResetWorkspaceObject(i);
}

//------------------------------------------------------------------ public API

int main(int argc, char** argv) {
  // each message line reaches a terminal or a log as it is written, not when the program ends
  setvbuf(stdout, nullptr, _IOLBF, 0);
  setvbuf(stderr, nullptr, _IOLBF, 0);
  const char* robot = nullptr;
  const char* data = nullptr;
  bool help = false;
  for (int i = 1; i < argc; i++) {
    if (!strcmp(argv[i], "--help")) { help = true; continue; }
    if (!strncmp(argv[i], "--data=", 7)) { data = argv[i] + 7; continue; }
    if (!strcmp(argv[i], "--data")) {
      if (++i < argc) { data = argv[i]; continue; }
      fprintf(stderr, "velmora: --data needs a folder\n%s", usage);
      return 2;
    }
    // a figure is written where the shell is, its robot read from the data folder
    if (!strcmp(argv[i], "--export")) return FigureCommand(argc - i, argv + i, data);
    if (!strcmp(argv[i], "--version")) { printf("velmora %s\n", VELMORA_VERSION); return 0; }
    if (argv[i][0] == '-' || robot) {
      fprintf(stderr, "velmora: unknown option %s\n%s", argv[i], usage);
      return 2;
    }
    robot = argv[i];
  }
  if (help) {
    char line[DATA_DIR_MAX + 64];
    fputs(usage, stdout);
    fputs(FigureUsage(), stdout);
    if (DataDirDescribe(data, line, sizeof(line)) == 0) printf("\n%s\n", line);
    return 0;
  }
  // a path is taken from where the program was started, before it moves into the data folder
  char robot_path[USER_PATH_MAX], cwd[USER_PATH_MAX];
  if (robot && IsUserPath(robot)) {
    if (!getcwd(cwd, sizeof cwd) || UserPath(robot, cwd, robot_path, sizeof robot_path) != 0) {
      fprintf(stderr, "velmora: %s: the path cannot be used\n", robot);
      return 2;
    }
  }
  if (DataDirStart(data) != 0) return 1;   // the dialogs list and save inside it from now on
  RegisterModelDrawing();
  RouteCoreMessages();
  SetLoadMenuHook(SetRobotMenuItems);
  ObstacleDefaults();
  WorkspaceDefaults();
  CreateForms();
  SetWindowIcon();
  Main_WIN* w = CreateMainWindow(MainWindowWidth, MainWindowHeight);
  if (robot && IsUserPath(robot)) {   // imported into Arch, so Save writes only in there
    robot_import_path(robot_path, 0);
  } else if (robot) {   // a name that does not load leaves no robot, after its message
    NewRobot(robot);
    robot_dlg_title("Velmora--", robot);   // the title a load from the dialog gives
  }
  w->show();
  Fl::run();
  return 0;
}
