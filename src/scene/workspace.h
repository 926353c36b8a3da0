// workspace.h -- the work environment: up to 1000 objects placed around the robot, held as
// parallel tables, and the object chosen as the user coordinate frame
#ifndef VELMORA_WORKSPACE_H
#define VELMORA_WORKSPACE_H

#define WS_MAX 1000         // table size; "Total:" restarts at 1 above 999
#define WS_TYPES WorkspaceKindCount   // kinds of object: the rows of workspace_kinds.cpp
#define WS_TYPES_MAX 64              // more kinds than a list ever shows
#define WS_COLORS 6         // White, Grey, Yellow, Red, Blue, Green

struct _Thing_;

#include "scene/workspace_kinds.h"

// object types, as numbered in the tables (1-based; 0 = none)
enum WorkspaceTypeCode {
  WS_TABLE = 1, WS_CONVEYOR, WS_SURFACE, WS_SOLID_CYLINDER, WS_HOLLOW_CYLINDER, WS_PALLET,
  WS_BATTERY
};

//------------------------------------------------------------------ the tables
extern int ShowWorkspace[WS_MAX];             // 1 = visible
extern float ws_object_pos[WS_MAX][3];        // position
extern float ws_object_info[WS_MAX][3];       // dimensions; meaning by type
extern struct _Thing_* ws_object[WS_MAX];     // the object's thing, when one is kept
extern int WorkspaceType[WS_MAX];             // WorkspaceTypeCode
extern unsigned long WorkspaceColor[WS_MAX];  // packed colour, red in the lowest byte
extern float WorkspaceAngle[WS_MAX][3];       // rotations about x, y, z in degrees

//------------------------------------------------------------------ selection
extern int workspace_number;  // objects in use, 1 at start and after a robot load
extern int Workspace_ID;      // 0-based index of the object being edited
extern int ws_axis;           // 0, 1, 2: the axis the Rotation field edits
extern int coord_id;          // object used as user coordinate frame, -1 = none

//------------------------------------------------------------------ names
extern const char* const WorkspaceColorName[WS_COLORS];
extern const unsigned long WorkspaceColorValue[WS_COLORS];

// object i to its start-up state: hidden, position 0, dimensions 1, 1, 1, Table, Grey, angles 0
void ResetWorkspaceObject(int i);
// the work environment as a robot load leaves it: one object, the first selected, no user frame
void ResetWorkspace();

#endif
