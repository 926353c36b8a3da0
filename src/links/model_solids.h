// model_solids.h -- which solids each part of a built-in model is drawn with, without drawing
#ifndef VELMORA_MODEL_SOLIDS_H
#define VELMORA_MODEL_SOLIDS_H

#include "graphics/primitives.h"  // for: JwPrimitive

// the solids part k of the model draws (0 base, i link i), at most max into out; their count.
// Parts placed from the current frames at each frame (the ZireVoro boom cylinder, the
// C3Manip legs) and Kerrow's custom meshes are not solids and are not listed
int Puma560Bodies(int part, JwPrimitive* out, int max);
int ZireVoroBodies(int part, JwPrimitive* out, int max);
int YaskawaBodies(int part, JwPrimitive* out, int max);
int KerrowBodies(int part, JwPrimitive* out, int max);
int FanucS300Bodies(int part, JwPrimitive* out, int max);
int REKERROWBodies(int part, JwPrimitive* out, int max);
int REKERROWBBodies(int part, JwPrimitive* out, int max);
int C3ManipBodies(int part, JwPrimitive* out, int max);
int WristBodies(int part, JwPrimitive* out, int max);


#endif
