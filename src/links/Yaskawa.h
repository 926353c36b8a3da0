// Yaskawa.h -- the built-in Yaskawa model: a six-axis welding arm of cylinders, lugs and boxes
#ifndef VELMORA_YASKAWA_H
#define VELMORA_YASKAWA_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void YaskawaInit(Robot r);
// free the solids
void YaskawaDestroy(Robot r);
// drawing table: base, link1 ... link6 (filled by the drawing library)
extern LinkDrawProc YaskawaLinks[7];
// end effectors, then the null name
extern EEData YaskawaEElist[4];
// the "Hand": gripper of size 0.66, tool frame 0.561 along z
void YaskawaInitEEHand(EndEffectorPtr ee);
// the "Welder": a torch cone of radius 0.2 and height 1, tool frame at its tip
void YaskawaInitEEWelder(EndEffectorPtr ee);
// the model's solids, shared with its drawing file
extern ModelParts yaskawa;

// drawing library only (Yaskawa_gl.cpp): fill YaskawaLinks
void RegisterYaskawaDrawing(void);

#endif
