// FanucS300.h -- the built-in FanucS300 model: a large six-axis arm of lugs, filleted boxes,
// outlines and frusta
#ifndef VELMORA_FANUCS300_H
#define VELMORA_FANUCS300_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void FanucS300Init(Robot r);
// free the solids
void FanucS300Destroy(Robot r);
// drawing table: base, link1 ... link6 (filled by the drawing library)
extern LinkDrawProc FanucS300Links[7];
// end effectors, then the null name
extern EEData FanucS300EElist[4];
// the "Hand": gripper of size 1.2, tool frame 1.02 along z
void FanucS300InitEEHand(EndEffectorPtr ee);
// the "Glue": gun body, nozzle block, cartridge arc and feed hose; tool frame at the nozzle
void FanucS300InitEEGlue(EndEffectorPtr ee);
// the model's solids, shared with its drawing file
extern ModelParts fanuc;

// drawing library only (FanucS300_gl.cpp): fill FanucS300Links
void RegisterFanucS300Drawing(void);

#endif
