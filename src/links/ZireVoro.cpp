// ZireVoro.cpp -- the built-in ZireVoro model: a Puma-like arm on a luffing, telescoping
// boom carried by a rail carriage (12 links)
#include "links/ZireVoro.h"
#include "kin/ikp.h"

#include <math.h>  // for: cos(), sin(), atan2()
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state
ModelParts zirevoro;
ZireVoroCyl zirevoro_cyl;
Puma560Solids zirevoro_arm;
LinkDrawProc ZireVoroLinks[13] = {
  NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
  NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink};
EEData ZireVoroEElist[3] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, ZireVoroInitEEHand},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor orange = 0xff0070e0u;
static const JwColor dark = 0xff303030u;
static const JwColor steel = 0xffa0a0a0u;
static const float arm_drop = 3.6f;          // the arm's column is 3.6 shorter than Puma560's
static const float k = 1.8f;                 // the carrier's solids and lengths are drawn k times
                                             // the sizes written below

// boom cylinder ends: on the turret (frame of link 1) and under the boom (frame of link 2,
// whose -y axis runs along the boom and whose +x side is its underside)
static const double CylLo[3] = {0.9*1.8, 0, 0.9*1.8};
static const double CylHi[3] = {0.45*1.8, -2.4*1.8, 0};

//------------------------------------------------------------------ static helpers
// a carrier solid, placed at the written size, then scaled by k about its link frame
static JwPrimitive Add(int link, JwPrimitive p, float x, float y, float z, float rx) {
  Put(p, x, y, z, rx, 0, 0);
  JwBgnEditPrimitive(p);
  JwEditScale(k, k, k);
  JwEndEditPrimitive();
  return ModelAdd(&zirevoro, link, p);
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }
static JwPrimitive Box(float x, float y, float z, JwColor c) {
  return JwDefPrism(x, y, z, mat, c);
}

// p = Q p + t, or p = Q'(p - t) when back is set
static void Apply(double** Q, const double* t, double* p, int back) {
  double q[3];
  for (int i = 0; i < 3; i++) {
    if (back) q[i] = Q[0][i]*(p[0] - t[0]) + Q[1][i]*(p[1] - t[1]) + Q[2][i]*(p[2] - t[2]);
    else q[i] = Q[i][0]*p[0] + Q[i][1]*p[1] + Q[i][2]*p[2] + t[i];
  }
  for (int i = 0; i < 3; i++) p[i] = q[i];
}

// p = Rz(deg) p
static void TurnZ(double deg, double* p) {
  double t = deg*VM_PI_DOUBLE/180, c = cos(t), s = sin(t);
  double x = c*p[0] - s*p[1], y = s*p[0] + c*p[1];
  p[0] = x;  p[1] = y;
}

//------------------------------------------------------------------ public API
// the boom cylinder's ends in the frame that draws link 1 or 2; the frame of link 1 after its
// joint rotation is D1 = F0 Rz(q1), F1 = F0 [Q_1, a_1], D2 = F1 Rz(q2)
float ZireVoroCylinder(Robot r, JointConfig jc, int link, float lo[3], float hi[3]) {
  if (!r || !jc || r->n != 12 || (link != 1 && link != 2)) return -1000;
  EvalQr_i(r, jc);
  double* L1a = r->L[0].a_i;
  double** Q1 = r->L[0].Q_i;
  double up[3] = {CylHi[0], CylHi[1], CylHi[2]};   // upper end into D1
  TurnZ(jc->q[1], up);
  Apply(Q1, L1a, up, 0);
  TurnZ(-jc->q[0], up);
  double phi = atan2(up[2] - CylLo[2], up[0] - CylLo[0])*180/VM_PI_DOUBLE;
  double a[3] = {CylLo[0], CylLo[1], CylLo[2]}, b[3] = {up[0], up[1], up[2]};
  if (link == 2) {                                 // both ends into D2
    double* e[2] = {a, b};
    for (int k = 0; k < 2; k++) {
      TurnZ(jc->q[0], e[k]);
      Apply(Q1, L1a, e[k], 1);
      TurnZ(-jc->q[1], e[k]);
    }
  }
  for (int i = 0; i < 3; i++) { lo[i] = (float)a[i];  hi[i] = (float)b[i]; }
  return (float)phi;
}

// frames of the sample robot, carrier lengths written before the scale k: slewing turret with
// the luff pin 2.5 up, boom along the -y axis of link 2 telescoping 4 .. 7, roll head 0.6,
// bracket 1.2 to the levelling pin, then the Puma-like arm standing on it, shoulder 3.0 up
void ZireVoroInit(Robot r) {
  ZireVoroDestroy(r);
  Add(0, Box(12, 0.2f, 0.1f, steel), 0, 1.6f, 0.05f, 0);                    // rails
  Add(0, Box(12, 0.2f, 0.1f, steel), 0, -1.6f, 0.05f, 0);
  Add(0, Box(5, 3, 0.6f, orange), 0, 0, 0.8f, 0);                           // chassis .5 .. 1.1
  for (int k = 0; k < 4; k++)                                               // wheels on the rails
    Add(0, JwDefWheel(0.4f, 0.25f, 8, mat, dark, steel), k < 2 ? 1.8f : -1.8f,
        (k % 2) ? 1.6f : -1.6f, 0.5f, 90);
  Add(0, Cyl(1.2f, 0.3f, dark), 0, 0, 1.25f, 0);                            // slewing ring
  Add(1, Box(2.6f, 2.2f, 0.9f, orange), -0.2f, 0, 1.85f, 0);                // turret 1.4 .. 2.3
  Add(1, Box(1.0f, 2.0f, 1.0f, dark), -1.8f, 0, 1.9f, 0);                   // counterweight
  Add(1, JwDefPivot(24, 0.5f, 0.6f, 0.25f, mat, orange), 0, 0.7f, 2.5f, 90);  // luff lugs
  Add(1, JwDefPivot(24, 0.5f, 0.6f, 0.25f, mat, orange), 0, -0.7f, 2.5f, 90);
  Add(2, Cyl(0.45f, 1.15f, orange), 0, 0, 0, 0);                            // boom hub
  Add(2, Box(0.9f, 4.0f, 0.9f, orange), 0, -2.0f, 0, 0);                    // outer boom 0 .. 4
  Add(3, Box(0.65f, 0.65f, 3.6f, steel), 0, 0, -1.8f, 0);                   // inner boom
  Add(3, Cyl(0.42f, 0.3f, orange), 0, 0, 0.15f, 0);                         // boom nose
  Add(4, Cyl(0.4f, 0.3f, dark), 0, 0, 0.45f, 0);                            // roll head
  Add(4, JwDefPivot(24, 0.4f, 0.3f, 0.15f, mat, dark), 0, 0.45f, 0.6f, 90);  // pitch lugs
  Add(4, JwDefPivot(24, 0.4f, 0.3f, 0.15f, mat, dark), 0, -0.45f, 0.6f, 90);
  Add(5, Cyl(0.35f, 0.75f, orange), 0, 0, 0, 0);                            // pitch hub
  Add(5, Box(1.2f, 0.5f, 0.4f, orange), 0.6f, 0, 0, 0);                     // bracket
  Add(5, Cyl(0.35f, 0.75f, orange), 1.2f, 0, 0, 0);                         // levelling hub
  ZireVoroCyl* c = &zirevoro_cyl;
  c->mount = Add(-1, JwDefUJointRPinOut(16, 0.2f, 0.08f, 0.22f, 0.1f, 0.44f, 0.12f, mat,
                                        dark), 0, 0, 0, 90);
  c->barrel = Add(-1, Cyl(0.17f, 1.55f, orange), 0, 0, 0.775f, 0);
  c->rod = Add(-1, Cyl(0.09f, 1.55f, steel), 0, 0, -0.775f, 0);
  c->eye = Add(-1, JwDefSphere(8, 12, 0.15f, mat, dark), 0, 0, 0, 0);
  // the arm: its base stands on the levelling frame, drawn before that frame's twist of -90
  Puma560Build(&zirevoro_arm, arm_drop);
  JwPrimitive base[4] = {zirevoro_arm.Bplate, zirevoro_arm.Bstump, zirevoro_arm.Bbox,
                         zirevoro_arm.Bmotor};
  for (int k = 0; k < 4; k++) {
    JwBgnEditPrimitive(base[k]);
    JwEditRot(-90, 'x');
    JwEndEditPrimitive();
  }
}

// free the solids, the cylinder's and the arm's with them
void ZireVoroDestroy(Robot) {
  ModelFreeParts(&zirevoro);
  zirevoro_cyl.mount = zirevoro_cyl.barrel = zirevoro_cyl.rod = zirevoro_cyl.eye = nullptr;
  Puma560Free(&zirevoro_arm);
}

void ZireVoroCouple(Robot r, float* q) {
  if (r && q && r->n > 5) q[5] = 180 - q[1];
}

// the "Hand": as Puma560's, opening 0.256, tool frame 0.561 along z, drawn by ZDrawEE
void ZireVoroInitEEHand(EndEffectorPtr ee) {
  ModelInitEE(ee, 1, 3, 0.256f, 0, 0, 0.561f, ZDrawEE);
  ModelGripper(ee, 0.66f, 0, 0xff3b472eu, 0xff696969u);
}
