// REKERROW.cpp -- the built-in REKERROW model: a seven-axis redundant arm, offset flange
#include "links/REKERROW.h"

//------------------------------------------------------------------ module state
ModelParts rekerrow;
LinkDrawProc REKERROWLinks[8] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                                 NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink};
EEData REKERROWEElist[3] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, REKERROWInitEEHand},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor white = 0xffe8e8e8u;
static const JwColor teal = 0xff909010u;
static const JwColor dark = 0xff383838u;

// forearm shell: octagons of radius 0.42 at z = 0.8 and 0.32 at z = 2.9 (filled once)
static float FaT[8][3], FaB[8][3];

//------------------------------------------------------------------ static helpers
static ModelParts* into = &rekerrow;
static void Add(int link, JwPrimitive p, float x, float y, float z, float rx, float ry,
                float rz) {
  ModelAdd(into, link, Put(p, x, y, z, rx, ry, rz));
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }
static JwPrimitive Lug(float r, float h, float w, JwColor c) {
  return JwDefPivot(24, r, h, w, mat, c);
}

static void Octagons() {
  static const float c[8][2] = {{1, 0}, {0.7071f, 0.7071f}, {0, 1}, {-0.7071f, 0.7071f},
                                {-1, 0}, {-0.7071f, -0.7071f}, {0, -1}, {0.7071f, -0.7071f}};
  for (int k = 0; k < 8; k++) {
    FaT[k][0] = 0.32f*c[k][0];  FaT[k][1] = 0.32f*c[k][1];  FaT[k][2] = 2.9f;
    FaB[k][0] = 0.42f*c[k][0];  FaB[k][1] = 0.42f*c[k][1];  FaB[k][2] = 0.8f;
  }
}

//------------------------------------------------------------------ public API
// the arm's solids of links 1 ... 7 into m as links first ... first + 6; frames: shoulder
// pitch 3.5 + lift up, upper arm 4.0, forearm 3.6, flange 0.5 beyond the wrist centre and
// 0.9 out along x
void RekerrowArm(ModelParts* m, int first, float lift) {
  into = m;
  Octagons();
  int f = first;
  Add(f, JwDefCylFillet(24, 0.8f, 0.7f, 0.2f, 0, mat, white), 0, 0, 2.75f + lift, 0, 0, 0);
  Add(f, Lug(0.7f, 0.9f, 0.25f, white), 0, 0.65f, 3.5f + lift, 90, 0, 0);   // shoulder lugs
  Add(f, Lug(0.7f, 0.9f, 0.25f, white), 0, -0.65f, 3.5f + lift, 90, 0, 0);
  Add(f, JwDefSector(24, 180, 0.5f, 0.3f, mat, dark), -0.8f, 0, 2.85f + lift, 0, 0, 90);
  Add(f + 1, Cyl(0.6f, 1.05f, teal), 0, 0, 0, 0, 0, 0);                       // shoulder hub
  Add(f + 1, JwDefStump(24, 0.6f, 0.5f, 0.9f, mat, white), 0, 0, 0, 90, 0, 0);  // along -y
  Add(f + 2, JwDefCylFillet(24, 0.5f, 2.3f, 0.1f, 0.1f, mat, white), 0, 0, 2.05f, 0, 0, 0);
  Add(f + 2, Lug(0.5f, 0.8f, 0.2f, white), 0, 0.5f, 4.0f, 90, 0, 0);          // elbow lugs
  Add(f + 2, Lug(0.5f, 0.8f, 0.2f, white), 0, -0.5f, 4.0f, 90, 0, 0);
  Add(f + 3, Cyl(0.45f, 0.8f, teal), 0, 0, 0, 0, 0, 0);                       // elbow hub
  Add(f + 3, JwDefStump(24, 0.48f, 0.42f, 0.8f, mat, white), 0, 0, 0, 90, 0, 0);
  Add(f + 4, JwDefLomp(FaT, FaB, 8, mat, white), 0, 0, 0, 0, 0, 0);            // forearm shell
  Add(f + 4, Lug(0.36f, 0.7f, 0.14f, white), 0, 0.38f, 3.6f, 90, 0, 0);       // wrist lugs
  Add(f + 4, Lug(0.36f, 0.7f, 0.14f, white), 0, -0.38f, 3.6f, 90, 0, 0);
  Add(f + 5, Cyl(0.3f, 0.62f, teal), 0, 0, 0, 0, 0, 0);                       // wrist hub
  Add(f + 5, Cyl(0.28f, 0.3f, teal), 0, -0.15f, 0, 90, 0, 0);                 // nose along -y
  Add(f + 6, JwDefCylFillet(24, 0.32f, 0.4f, 0.06f, 0.06f, mat, white), 0, 0, 0.5f, 0, 0, 0);
  Add(f + 6, JwDefPrismFillet(4, 0.9f, 0.6f, 0.4f, 0.1f, mat, white), 0.45f, 0, 0.5f, 0, 0, 0);
  Add(f + 6, JwDefArc(16, 180, 0.3f, 0.4f, mat, white), 0, 0, 0.5f, 0, 0, 180);
  Add(f + 6, Cyl(0.25f, 0.1f, dark), 0.85f, 0, 0.5f, 0, 90, 0);              // flange facing +x
  into = &rekerrow;
}

// build the solids (any previous ones are freed first); the robot is not consulted
void REKERROWInit(Robot r) {
  REKERROWDestroy(r);
  Add(0, JwDefPrismFillet(4, 3, 3, 0.4f, 0.4f, mat, dark), 0, 0, 0.2f, 0, 0, 0);  // plate
  Add(0, JwDefPyr(2.2f, 2.2f, 1.4f, 1.4f, 1.6f, mat, white), 0, 0, 0.4f, 0, 0, 0);
  Add(0, Cyl(0.8f, 0.4f, dark), 0, 0, 2.2f, 0, 0, 0);                            // to 2.4
  RekerrowArm(&rekerrow, 1, 0);
}

// free the solids
void REKERROWDestroy(Robot) { ModelFreeParts(&rekerrow); }

void RekerrowHand(EndEffectorPtr ee, JwColor palm, JwColor fingers) {
  ModelInitEE(ee, 1, 3, 0.0f, 0.561f, 0, 0, StdDrawEE);
  ModelGripper(ee, 0.66f, 0, palm, fingers);
  for (int i = 0; i < 3; i++) {
    JwBgnEditPrimitive(ee->P[i]);
    JwEditRot(90, 'y');
    JwEndEditPrimitive();
  }
}

// the "Hand": dark palm, grey fingers
void REKERROWInitEEHand(EndEffectorPtr ee) { RekerrowHand(ee, 0xff3b472eu, 0xff696969u); }
