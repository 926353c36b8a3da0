// velmora_kin.cpp -- velmora-kin: forward and inverse kinematics, indices, file checks and
// built-in paths from the command line, for scripts; the options and the dispatch
#include <stdio.h>   // for: fprintf(), fdopen(), setvbuf()
#include <string.h>  // for: strcmp(), strncmp(), strlen()
#include <unistd.h>  // for: dup(), dup2()

#include "base/data_dir.h"  // for: DataDirStart()
#include "cli/kin_cli.h"

//------------------------------------------------------------------ static helpers

// the option at argv[i] (with its value, "--name=value" or the next argument) taken out of
// argv; 1 when taken, 0 when argv[i] is not that option, -1 when its value is missing
static int take_option(int* argc, char** argv, int i, const char* name, const char** value) {
  size_t k = strlen(name);
  if (strncmp(argv[i], name, k) != 0) return 0;
  int used;
  if (argv[i][k] == '=' && value) {
    *value = argv[i] + k + 1;
    used = 1;
  } else if (argv[i][k] != '\0') {
    return 0;
  } else if (!value) {
    used = 1;
  } else if (i + 1 < *argc) {
    *value = argv[i + 1];
    used = 2;
  } else {
    return -1;
  }
  for (int j = i; j + used <= *argc; j++) argv[j] = argv[j + used];
  *argc -= used;
  return 1;
}

static int set_format(const char* f) {
  if (!strcmp(f, "text")) KinSetFormat(KinText);
  else if (!strcmp(f, "csv")) KinSetFormat(KinCsv);
  else if (!strcmp(f, "json")) KinSetFormat(KinJson);
  else return KinFail(KinUsage, "--format", "text, csv or json expected, not '%s'", f);
  return KinOk;
}

//------------------------------------------------------------------ main

int main(int argc, char** argv) {
  // results on a stream of their own; anything the core would still print on standard
  // output goes to standard error
  int fd = dup(1);
  FILE* out = fd >= 0 ? fdopen(fd, "w") : nullptr;
  if (!out) {
    fprintf(stderr, "velmora-kin: cannot duplicate standard output\n");
    return KinUnreadable;
  }
  static char buf[1 << 16];
  setvbuf(out, buf, _IOFBF, sizeof(buf));
  fflush(stdout);
  dup2(2, 1);
  KinSetOut(out);
  KinRememberStart();

  // the options, wherever they are
  const char *data = nullptr, *format = nullptr;
  int trace = 0, help = 0, version = 0, rc = KinOk;
  for (int i = 1; i < argc && rc == KinOk;) {
    int t = 0;
    if (!strcmp(argv[i], "-h")) t = take_option(&argc, argv, i, "-h", nullptr), help = 1;
    else if ((t = take_option(&argc, argv, i, "--help", nullptr)) == 1) help = 1;
    else if ((t = take_option(&argc, argv, i, "--version", nullptr)) == 1) version = 1;
    else if ((t = take_option(&argc, argv, i, "--trace", nullptr)) == 1) trace = 1;
    else if ((t = take_option(&argc, argv, i, "--data", &data)) != 0) {}
    else if ((t = take_option(&argc, argv, i, "--format", &format)) != 0) {}
    if (t < 0) rc = KinFail(KinUsage, argv[i], "value expected");
    if (t == 0) i++;
  }
  KinRouteMessages(trace);
  if (rc == KinOk && format) rc = set_format(format);

  const KinCommand* cmd = argc > 1 ? KinFindCommand(argv[1]) : nullptr;
  if (rc != KinOk) {
    // said already
  } else if (help) {
    KinPrintHelp(out, data);
  } else if (version) {
    fprintf(out, "velmora-kin %s\n", VELMORA_VERSION);
  } else if (!cmd) {
    if (argc > 1) rc = KinFail(KinUsage, argv[1], "no such command (velmora-kin --help)");
    else rc = KinFail(KinUsage, "COMMAND", "expected (velmora-kin --help)");
  } else {
    KinCall call = {};
    call.argc = argc - 2;
    call.argv = argv + 2;
    call.robot_arg = cmd->name;
    if (cmd->needs == KinNeedsRobot && call.argc < 1) {
      rc = KinFail(KinUsage, cmd->name, "ROBOT expected (usage: velmora-kin %s %s)",
                   cmd->name, cmd->usage);
    } else if (cmd->needs != KinNeedsNothing && DataDirStart(data) != 0) {
      rc = KinFail(KinUnreadable, "data folder", nullptr);
    } else if (cmd->needs == KinNeedsRobot) {
      rc = KinOpenRobot(&call, call.argv[0]);
      call.argc--;
      call.argv++;
    }
    if (rc == KinOk) rc = cmd->run(&call);
    KinFlushWarnings(call.robot_arg);
    KinCloseRobot(&call);
  }
  if (fclose(out) != 0 && rc == KinOk) rc = KinFail(KinUnreadable, "-", "cannot write the results");
  return rc;
}
