// Wrist.h -- the built-in Wrist model: a roll-pitch-roll wrist on a pedestal, in cylinders
#ifndef VELMORA_WRIST_H
#define VELMORA_WRIST_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void WristInit(Robot r);
// free the solids
void WristDestroy(Robot r);
// drawing table: base, link1 ... link3 (filled by the drawing library)
extern LinkDrawProc WristLinks[4];
// "None" 0, then the null name
extern EEData WristEElist[2];
// the model's solids, shared with its drawing file
extern ModelParts wrist;

// drawing library only (Wrist_gl.cpp): fill WristLinks
void RegisterWristDrawing(void);

#endif
