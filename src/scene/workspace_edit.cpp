// workspace_edit.cpp -- the rules of the work-environment dialog that need no widget: dimension
// clamps, the object count, the user-frame toggle and the list of environment files
#include "scene/workspace_edit.h"

#include <dirent.h>  // for: opendir(), readdir(), closedir()
#include <stdlib.h>  // for: qsort(), free()
#include <string.h>  // for: strcmp(), strcpy(), memcpy()

#include "scene/coordi_trans.h"    // for: Coordi_Trans(), Coordi_Untrans()
#include "graphics/misc.h"   // for: JwMalloc()
#include "scene/workspace.h"
#include "scene/workspace_file.h"  // for: WS_DIR, workspace_fill_match()

//------------------------------------------------------------------ static helpers

static int CompareNames(const void* a, const void* b) {
  return strcmp(*(char* const*)a, *(char* const*)b);
}

//------------------------------------------------------------------ public API

float ClampWorkspaceDimension(double v) {
  if (!(v > 0)) return 0.0f;
  return v >= 50 ? 50.0f : (float)v;
}

int SetWorkspaceTotal(int n) {
  if (n > WS_TOTAL_WRAP || n < 1) n = 1;
  for (int i = workspace_number; i < n; i++) ResetWorkspaceObject(i);
  if (coord_id >= n) {
    Coordi_Untrans();
    coord_id = -1;
  }
  workspace_number = n;
  if (Workspace_ID >= n) Workspace_ID = n - 1;
  return n;
}

int ToggleUserFrame(int id) {
  if (id < 0 || id >= workspace_number) return coord_id;
  int was = coord_id;
  if (was != -1) Coordi_Untrans();
  coord_id = (was == id) ? -1 : id;
  if (coord_id != -1) Coordi_Trans(coord_id);
  return coord_id;
}

void ReapplyUserFrame(void) {
  if (coord_id < 0 || coord_id >= workspace_number) return;
  Coordi_Untrans();
  Coordi_Trans(coord_id);
}

int WorkspaceFileList(char*** names) {
  *names = nullptr;
  DIR* d = opendir(WS_DIR);
  if (!d) return 0;
  int n = 0, cap = 0;
  char** list = nullptr;
  struct dirent* e;
  while ((e = readdir(d)) != nullptr) {
    if (!workspace_fill_match(e->d_name)) continue;
    if (n == cap) {                        // grow by doubling
      cap = cap ? 2*cap : 16;
      char** bigger = (char**)JwMalloc(cap*sizeof(char*));
      if (n) memcpy(bigger, list, n*sizeof(char*));
      free(list);
      list = bigger;
    }
    list[n] = (char*)JwMalloc(strlen(e->d_name) + 1);
    strcpy(list[n++], e->d_name);
  }
  closedir(d);
  if (n) qsort(list, n, sizeof(char*), CompareNames);
  *names = list;
  return n;
}

void FreeWorkspaceFileList(char** names, int n) {
  if (!names) return;
  for (int i = 0; i < n; i++) free(names[i]);
  free(names);
}
