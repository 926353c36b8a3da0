// REKERROWB.cpp -- the built-in REKERROWB model: the redundant arm on a trunk of three
// yaw-pitch modules (13 links)
#include "links/REKERROWB.h"
#include "links/REKERROW.h"

//------------------------------------------------------------------ module state
ModelParts rekerrowb;
LinkDrawProc REKERROWBLinks[14] = {
  NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
  NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink};
// both tools are listed with type 6, so a robot file's type 6 selects the peg
EEData REKERROWBEElist[5] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, REKERROWBInitEEHand},
  {"Peg", 6, REKERROWBInitEEPeg},
  {"Spray", 6, REKERROWBInitEESpray},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor white = 0xffe8e8e8u;
static const JwColor teal = 0xff909010u;
static const JwColor dark = 0xff383838u;
static const float first_b = 2.2f;      // the lowest module stands on the pedestal
static const float arm_b = 1.5f;        // yaw of the arm above the top module's pitch

//------------------------------------------------------------------ static helpers
static void Add(int link, JwPrimitive p, float x, float y, float z, float rx) {
  ModelAdd(&rekerrowb, link, Put(p, x, y, z, rx, 0, 0));
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }

// one module: yaw housing from b - 0.95 to b - 0.4 and pitch lugs at b (link v); pitch hub
// and a neck toward the next module (link h)
static void Module(int v, float b) {
  Add(v, Cyl(0.55f, 0.55f, white), 0, 0, b - 0.675f, 0);
  Add(v, JwDefPivot(24, 0.55f, 0.8f, 0.2f, mat, white), 0, 0.5f, b, 90);
  Add(v, JwDefPivot(24, 0.55f, 0.8f, 0.2f, mat, white), 0, -0.5f, b, 90);
  Add(v + 1, Cyl(0.45f, 0.8f, teal), 0, 0, 0, 0);
  Add(v + 1, JwDefStump(24, 0.5f, 0.5f, 0.45f, mat, white), 0, 0, 0, 90);
}

// peg solids into P[0..4]: each stacked along z, then turned onto x
static void PegSolids(EndEffectorPtr ee) {
  static const float rh[5][3] = {            // radius, height, centre along the peg
    {0.3f, 0.2f, 0.1f}, {0.15f, 0.3f, 0.35f}, {0.1f, 0.8f, 0.9f}, {0.13f, 0.06f, 0.6f},
    {0.1f, 0.15f, 1.3f}};
  for (int i = 0; i < 5; i++) {
    JwPrimitive p = (i < 4) ? JwDefCylinder(24, rh[i][0], rh[i][1], 4, i == 3 ? dark : teal)
                            : JwDefCone(24, rh[i][0], rh[i][1], 4, dark);
    JwBgnEditPrimitive(p);
    JwEditRot(90, 'y');
    JwEditTranslate(0, 0, rh[i][2]);
    JwEndEditPrimitive();
    ee->P[i] = p;
  }
}

//------------------------------------------------------------------ public API
// frames of the sample robot: three modules (yaw, then pitch 2.2, 1.4 and 1.4 further up),
// then the arm with its yaw 1.5 above the top pitch
void REKERROWBInit(Robot r) {
  REKERROWBDestroy(r);
  Add(0, JwDefPrismFillet(4, 3, 3, 0.4f, 0.4f, mat, dark), 0, 0, 0.2f, 0);
  Add(0, JwDefPyr(2.2f, 2.2f, 1.3f, 1.3f, 0.85f, mat, white), 0, 0, 0.4f, 0);   // to 1.25
  Module(1, first_b);
  Module(3, 1.4f);
  Module(5, 1.4f);
  RekerrowArm(&rekerrowb, 7, arm_b - 3.5f);
}

// free the solids
void REKERROWBDestroy(Robot) { ModelFreeParts(&rekerrowb); }

// the "Hand": the arm's gripper with a gold palm
void REKERROWBInitEEHand(EndEffectorPtr ee) { RekerrowHand(ee, 0xff00d7ffu, 0xff13458bu); }

// the "Peg" (type 6): holder, stem, collar, peg and tip along x; tool frame at the tip
void REKERROWBInitEEPeg(EndEffectorPtr ee) {
  ModelInitEE(ee, 6, 5, 0.0f, 1.45f, 0, 0, StdDrawEE);
  PegSolids(ee);
}

// the "Spray" (type 7): the peg's solids and a spray cone from x = 1 to 5; tool frame at 5
void REKERROWBInitEESpray(EndEffectorPtr ee) {
  ModelInitEE(ee, 7, 6, 0.0f, 5.0f, 0, 0, StdDrawEE);
  PegSolids(ee);
  JwPrimitive c = JwDefCone(24, 0.5f, 4, 4, 0xff12a8ffu);
  JwBgnEditPrimitive(c);
  JwEditRot(-90, 'y');
  JwEditTranslate(0, 0, -5);
  JwEndEditPrimitive();
  ee->P[5] = c;
}
