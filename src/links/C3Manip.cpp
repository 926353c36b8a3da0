// C3Manip.cpp -- the built-in "Rozivi+Rudov" model: a small seven-axis arm whose wrist
// is driven by a parallel pair of legs
#include "links/C3Manip.h"
#include "kin/ikp.h"

#include <math.h>  // for: cos(), sin()
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state
ModelParts c3manip;
C3ManipLeg c3manip_leg;
LinkDrawProc C3ManipLinks[8] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                                NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink};
EEData C3ManipEElist[5] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, C3ManipInitEEHand},
  {"Cone", 4, C3ManipInitEECone},
  {"Cone And Sphere", 5, C3ManipInitEEConeSphere},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor silver = 0xffd0c8c0u;
static const JwColor green = 0xff40a040u;
static const JwColor dark = 0xff383838u;

// leg ends: on the forearm (frame of link 4) and on the wrist platform (frame of link 6)
static const float LegA[2][3] = {{0.25f, 0.25f, 1.0f}, {0.25f, -0.25f, 1.0f}};
static const float LegB[2][3] = {{0.3f, 0.25f, -0.25f}, {0.3f, -0.25f, -0.25f}};

//------------------------------------------------------------------ static helpers
static JwPrimitive Add(int link, JwPrimitive p, float x, float y, float z, float rx,
                       float ry) {
  return ModelAdd(&c3manip, link, Put(p, x, y, z, rx, ry, 0));
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }

// p = Q p + t with a row-pointer 3 x 3 Q
static void Apply(double** Q, const double* t, double* p) {
  double q[3];
  for (int i = 0; i < 3; i++) q[i] = Q[i][0]*p[0] + Q[i][1]*p[1] + Q[i][2]*p[2] + t[i];
  for (int i = 0; i < 3; i++) p[i] = q[i];
}

// p = Rz(deg) p
static void TurnZ(double deg, double* p) {
  double t = deg*VM_PI_DOUBLE/180, c = cos(t), s = sin(t);
  double x = c*p[0] - s*p[1], y = s*p[0] + c*p[1];
  p[0] = x;  p[1] = y;
}

//------------------------------------------------------------------ public API
// the two wrist legs in the frame that draws link 4: A fixed there; B from the frame of
// link 6 through Rz(q6), the frames of links 5 and 4 (Q_i, a_i), then Rz(-q4)
int C3ManipLegEnds(Robot r, JointConfig jc, float A[2][3], float B[2][3]) {
  if (!r || !jc || r->n != 7) return -1;
  EvalQr_i(r, jc);
  for (int k = 0; k < 2; k++) {
    double p[3] = {LegB[k][0], LegB[k][1], LegB[k][2]};
    TurnZ(jc->q[5], p);
    Apply(r->L[4].Q_i, r->L[4].a_i, p);
    Apply(r->L[3].Q_i, r->L[3].a_i, p);
    TurnZ(-jc->q[3], p);
    for (int i = 0; i < 3; i++) { A[k][i] = LegA[k][i];  B[k][i] = (float)p[i]; }
  }
  return 0;
}

// frames of the sample robot: the first offset is 8.7 but the shoulder is drawn 1.2 up (the
// view takes 7.5 off for this model), upper arm 2.4, forearm 2.0 up the -y axis of the elbow,
// a universal-joint wrist (joints 5 and 6), tool 0.8 out along x of the last frame
void C3ManipInit(Robot r) {
  C3ManipDestroy(r);
  Add(0, JwDefPrism(1.6f, 1.6f, 0.2f, mat, dark), 0, 0, 0.1f, 0, 0);           // floor plate
  Add(0, Cyl(0.6f, 0.4f, dark), 0, 0, 0.4f, 0, 0);                             // to 0.6
  Add(1, Cyl(0.55f, 0.35f, silver), 0, 0, 0.775f, 0, 0);                       // waist to 0.95
  Add(1, JwDefPivot(24, 0.35f, 0.5f, 0.12f, mat, silver), 0, 0.36f, 1.2f, 90, 0);
  Add(1, JwDefPivot(24, 0.35f, 0.5f, 0.12f, mat, silver), 0, -0.36f, 1.2f, 90, 0);
  Add(1, Cyl(0.2f, 0.3f, dark), 0, -0.57f, 1.2f, 90, 0);                       // shoulder motor
  Add(2, Cyl(0.28f, 0.6f, green), 0, 0, 0, 0, 0);                              // shoulder hub
  Add(2, JwDefPrism(2.4f, 0.3f, 0.4f, mat, silver), 1.2f, 0, 0, 0, 0);         // upper arm
  Add(2, Cyl(0.25f, 0.5f, green), 2.4f, 0, 0, 0, 0);                           // elbow hub
  Add(3, JwDefRing(24, 0.34f, 0.25f, 0.6f, mat, silver), 0, 0, 0, 0, 0);       // elbow ring
  Add(3, JwDefPrism(0.4f, 0.3f, 0.4f, mat, silver), 0, -0.45f, 0, 0, 0);       // neck to 0.6
  Add(4, Cyl(0.22f, 1.05f, silver), 0, 0, 1.125f, 0, 0);                       // forearm to 1.65
  Add(4, JwDefPrism(0.15f, 0.7f, 0.15f, mat, dark), 0.22f, 0, 1.0f, 0, 0);     // leg bracket
  Add(4, JwDefUJointR(16, 0.2f, 0.08f, 0.25f, 0.1f, 0.5f, mat, green), 0, 0, 2.0f, 90, 0);
  Add(5, JwDefSphere(12, 16, 0.16f, mat, dark), 0, 0, 0, 0, 0);                // cross
  Add(6, Cyl(0.13f, 0.3f, silver), 0.15f, 0, 0, 0, 90);                        // stem along x
  Add(6, JwDefRing(24, 0.45f, 0.3f, 0.06f, mat, green), 0.3f, 0, 0, 0, 90);    // platform
  Add(6, JwDefPrism(0.06f, 0.62f, 0.62f, mat, green), 0.3f, 0, 0, 0, 0);       // its web
  Add(7, Cyl(0.2f, 0.06f, dark), 0.35f, 0, 0, 0, 90);                          // tool flange
  C3ManipLeg* l = &c3manip_leg;
  l->fork = Add(-1, JwDefUJointRPinOut(16, 0.07f, 0.03f, 0.08f, 0.04f, 0.16f, 0.05f, mat,
                                       dark), 0, 0, 0, 90, 0);
  l->barrel = Add(-1, JwDefCylinder(16, 0.06f, 0.75f, mat, silver), 0, 0, 0.375f, 0, 0);
  l->rod = Add(-1, JwDefCylinder(16, 0.035f, 0.75f, mat, 0xffe0e0e0u), 0, 0, -0.375f, 0, 0);
  l->ball = Add(-1, JwDefSphere(8, 12, 0.07f, mat, dark), 0, 0, 0, 0, 0);
}

// free the solids (the legs' with them)
void C3ManipDestroy(Robot) {
  ModelFreeParts(&c3manip);
  c3manip_leg.fork = c3manip_leg.barrel = c3manip_leg.rod = c3manip_leg.ball = nullptr;
}

// the "Hand": wide-base gripper of size 0.46 along x, ending at the tool frame 0.029 short
void C3ManipInitEEHand(EndEffectorPtr ee) {
  ModelInitEE(ee, 1, 3, 0.0f, -0.029f, 0, 0, StdDrawEE);
  ModelGripper(ee, 0.46f, 1, 0xff3b472eu, 0xff696969u);
  for (int i = 0; i < 3; i++) {
    JwBgnEditPrimitive(ee->P[i]);
    JwEditTranslate(-0.42f, 0, 0);
    JwEditRot(90, 'y');
    JwEditRot(90, 'z');
    JwEndEditPrimitive();
  }
}

// a truncated cone from x = -0.42 (radius 0.075) to its tip at the origin (radius 0.01)
static JwPrimitive Pointer(void) {
  JwPrimitive p = JwDefStump(24, 0.075f, 0.01f, 0.42f, 4, 0xff3b472eu);
  JwBgnEditPrimitive(p);
  JwEditRotate(900, 'y');
  JwEditTranslate(0, 0, -0.42f);
  JwEndEditPrimitive();
  return p;
}

// the "Cone" (type 4): a pointer cone whose tip is the last link frame
void C3ManipInitEECone(EndEffectorPtr ee) {
  ModelInitEE(ee, 4, 1, 0.0f, 0, 0, 0, StdDrawEE);
  ee->P[0] = Pointer();
}

// the "Cone And Sphere" (type 5): the same cone, tool frame 0.029 behind its tip
void C3ManipInitEEConeSphere(EndEffectorPtr ee) {
  ModelInitEE(ee, 5, 1, 0.0f, -0.029f, 0, 0, StdDrawEE);
  ee->P[0] = Pointer();
}
