// collide_mesh.h -- triangle soups gathered from solids: what the drawing emits, as triangles
#ifndef VELMORA_COLLIDE_MESH_H
#define VELMORA_COLLIDE_MESH_H

#include "graphics/jwtypes.h"

// nv points (3 floats each) and nt triangles (3 point indices each); grown by the adders
typedef struct _CollideMesh_ {
  float* V;
  int nv, cv;     // points in use, room
  int* T;
  int nt, ct;     // triangles in use, room
} CollideMesh;

// every unit of p as drawn (quad strips and triangle strips split, polygons fanned), each
// point moved by M (row-major 4 x 4) first; NULL does nothing
void CollideMeshAddSolid(CollideMesh* m, JwPrimitive p, const double M[16]);
// a closed loft between two outlines of n points each (3 floats per point): side quads and
// two fanned end caps
void CollideMeshAddLoft(CollideMesh* m, const float* A, const float* B, int n,
                        const double M[16]);
// arrays freed, counts zero
void CollideMeshClear(CollideMesh* m);

#endif
