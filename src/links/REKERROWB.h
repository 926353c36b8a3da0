// REKERROWB.h -- the built-in REKERROWB model: the redundant arm on a trunk of three yaw-pitch
// modules
#ifndef VELMORA_REKERROWB_H
#define VELMORA_REKERROWB_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void REKERROWBInit(Robot r);
// free the solids
void REKERROWBDestroy(Robot r);
// drawing table: base, linkm2v ... link7 (filled by the drawing library)
extern LinkDrawProc REKERROWBLinks[14];
// end effectors, then the null name
extern EEData REKERROWBEElist[5];
// the "Hand": gripper of size 0.66 turned onto x, gold palm, tool frame 0.561 along x
void REKERROWBInitEEHand(EndEffectorPtr ee);
// the "Peg" (type 6): holder, stem, collar, peg and tip along x; tool frame at the tip
void REKERROWBInitEEPeg(EndEffectorPtr ee);
// the "Spray" (type 7): the peg's solids and a spray cone from x = 1 to 5; tool frame at 5
void REKERROWBInitEESpray(EndEffectorPtr ee);
// the model's solids, shared with its drawing file
extern ModelParts rekerrowb;

// drawing library only (REKERROWB_gl.cpp): fill REKERROWBLinks
void RegisterREKERROWBDrawing(void);

#endif
