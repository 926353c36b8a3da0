// Puma560.h -- the built-in Puma560 model: registry entry points and its solids
#ifndef VELMORA_PUMA560_H
#define VELMORA_PUMA560_H

#include "links/links.h"

// build the fourteen solids (any previous ones are freed first); the robot is not consulted
void Puma560Init(Robot r);
// free the fourteen solids and clear them
void Puma560Destroy(Robot r);
// drawing table: base, link1 ... link6 (filled by the drawing library)
extern LinkDrawProc Puma560Links[7];
// "None" 0, "Hand" 1, then the null name
extern EEData Puma560EElist[3];
// the "Hand": gripper palm and two fingers, opening 0.256, tool frame 0.561 along z
void Puma560InitEEHand(EndEffectorPtr ee);
// palm, then finger 1 moved by +v[0] along y and finger 2 by -v[0] (forwards to the GL drawer)
void ZDrawEE(EndEffectorPtr ee);

// the model's solids, shared with its drawing file; null while the model is not built
typedef struct _Puma560Solids_ {
  JwPrimitive Bplate, Bstump, Bbox, Bmotor;   // base
  JwPrimitive L1trunk, L1hinge;               // link 1
  JwPrimitive L2link, L3link;                 // links 2 and 3
  JwPrimitive L4cyl, L4b1, L4b2;              // link 4
  JwPrimitive L6a, L6b, L6c;                  // link 6 (flange)
} Puma560Solids;
extern Puma560Solids puma560;

// drawing library only (Puma560_gl.cpp): fill Puma560Links and the ZDrawEE drawer
void RegisterPuma560Drawing(void);

#endif
