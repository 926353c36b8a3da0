// Puma560.h -- the built-in Puma560 model: registry entry points and its solids
#ifndef VELMORA_PUMA560_H
#define VELMORA_PUMA560_H

#include "links/model_ee.h"

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
// the fourteen solids into s, the column shortened by drop (the first link's body and the
// shoulder come down with it); s must hold no solids
void Puma560Build(Puma560Solids* s, float drop);
// the fourteen solids of s freed and cleared
void Puma560Free(Puma560Solids* s);
// the solids of s that part k draws (0 base, 1 ... 6 the links; link 5 has none) into out,
// which holds Puma560PartMax; their count (entries may be NULL while s is not built)
enum { Puma560PartMax = 4 };
int Puma560PartSolids(const Puma560Solids* s, int k, JwPrimitive* out);
// drawing library only: the solids of s that part k draws
void Puma560DrawPart(const Puma560Solids* s, int k);

// drawing library only (Puma560_gl.cpp): fill Puma560Links and the ZDrawEE drawer
void RegisterPuma560Drawing(void);

#endif
