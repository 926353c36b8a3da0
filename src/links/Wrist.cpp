// Wrist.cpp -- the built-in Wrist model: pedestal, yoke, pitch body and flange, all cylinders
#include "links/Wrist.h"

//------------------------------------------------------------------ module state
ModelParts wrist;
LinkDrawProc WristLinks[4] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink};
EEData WristEElist[2] = {
  {"None", 0, NothingInitEE},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor grey = 0xffb0b0b0u;
static const JwColor orange = 0xff1a78e8u;
static const JwColor dark = 0xff303030u;

//------------------------------------------------------------------ static helpers
static void Add(int link, JwPrimitive p, float x, float y, float z, float rx) {
  ModelAdd(&wrist, link, Put(p, x, y, z, rx, 0, 0));
}

static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }

//------------------------------------------------------------------ public API
// frames of the sample robot: roll axis up to the pitch centre at z = 3 (pitch axis along y),
// pitch body along the next axis, flange 1.2 beyond the wrist centre
void WristInit(Robot r) {
  WristDestroy(r);
  Add(0, Cyl(1.0f, 0.3f, grey), 0, 0, 0.15f, 0);          // floor plate
  Add(0, Cyl(0.55f, 1.5f, grey), 0, 0, 1.05f, 0);         // pedestal up to z = 1.8
  Add(1, Cyl(0.5f, 0.8f, orange), 0, 0, 2.2f, 0);         // roll column 1.8 .. 2.6
  Add(1, Cyl(0.3f, 1.5f, orange), 0, 0, 2.6f, 90);        // yoke bar across y
  Add(1, Cyl(0.45f, 0.3f, orange), 0, 0.6f, 3.0f, 90);    // yoke cheeks about the pitch axis
  Add(1, Cyl(0.45f, 0.3f, orange), 0, -0.6f, 3.0f, 90);
  Add(1, Cyl(0.3f, 0.45f, orange), 0, 0.6f, 2.78f, 0);    // cheek stems down to the bar
  Add(1, Cyl(0.3f, 0.45f, orange), 0, -0.6f, 2.78f, 0);
  Add(2, Cyl(0.4f, 0.9f, grey), 0, 0, 0, 0);              // pitch hub between the cheeks
  Add(2, Cyl(0.35f, 0.9f, grey), 0, -0.45f, 0, 90);       // body along the roll axis (-y)
  Add(3, Cyl(0.3f, 0.2f, dark), 0, 0, 1.0f, 0);           // roll housing 0.9 .. 1.1
  Add(3, Cyl(0.4f, 0.1f, dark), 0, 0, 1.15f, 0);          // flange face at 1.2
}

// free the solids
void WristDestroy(Robot) { ModelFreeParts(&wrist); }
