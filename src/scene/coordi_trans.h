// coordi_trans.h -- a work-environment object as user coordinate frame: its reference point
// (the pivot its rotations turn about) and the transform of a loaded Cartesian path into it
#ifndef VELMORA_COORDI_TRANS_H
#define VELMORA_COORDI_TRANS_H

// which point of an object the user frame sits on: the dialog's radio buttons "C" (and
// "Axes"), "E1" and "E2"
enum WorkspaceReference { WS_REF_CENTRE = 0, WS_REF_E1 = 1, WS_REF_E2 = 2 };

// the reference option; other values are ignored (WS_REF_CENTRE at start)
void SetWorkspaceReference(int ref);
int GetWorkspaceReference(void);

// offset of object i's reference point from its position, (l, w, h) = info:
//   Table, Pallet (0, 0, h); E1 adds (-l/2, -w/2, 0), E2 (+l/2, -w/2, 0)
//   Surface (0, 0, 0); E1 and E2 as for a table
//   Conveyor (w/2, l/2, h); E1 adds (-w/2, -l/2, 0), E2 (+w/2, -l/2, 0)
//   SolidCylinder, HollowCylinder (0, 0, l); E2 adds (0, 0, -l)
//   Battery (0, 0, w); any other type or index (0, 0, 0)
// the view rotates the object about this point and draws the user frame there
void WorkspacePivot(int i, float o[3]);
// object i's reference point: pos + pivot, or (0, 0, 0) for an unknown type or index
void WorkspaceReferencePoint(int i, double p[3]);

// move every point of the loaded Cartesian trajectory CT into object id's frame:
// r = Rx(angle[0]) Ry(angle[1]) Rz(angle[2]) r + reference point, turning about base z,
// then y, then x (degrees, pi = 3.14159265; zero angles skipped); orientations stay.
// Returns the number of points moved (0 without a trajectory), or -1 after one message
// when id is not an object in use
int Coordi_Trans(int id);
// take the points of CT back out of the frame the last Coordi_Trans moved them into (the
// reference point and angles it used), when CT still holds those points; the number of
// points moved back, else 0
int Coordi_Untrans(void);

#endif
