// model_parts.h -- the solid list of a built-in model: each solid with the link that draws it
#ifndef VELMORA_MODEL_PARTS_H
#define VELMORA_MODEL_PARTS_H

#include "graphics/primitives.h"
#include "robot/robot.h"

enum { ModelMaxParts = 96 };

// solids in drawing order; link[k] is 0 for the base, i for link i
typedef struct _ModelParts_ {
  int n;
  JwPrimitive P[ModelMaxParts];
  int link[ModelMaxParts];
} ModelParts;

// append p, drawn by the given link; a full list frees p and keeps the list (returns NULL)
JwPrimitive ModelAdd(ModelParts* m, int link, JwPrimitive p);
// free every solid; n = 0
void ModelFreeParts(ModelParts* m);
// number of solids drawn by a link
int ModelLinkParts(const ModelParts* m, int link);
// v' = T(x, y, z) Rz(rz) Ry(ry) Rx(rx) v, angles in degrees: the solid is turned about its
// own origin (x first, z last), then moved
JwPrimitive Put(JwPrimitive p, float x, float y, float z, float rx, float ry, float rz);

// end effector of nP solids and one opening value: Qee identity with translation (x, y, z),
// Qee_gl, StdDestroyEE, the given draw procedure, StdEditEE; the caller fills P[0 .. nP - 1]
void ModelInitEE(EndEffectorPtr ee, int type, int nP, float opening, float x, float y, float z,
                 void (*draw)(EndEffectorPtr));
// gripper palm and two fingers of size s into P[0..2] (material 4), the palm being the
// wide-base variant when wide is set
void ModelGripper(EndEffectorPtr ee, float s, int wide, JwColor palm, JwColor finger);

// drawing library only (model_parts_gl.cpp): a solid, with its own material and colour also
// for the mesh kinds that take the current ones; the solids of one link, in order
void ModelDrawSolid(JwPrimitive p);
void ModelDrawLink(const ModelParts* m, int link);

#endif
