// workspace_kinds.cpp -- the kinds of work-environment object, one row each
#include "scene/workspace_kinds.h"

#include <string.h>  // for: strcmp()

#include "scene/things.h"      // for: DefTable(), DefConveyor(), ...

//------------------------------------------------------------------ builders

static Thing Table(const float* I, unsigned long c) { return DefTable(I[0], I[1], I[2], c); }
static Thing Conveyor(const float* I, unsigned long c) { return DefConveyor(I[0], I[1], I[2], c); }
static Thing Surface(const float* I, unsigned long c) { return DefSurface(I[0], I[1], 0, c); }
static Thing Peg(const float* I, unsigned long c) { return DefPeg(I[1], I[0], c); }
static Thing Fuselage(const float* I, unsigned long c) { return DefFuselage(I[1], I[2], I[0], c); }
static Thing Pallet(const float* I, unsigned long c) { return DefPallet(I[0], I[1], I[2], c); }
static Thing Battery(const float* I, unsigned long c) { return DefBattery(I[1], c, 0xff0000ffUL); }

//------------------------------------------------------------------ pivots

// boxes: on the top face, at the centre or the chosen corner
static void BoxTop(const float* I, float e1, float e2, float* o) {
  o[0] = (e2 - e1)*I[0]/2;  o[1] = -(e1 + e2)*I[1]/2;  o[2] = I[2];
}
// a plate lies on its origin's plane
static void Plate(const float* I, float e1, float e2, float* o) {
  o[0] = (e2 - e1)*I[0]/2;  o[1] = -(e1 + e2)*I[1]/2;  o[2] = 0.0f;
}
// a conveyor runs along y: its length and width swap places
static void ConveyorTop(const float* I, float e1, float e2, float* o) {
  o[0] = I[1]/2 + (e2 - e1)*I[1]/2;  o[1] = I[0]/2 - (e1 + e2)*I[0]/2;  o[2] = I[2];
}
// cylinders: on the axis, at the top, or at the bottom for E2
static void CylinderEnd(const float* I, float, float e2, float* o) {
  o[0] = o[1] = 0.0f;  o[2] = I[0] - e2*I[0];
}
// a battery's cube stands on its origin
static void CubeTop(const float* I, float, float, float* o) {
  o[0] = o[1] = 0.0f;  o[2] = I[1];
}

//------------------------------------------------------------------ the table

static const WorkspaceKind kinds[] = {
  {"", nullptr, nullptr, {"", "", ""}, {0, 0, 0}, {0, 0, 0}, -1, -1},
  {"Table", Table, BoxTop, {"Length:", "Width:", "Height:"}, {1, 1, 1}, {0.1, 0.1, 0.1}, 1, -1},
  {"Conveyor", Conveyor, ConveyorTop, {"Length:", "Width:", "Height:"}, {1, 1, 1},
   {0.1, 0.1, 0.1}, 1, -1},
  {"Surface", Surface, Plate, {"Length:", "Width:", "Height:"}, {1, 1, 0}, {0.1, 0.1, 0.1}, 2,
   2},
  {"SolidCylinder", Peg, CylinderEnd, {"Length", "Diameter", ""}, {1, 1, 0}, {0.1, 0.1, 0.1},
   -1, -1},
  {"HollowCylinder", Fuselage, CylinderEnd, {"Length", "Radius 1", "Radius 2"}, {1, 1, 1},
   {0.1, 0.1, 0.1}, -1, -1},
  {"Pallet", Pallet, BoxTop, {"Length:", "Width:", "Height:"}, {1, 1, 1}, {0.1, 0.1, 0.1}, 1, -1},
  {"Battery", Battery, CubeTop, {"", "Size:", ""}, {0, 1, 0}, {0.1, 0.01, 0.1}, -1, -1},
};

const int WorkspaceKindCount = (int)(sizeof(kinds)/sizeof(kinds[0])) - 1;

//------------------------------------------------------------------ public API

const WorkspaceKind* WorkspaceKindOf(int type) {
  return (type >= 1 && type <= WorkspaceKindCount) ? &kinds[type] : nullptr;
}

const char* WorkspaceKindName(int type) {
  const WorkspaceKind* k = WorkspaceKindOf(type);
  return k ? k->name : "";
}

int WorkspaceKindByName(const char* name) {
  for (int t = 1; name && t <= WorkspaceKindCount; t++)
    if (strcmp(name, kinds[t].name) == 0) return t;
  return -1;
}
