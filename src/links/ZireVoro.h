// ZireVoro.h -- the built-in ZireVoro model: a Puma-like arm on a luffing, telescoping boom on a
// rail carriage
#ifndef VELMORA_ZIREVORO_H
#define VELMORA_ZIREVORO_H

#include "links/model_ee.h"
#include "links/model_parts.h"
#include "links/Puma560.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void ZireVoroInit(Robot r);
// free the solids
void ZireVoroDestroy(Robot r);
// drawing table: Tbase, Tlink1 ... link6 (filled by the drawing library)
extern LinkDrawProc ZireVoroLinks[13];
// end effectors, then the null name
extern EEData ZireVoroEElist[3];
// the "Hand": as Puma560's, opening 0.256, tool frame 0.561 along z, drawn by ZDrawEE
void ZireVoroInitEEHand(EndEffectorPtr ee);

// the boom cylinder between the turret (link 1) and the boom (link 2) from the current joint
// values (EvalQr_i): its two ends, lower and upper, in the frame that draws the given link
// (1 or 2, after its joint rotation); returns phi, the cylinder's angle above the turret's
// x axis in degrees, or -1000 when r is not a twelve-link robot
float ZireVoroCylinder(Robot r, JointConfig jc, int link, float lo[3], float hi[3]);
// the boom cylinder's solids, drawn along it by Tlink1 and Tlink2 (also in zirevoro as -1)
typedef struct _ZireVoroCyl_ {
  JwPrimitive mount;   // universal joint with outer pins at the lower end, opening along +z
  JwPrimitive barrel;  // from the lower end along +z
  JwPrimitive rod;     // ending at the upper end, along -z from it
  JwPrimitive eye;     // rod eye at the upper end
} ZireVoroCyl;
extern ZireVoroCyl zirevoro_cyl;
// the Puma-like arm's solids (base drawn by link 6, its links by links 7 ... 12)
extern Puma560Solids zirevoro_arm;
// the model's solids, shared with its drawing file
extern ModelParts zirevoro;

// the sixth joint follows the second: q[5] = 180 - q[1] (robots of more than five joints)
void ZireVoroCouple(Robot r, float* q);

// drawing library only (ZireVoro_gl.cpp): fill ZireVoroLinks
void RegisterZireVoroDrawing(void);

#endif
