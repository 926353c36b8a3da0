// workspace_edit.h -- the rules of the work-environment dialog that need no widget: dimension
// clamps, the object count, the user-frame toggle and the list of environment files
#ifndef VELMORA_WORKSPACE_EDIT_H
#define VELMORA_WORKSPACE_EDIT_H

#define WS_TOTAL_WRAP 999   // "Total:" above this restarts at 1

// a typed dimension: at most 0 gives 0, at least 50 gives 50 (NaN gives 0)
float ClampWorkspaceDimension(double v);

// "Total:" set to n: above WS_TOTAL_WRAP (or below 1) it restarts at 1. Objects beyond the
// old count are initialised (hidden, position 0, dimensions 1, Table, Grey, angles 0);
// Workspace_ID and coord_id move back inside the new count (a user frame on a dropped
// object is taken off its path first). Returns the new workspace_number
int SetWorkspaceTotal(int n);

// "Set" on object id: when id is already the user frame, the frame is removed (coord_id
// -1) and the loaded Cartesian path taken back out of it; otherwise a frame in use is
// taken off the path, id becomes coord_id and the path is moved into its frame. Pressing
// twice therefore leaves the path where it was. Returns coord_id
int ToggleUserFrame(int id);

// the user frame's object or the reference option changed: the path leaves the old frame
// and enters the new one (nothing without a frame)
void ReapplyUserFrame(void);

// names in "Workspace" that belong in the load list (workspace_fill_match), sorted; *names
// gets a heap array of heap strings (NULL when none). Returns the count; 0 when the
// directory cannot be read
int WorkspaceFileList(char*** names);
void FreeWorkspaceFileList(char** names, int n);

#endif
