// C3Manip.h -- the built-in C3Manip model: a small seven-axis arm whose wrist is driven by a
// parallel pair of legs
#ifndef VELMORA_C3MANIP_H
#define VELMORA_C3MANIP_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void C3ManipInit(Robot r);
// free the solids
void C3ManipDestroy(Robot r);
// drawing table: base, link1 ... link7 (filled by the drawing library)
extern LinkDrawProc C3ManipLinks[8];
// end effectors, then the null name
extern EEData C3ManipEElist[5];
// the "Hand": wide-base gripper of size 0.46 along x, ending at the tool frame 0.029 short
void C3ManipInitEEHand(EndEffectorPtr ee);
// the "Cone" (type 4): a pointer cone whose tip is the last link frame
void C3ManipInitEECone(EndEffectorPtr ee);
// the "Cone And Sphere" (type 5): the same cone, tool frame 0.029 behind its tip
void C3ManipInitEEConeSphere(EndEffectorPtr ee);

// the two wrist legs in the frame that draws link 4 (after its joint rotation): ends A on the
// forearm, ends B on the wrist platform of link 6 placed by the current joint values
// (EvalQr_i); 0, or -1 when r is not a seven-link robot
int C3ManipLegEnds(Robot r, JointConfig jc, float A[2][3], float B[2][3]);
// leg solids, drawn by link 4 along each leg (also in c3manip, as link -1)
typedef struct _C3ManipLeg_ {
  JwPrimitive fork;    // universal joint with outer pins at A, opening along +z
  JwPrimitive barrel;  // cylinder from A along +z
  JwPrimitive rod;     // rod ending at B, along -z from B
  JwPrimitive ball;    // ball joint at B
} C3ManipLeg;
extern C3ManipLeg c3manip_leg;
// the model's solids, shared with its drawing file
extern ModelParts c3manip;

// drawing library only (C3Manip_gl.cpp): fill C3ManipLinks
void RegisterC3ManipDrawing(void);

#endif
