// things.h -- scene things: a placed group of solids, its operations and the object builders
//
// A thing owns np solids and a 4 x 4 placement Q in the GL matrix stack's element order
// (translation in elements 12-14, i.e. Q[3][0..2]). The builders compute their meshes without
// a GL context. Drawing lives in things_gl.cpp: that file registers StdThingDrawProc here when
// it is linked in (a static initialiser), so a headless program builds things whose DrawProc
// stays NULL and DrawThing binds it late.
#ifndef VELMORA_SCENE_THINGS_H
#define VELMORA_SCENE_THINGS_H

#include "graphics/jwtypes.h"

struct _Thing_;
typedef void (*ThingProc)(struct _Thing_* thing);

typedef struct _Thing_ {
  char name[64];       // not set by the builders
  int np;              // number of solids
  JwPrimitive* P;      // np solids, owned by the thing
  float Q[4][4];       // placement, GL element order
  ThingProc InitProc, EditProc, DrawProc, DestroyProc;  // builders set only DrawProc
} ThingRec, *Thing;

// fixed colours of the conveyor belt and the battery terminals
static const unsigned long ConveyorBeltColor = 0xff3b472eUL;
static const unsigned long BatteryTerminalColor = 0xff212429UL;

//------------------------------------------------------------------ operations
void SetQToIdentity(float Q[4][4]);
// Q <- A Q as plain 4 x 4 arrays: A acts in the thing's own frame, before the old placement
void PreMult(float A[4][4], float Q[4][4]);
// PreMult with the translation (x, y, z)
void TranslateThing(Thing thing, float x, float y, float z);
// PreMult with the rotation of angle degrees about 'x', 'y' or 'z' (either case); any other
// axis character gives the identity
void RotThing(Thing thing, float angle, char axis);
// frees every solid, the solid array and the thing; NULL does nothing
void DestroyThing(Thing thing);
// a thing of np empty solid slots with identity Q and the registered standard DrawProc
Thing NewThing(int np);

// drawing (things_gl.cpp): push, multiply by Q, draw every solid, pop
void StdThingDrawProc(Thing thing);
// the thing's DrawProc (StdThingDrawProc when none is set); NULL does nothing
void DrawThing(Thing thing);
// the standard drawing procedure given to new things; NULL until the drawing is linked in
void SetStdThingDrawProc(ThingProc proc);
ThingProc GetStdThingDrawProc(void);

//------------------------------------------------------------------ builders
// Each returns a new thing with identity Q, lengths in the caller's unit, z up.
// table: top L x W at height H, four legs; centred on the z axis
Thing DefTable(float L, float W, float H, unsigned long col);
// conveyor: L along y from 0, W along x from 0, belt top near H; 4r + 5 solids with
// r = ceil(L/(3H)) + 2 leg frames (at least 2, at most ConveyorMaxFrames)
Thing DefConveyor(float L, float W, float H, unsigned long col);
enum { ConveyorMaxFrames = 1000 };
// plate L x W, thickness 0.06 max(L, W), bottom at -H
Thing DefSurface(float L, float W, float H, unsigned long col);
// solid cylinder of diameter D and length L standing 0.02 above the base
Thing DefPeg(float D, float L, unsigned long col);
// tube of radii r1 (outer) and r2 (inner), length L, standing 0.02 above the base
Thing DefFuselage(float r1, float r2, float L, unsigned long col);
// pallet: two boards and three blocks, L x W x H on the base
Thing DefPallet(float L, float W, float H, unsigned long col);
// battery of size S: lower body in col2, upper body in col, two terminals on top
Thing DefBattery(float S, unsigned long col, unsigned long col2);

#endif
