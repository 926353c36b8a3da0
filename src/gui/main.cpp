// main.cpp -- start-up of the Velmora program
#include <stdio.h>   // for: printf()
#include <string.h>  // for: strcmp()

static const char* usage =
  "usage: velmora [--help] [--version]\n"
  "Velmora studies serial robot manipulators described by Denavit-Hartenberg parameters.\n"
  "Run it in a directory holding Arch, Description, JConfig, Ctraj, Jtraj and Workspace.\n";

int main(int argc, char** argv) {
  for (int i = 1; i < argc; i++) {
    if (!strcmp(argv[i], "--help")) { fputs(usage, stdout); return 0; }
    if (!strcmp(argv[i], "--version")) { printf("velmora %s\n", VELMORA_VERSION); return 0; }
    fprintf(stderr, "velmora: unknown option %s\n%s", argv[i], usage);
    return 2;
  }
  puts("velmora: the main window is not built yet; the kinematics core is in place.");
  return 0;
}
