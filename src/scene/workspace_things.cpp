// workspace_things.cpp -- the things of the work-environment objects, built on demand and kept
// while the object's type, dimensions and colour stay the same
#include "scene/workspace_things.h"

#include "scene/workspace.h"   // for: the work-environment tables

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
  const float* I = ws_object_info[i];
  unsigned long C = WorkspaceColor[i];
  switch (WorkspaceType[i]) {
    case WS_TABLE: return DefTable(I[0], I[1], I[2], C);
    case WS_CONVEYOR: return DefConveyor(I[0], I[1], I[2], C);
    case WS_SURFACE: return DefSurface(I[0], I[1], 0, C);
    case WS_SOLID_CYLINDER: return DefPeg(I[1], I[0], C);
    case WS_HOLLOW_CYLINDER: return DefFuselage(I[1], I[2], I[0], C);
    case WS_PALLET: return DefPallet(I[0], I[1], I[2], C);
    case WS_BATTERY: return DefBattery(I[1], C, 0xff0000ffUL);
  }
  return nullptr;
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
