// FanucS300.cpp -- the built-in FanucS300 model: a large six-axis arm with a glue gun
#include "links/FanucS300.h"

#include <math.h>  // for: cosf(), sinf()
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state
ModelParts fanuc;
LinkDrawProc FanucS300Links[7] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                                  NoDrawLink, NoDrawLink, NoDrawLink};
EEData FanucS300EElist[4] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, FanucS300InitEEHand},
  {"Glue", 3, FanucS300InitEEGlue},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor yellow = 0xff00c8f0u;
static const JwColor dark = 0xff303030u;
static const JwColor grey = 0xff909090u;

// shoulder side plate, in the plane of the arm (x forward, y up): from the turret top at
// y = 5.6 up around the shoulder pin at (3, 9), radius 1.4 (flags: 1 corner, 2 curve start)
static float Side[8][2] = {
  {-1.6f, 5.6f}, {2.4f, 5.6f}, {4.072f, 8.1f}, {4.4f, 9.0f}, {4.072f, 9.9f},
  {3.243f, 10.379f}, {2.3f, 10.212f}, {-1.6f, 7.4f}};
static int SideF[8] = {1, 1, 2, 0, 0, 0, 1, 1};
// upper arm plate: round end of radius 1.3 at the shoulder, 1.0 at the elbow (x = 11);
// filled by ArmOutline
static float Arm[16][2];
static int ArmF[16];

//------------------------------------------------------------------ static helpers
static void Add(int link, JwPrimitive p, float x, float y, float z, float rx, float ry) {
  ModelAdd(&fanuc, link, Put(p, x, y, z, rx, ry, 0));
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }

// eight points round the elbow end from -90 to 90 degrees, eight round the shoulder end
// from 90 to 270; each half opens a curved run and ends in a corner
static void ArmOutline() {
  for (int k = 0; k < 8; k++) {
    float t = (float)(-90 + 180*k/7.0)*VM_PI_F/180;
    Arm[k][0] = 11.0f + 1.0f*cosf(t);  Arm[k][1] = 1.0f*sinf(t);
    Arm[8 + k][0] = -1.3f*cosf(t);     Arm[8 + k][1] = -1.3f*sinf(t);
    ArmF[k] = ArmF[8 + k] = (k == 0) ? 2 : (k == 7 ? 1 : 0);
  }
}

//------------------------------------------------------------------ public API
// frames of the sample robot: shoulder 3 forward and 9 up, upper arm 11, elbow offset 2.5,
// forearm 11 to the wrist centre, flange 1.8 beyond it
void FanucS300Init(Robot r) {
  FanucS300Destroy(r);
  ArmOutline();
  Add(0, JwDefPrismFillet(6, 7, 7, 0.8f, 0.8f, mat, grey), 0, 0, 0.4f, 0, 0);  // floor plate
  Add(0, JwDefPyr(5, 5, 3.4f, 3.4f, 3.0f, mat, yellow), 0, 0, 0.8f, 0, 0);     // frustum to 3.8
  Add(0, Cyl(1.9f, 0.4f, dark), 0, 0, 4.0f, 0, 0);                            // bearing 3.8 .. 4.2
  Add(1, JwDefFlatCylinder(12, 2.0f, 1.6f, mat, yellow), 0, 0, 5.0f, 0, 0);   // turret 4.2 .. 5.8
  Add(1, JwDefFlat(8, Side, SideF, 0.4f, mat, yellow), 0, 1.5f, 0, 90, 0);    // side plates
  Add(1, JwDefFlat(8, Side, SideF, 0.4f, mat, yellow), 0, -1.5f, 0, 90, 0);
  Add(1, JwDefGusset(1.6f, 1.6f, 0.3f, mat, yellow), -1.6f, 0, 5.8f, 0, 0);    // rear web
  Add(1, Cyl(0.8f, 1.4f, dark), 3.0f, -2.4f, 9.0f, 90, 0);                     // shoulder motor
  Add(1, Cyl(1.0f, 2.2f, grey), -2.4f, 0, 6.8f, 0, 90);                        // balancer
  Add(2, Cyl(1.2f, 2.6f, yellow), 0, 0, 0, 0, 0);                              // shoulder hub
  Add(2, JwDefFlat(16, Arm, ArmF, 1.6f, mat, yellow), 0, 0, 0, 0, 0);          // upper arm
  Add(2, Cyl(1.0f, 2.2f, yellow), 11.0f, 0, 0, 0, 0);                          // elbow hub
  Add(3, JwDefPrismFillet(6, 4.4f, 3.2f, 2.2f, 0.6f, mat, yellow), 1.4f, 0.4f, 0, 0, 0);
  Add(3, JwDefMotor(0.7f, 1.6f, 0.5f, mat, dark), -0.6f, 0.4f, 1.1f, 180, 0);  // elbow motor
  Add(4, JwDefFlatCylinder(8, 1.0f, 7.6f, mat, yellow), 0, 0, 5.8f, 0, 0);     // forearm 2 .. 9.6
  Add(4, JwDefPyr(2.2f, 2.2f, 1.6f, 1.6f, 0.6f, mat, yellow), 0, 0, 1.8f, 0, 0);
  Add(4, JwDefPivot(24, 0.8f, 1.6f, 0.4f, mat, yellow), 0, 0.75f, 11.0f, 90, 0);  // wrist lugs
  Add(4, JwDefPivot(24, 0.8f, 1.6f, 0.4f, mat, yellow), 0, -0.75f, 11.0f, 90, 0);
  Add(5, Cyl(0.7f, 1.1f, grey), 0, 0, 0, 0, 0);                                // wrist hub
  Add(5, Cyl(0.55f, 1.0f, grey), 0, 0.5f, 0, -90, 0);                          // nose
  Add(6, Cyl(0.6f, 0.6f, dark), 0, 0, 1.3f, 0, 0);                             // flange 1 .. 1.6
  Add(6, Cyl(0.7f, 0.2f, dark), 0, 0, 1.7f, 0, 0);                             // plate to 1.8
}

// free the solids
void FanucS300Destroy(Robot) { ModelFreeParts(&fanuc); }

// the "Hand": gripper of size 1.2, tool frame 1.02 along z
void FanucS300InitEEHand(EndEffectorPtr ee) {
  ModelInitEE(ee, 1, 3, 0.0f, 0, 0, 1.02f, StdDrawEE);
  ModelGripper(ee, 1.2f, 0, 0xff3b472eu, 0xff696969u);
}

// the "Glue": gun body, nozzle block, cartridge arc and feed hose; tool frame at the nozzle
void FanucS300InitEEGlue(EndEffectorPtr ee) {
  static float hose[8][4] = {
    {-0.5f, 0, 1.2f, 0}, {-1.0f, 0, 1.5f, 0}, {-1.6f, 0, 1.3f, 0}, {-2.0f, 0, 0.6f, 0},
    {-2.2f, 0, -0.3f, 0}, {-2.1f, 0, -1.2f, 0}, {-1.8f, 0, -2.0f, 0}, {-1.4f, 0, -2.6f, 0}};
  ModelInitEE(ee, 3, 4, 0.0f, 0, 0, 2.4f, StdDrawEE);
  ee->P[0] = Put(JwDefPrism(1.2f, 0.8f, 1.6f, 4, 0xff3b472eu), 0, 0, 0.8f, 0, 0, 0);
  ee->P[1] = Put(JwDefPrism(0.4f, 0.4f, 0.8f, 4, grey), 0, 0, 2.0f, 0, 0, 0);
  ee->P[2] = Put(JwDefArc(16, 180, 0.6f, 0.5f, 4, 0xff2020c0u), 0.6f, 0, 0.8f, 0, 0, 0);
  ee->P[3] = JwDefWire(12, hose, 8, 0.2f, 0, 4, dark);
}
