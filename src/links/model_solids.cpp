// model_solids.cpp -- which solids each part of a built-in model is drawn with, without drawing
#include "links/model_solids.h"
#include "links/C3Manip.h"
#include "links/FanucS300.h"
#include "links/Kerrow.h"
#include "links/Puma560.h"
#include "links/REKERROW.h"
#include "links/REKERROWB.h"
#include "links/Wrist.h"
#include "links/Yaskawa.h"
#include "links/ZireVoro.h"

//------------------------------------------------------------------ static helpers

// the solids of a list drawn by one link
static int FromList(const ModelParts* m, int part, JwPrimitive* out, int max) {
  int c = 0;
  for (int k = 0; k < m->n && c < max; k++)
    if (m->link[k] == part && m->P[k]) out[c++] = m->P[k];
  return c;
}

// the solids of the Puma560 set that part k draws, at most max
static int FromPuma(const Puma560Solids* s, int part, JwPrimitive* out, int max) {
  JwPrimitive p[Puma560PartMax];
  int n = Puma560PartSolids(s, part, p), c = 0;
  for (int k = 0; k < n && c < max; k++)
    if (p[k]) out[c++] = p[k];
  return c;
}

//------------------------------------------------------------------ public API

int Puma560Bodies(int part, JwPrimitive* out, int max) {
  return FromPuma(&puma560, part, out, max);
}

// the carriage and boom are parts 0 to 5, the arm's base and links parts 6 to 12
int ZireVoroBodies(int part, JwPrimitive* out, int max) {
  if (part >= 6) return FromPuma(&zirevoro_arm, part - 6, out, max);
  return FromList(&zirevoro, part, out, max);
}

int YaskawaBodies(int part, JwPrimitive* out, int max) {
  return FromList(&yaskawa, part, out, max);
}
int KerrowBodies(int part, JwPrimitive* out, int max) {
  return FromList(&kerrow, part, out, max);
}
int FanucS300Bodies(int part, JwPrimitive* out, int max) {
  return FromList(&fanuc, part, out, max);
}
int REKERROWBodies(int part, JwPrimitive* out, int max) {
  return FromList(&rekerrow, part, out, max);
}
int REKERROWBBodies(int part, JwPrimitive* out, int max) {
  return FromList(&rekerrowb, part, out, max);
}
int C3ManipBodies(int part, JwPrimitive* out, int max) {
  return FromList(&c3manip, part, out, max);
}
int WristBodies(int part, JwPrimitive* out, int max) {
  return FromList(&wrist, part, out, max);
}

