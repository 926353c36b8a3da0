// jwtypes.h -- the graphics types that the robot records name as field types
#ifndef VELMORA_JWTYPES_H
#define VELMORA_JWTYPES_H

// packed colour: red in the lowest byte, then green, blue, alpha
typedef unsigned int JwColor;

// 4 x 4 float transform, row-major: rotation in rows/columns 0-2, translation in column 3
typedef float Matrix[4][4];

// a solid made of meshes; the record itself is defined with the primitives
typedef struct _JwPrimitive_* JwPrimitive;

#endif
