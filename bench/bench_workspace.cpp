// bench_workspace.cpp -- speed of the work-environment writer and reader on 1000 objects
#include <benchmark/benchmark.h>
#include <stdio.h>     // for: snprintf()
#include <stdlib.h>    // for: mkdtemp(), system()
#include <sys/stat.h>  // for: mkdir()
#include <unistd.h>    // for: chdir(), getcwd()

#include "scene/workspace.h"
#include "scene/workspace_file.h"

// a private directory with "Workspace", and 1000 objects of every type and colour in use
static char work[] = "/tmp/velmora-bench-ws-XXXXXX";
static char back[4096];

static int SetUpCell(void) {
  if (!getcwd(back, sizeof(back)) || !mkdtemp(work) || chdir(work) != 0) return -1;
  mkdir("Workspace", 0755);
  for (int i = 0; i < WS_MAX; i++) {
    ResetWorkspaceObject(i);
    WorkspaceType[i] = 1 + i % WS_TYPES;
    WorkspaceColor[i] = WorkspaceColorValue[i % WS_COLORS];
    ShowWorkspace[i] = 1;
    for (int k = 0; k < 3; k++) {
      ws_object_pos[i][k] = 0.37f*i - 100.0f*k;
      ws_object_info[i][k] = 0.5f + 0.01f*(i % 400);
      WorkspaceAngle[i][k] = (float)(i % 360) - 180.0f;
    }
  }
  workspace_number = WS_MAX;
  return WriteWorkspace("cell1000");
}

static void TearDownCell(void) {
  char cmd[64];
  if (chdir(back) != 0) return;
  snprintf(cmd, sizeof(cmd), "rm -rf '%s'", work);
  if (system(cmd) != 0) return;
}

static void BM_WriteWorkspace1000(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(WriteWorkspace("cell1000"));
}
BENCHMARK(BM_WriteWorkspace1000)->Unit(benchmark::kMillisecond);

static void BM_ReadWorkspace1000(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadWorkspace("cell1000"));
}
BENCHMARK(BM_ReadWorkspace1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (SetUpCell() != 0) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  TearDownCell();
  return 0;
}
