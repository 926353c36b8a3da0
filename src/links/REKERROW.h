// REKERROW.h -- the built-in REKERROW model: a seven-axis redundant arm with an offset flange
#ifndef VELMORA_REKERROW_H
#define VELMORA_REKERROW_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void REKERROWInit(Robot r);
// free the solids
void REKERROWDestroy(Robot r);
// drawing table: base, link1 ... link7 (filled by the drawing library)
extern LinkDrawProc REKERROWLinks[8];
// end effectors, then the null name
extern EEData REKERROWEElist[3];
// the "Hand": gripper of size 0.66 turned onto x, tool frame 0.561 along x
void REKERROWInitEEHand(EndEffectorPtr ee);
// the arm's solids of links 1 ... 7 into m as links first ... first + 6, the first link's
// solids moved by lift along z (0 for this model's own pedestal)
void RekerrowArm(ModelParts* m, int first, float lift);
// the arm's "Hand": gripper of size 0.66 turned onto x, palm and finger colours, tool frame
// 0.561 along x (REKERROW and REKERROWB)
void RekerrowHand(EndEffectorPtr ee, JwColor palm, JwColor fingers);
// the model's solids, shared with its drawing file
extern ModelParts rekerrow;

// drawing library only (REKERROW_gl.cpp): fill REKERROWLinks
void RegisterREKERROWDrawing(void);

#endif
