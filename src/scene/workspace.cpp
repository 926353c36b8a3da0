// workspace.cpp -- the work-environment tables and their start-up values
#include "scene/workspace.h"

//------------------------------------------------------------------ the tables
int ShowWorkspace[WS_MAX];
float ws_object_pos[WS_MAX][3];
float ws_object_info[WS_MAX][3];
struct _Thing_* ws_object[WS_MAX];
int WorkspaceType[WS_MAX];
unsigned long WorkspaceColor[WS_MAX];
float WorkspaceAngle[WS_MAX][3];

//------------------------------------------------------------------ selection
int workspace_number = 1;
int Workspace_ID = 0;
int ws_axis = 0;
int coord_id = -1;

//------------------------------------------------------------------ names
const char* const WorkspaceColorName[WS_COLORS] = {
  "White", "Grey", "Yellow", "Red", "Blue", "Green"};
const unsigned long WorkspaceColorValue[WS_COLORS] = {
  0xffffffffUL, 0xffc0c0c0UL, 0xff00ffffUL, 0xff0000ffUL, 0xffff0000UL, 0xff00ff00UL};

//------------------------------------------------------------------ public API

// object i to its start-up state: hidden, position 0, dimensions 1, 1, 1, Table, Grey, angles 0
void ResetWorkspaceObject(int i) {
  if (i < 0 || i >= WS_MAX) return;
  ShowWorkspace[i] = 0;
  for (int k = 0; k < 3; k++) {
    ws_object_pos[i][k] = 0.0f;  ws_object_info[i][k] = 1.0f;  WorkspaceAngle[i][k] = 0.0f;
  }
  WorkspaceType[i] = WS_TABLE;
  WorkspaceColor[i] = WorkspaceColorValue[1];
}

// the work environment as a robot load leaves it: one object, the first selected, no user frame
void ResetWorkspace() {
  workspace_number = 1;
  Workspace_ID = 0;
  coord_id = -1;
}
