// Yaskawa.cpp -- the built-in Yaskawa model: a six-axis welding arm of cylinders, lugs, boxes
#include "links/Yaskawa.h"

//------------------------------------------------------------------ module state
ModelParts yaskawa;
LinkDrawProc YaskawaLinks[7] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                                NoDrawLink, NoDrawLink, NoDrawLink};
EEData YaskawaEElist[4] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, YaskawaInitEEHand},
  {"Welder", 2, YaskawaInitEEWelder},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor blue = 0xffc07030u;
static const JwColor grey = 0xffc8c8c8u;
static const JwColor dark = 0xff3b472eu;

//------------------------------------------------------------------ static helpers
static void Add(int link, JwPrimitive p, float x, float y, float z, float rx, float ry) {
  ModelAdd(&yaskawa, link, Put(p, x, y, z, rx, ry, 0));
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }
static JwPrimitive Box(float x, float y, float z, JwColor c) {
  return JwDefPrism(x, y, z, mat, c);
}
// lug of radius r whose block reaches h below its pin, w thick
static JwPrimitive Lug(float r, float h, float w, JwColor c) {
  return JwDefPivot(24, r, h, w, mat, c);
}

//------------------------------------------------------------------ public API
// frames of the sample robot: shoulder 1.5 forward and 4.5 up, upper arm 5.6, elbow offset
// 1.2, forearm 5.2 to the wrist centre, flange 0.8 beyond it
void YaskawaInit(Robot r) {
  YaskawaDestroy(r);
  Add(0, Box(3.2f, 3.2f, 0.4f, grey), 0, 0, 0.2f, 0, 0);        // floor plate
  Add(0, Cyl(1.3f, 1.6f, grey), 0, 0, 1.2f, 0, 0);              // pedestal to z = 2
  Add(1, Cyl(1.4f, 0.6f, blue), 0, 0, 2.3f, 0, 0);              // turntable 2 .. 2.6
  Add(1, Box(3.0f, 2.2f, 1.6f, blue), 0.6f, 0, 3.4f, 0, 0);     // turret 2.6 .. 4.2
  Add(1, Lug(0.9f, 1.3f, 0.4f, blue), 1.5f, 0.9f, 4.5f, 90, 0); // shoulder lugs, pin along y
  Add(1, Lug(0.9f, 1.3f, 0.4f, blue), 1.5f, -0.9f, 4.5f, 90, 0);
  Add(1, Cyl(0.5f, 1.0f, dark), 1.5f, -1.6f, 4.5f, 90, 0);      // shoulder motor
  Add(1, Cyl(0.55f, 1.2f, dark), -0.6f, 0, 4.2f, 0, 0);         // turntable motor
  Add(2, Cyl(0.8f, 1.4f, blue), 0, 0, 0, 0, 0);                 // shoulder hub
  Add(2, Box(5.6f, 1.2f, 1.1f, blue), 2.8f, 0, 0, 0, 0);        // upper arm
  Add(2, Cyl(0.7f, 1.3f, blue), 5.6f, 0, 0, 0, 0);              // elbow hub
  Add(3, Box(2.2f, 1.6f, 1.8f, blue), 0.6f, 0.3f, 0, 0, 0);     // elbow housing
  Add(3, Cyl(0.45f, 1.4f, dark), -1.1f, 0.3f, 0, 0, 90);        // elbow motor, backwards
  Add(4, Cyl(0.6f, 3.6f, blue), 0, 0, 2.8f, 0, 0);              // forearm 1.0 .. 4.6
  Add(4, Lug(0.45f, 0.8f, 0.25f, blue), 0, 0.5f, 5.2f, 90, 0);  // wrist lugs, pin along y
  Add(4, Lug(0.45f, 0.8f, 0.25f, blue), 0, -0.5f, 5.2f, 90, 0);
  Add(5, Cyl(0.4f, 0.75f, grey), 0, 0, 0, 0, 0);                // wrist hub
  Add(5, Cyl(0.3f, 0.5f, grey), 0, 0.25f, 0, -90, 0);           // nose toward the flange
  Add(6, Cyl(0.35f, 0.2f, dark), 0, 0, 0.6f, 0, 0);             // flange 0.5 .. 0.7
  Add(6, Cyl(0.28f, 0.1f, dark), 0, 0, 0.75f, 0, 0);            // tool plate to 0.8
}

// free the solids
void YaskawaDestroy(Robot) { ModelFreeParts(&yaskawa); }

// the "Hand": gripper of size 0.66, tool frame 0.561 along z
void YaskawaInitEEHand(EndEffectorPtr ee) {
  ModelInitEE(ee, 1, 3, 0.0f, 0, 0, 0.561f, StdDrawEE);
  ModelGripper(ee, 0.66f, 0, dark, 0xff696969u);
}

// the "Welder": a torch cone of radius 0.2 and height 1, tool frame at its tip
void YaskawaInitEEWelder(EndEffectorPtr ee) {
  ModelInitEE(ee, 2, 1, 0.0f, 0, 0, 1.0f, StdDrawEE);
  ee->P[0] = JwDefCone(24, 0.2f, 1.0f, 4, dark);
}
