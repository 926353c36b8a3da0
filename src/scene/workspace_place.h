// workspace_place.h -- where a work-environment object stands: its placement as one matrix
#ifndef VELMORA_SCENE_WORKSPACE_PLACE_H
#define VELMORA_SCENE_WORKSPACE_PLACE_H

// object i's placement, row-major 4 x 4 (translation in M[3], M[7], M[11]), as the view
// places it: T(pos), then for each non-zero angle about x, y, z in turn a rotation about the
// object's pivot (WorkspacePivot), M = T(pos) T(o) Rx T(-o) T(o) Ry T(-o) T(o) Rz T(-o);
// the identity for an index outside the tables
void WorkspacePlacement(int i, double M[16]);

#endif
