// workspace_things.cpp -- the things of the work-environment objects, built on demand and kept
// while the object's type, dimensions and colour stay the same
#include "scene/workspace_things.h"

#include "scene/workspace.h"   // for: the work-environment tables
#include "scene/workspace_kinds.h"  // for: WorkspaceKindOf()

//------------------------------------------------------------------ module state

// what each kept thing was built from
typedef struct _KeptThing_ {
  Thing thing;
  int type;
  float info[3];
  unsigned long color;
} KeptThing;

static KeptThing kept[WS_MAX];

//------------------------------------------------------------------ public API

Thing BuildWorkspaceThing(int i) {
  const WorkspaceKind* k = WorkspaceKindOf(WorkspaceType[i]);
  return k ? k->build(ws_object_info[i], WorkspaceColor[i]) : nullptr;
}

Thing WorkspaceThing(int i) {
  if (i < 0 || i >= WS_MAX) return nullptr;
  KeptThing* k = &kept[i];
  const float* I = ws_object_info[i];
  if (k->thing && k->type == WorkspaceType[i] && k->color == WorkspaceColor[i] &&
      k->info[0] == I[0] && k->info[1] == I[1] && k->info[2] == I[2])
    return k->thing;
  DestroyThing(k->thing);
  k->thing = BuildWorkspaceThing(i);
  k->type = WorkspaceType[i];  k->color = WorkspaceColor[i];
  for (int a = 0; a < 3; a++) k->info[a] = I[a];
  return k->thing;
}

void FreeWorkspaceThings(void) {
  for (int i = 0; i < WS_MAX; i++) {
    DestroyThing(kept[i].thing);
    kept[i].thing = nullptr;
  }
}
