// Puma560.cpp -- the built-in Puma560 model: its solids, outlines and the "Hand"
#include "links/Puma560.h"
#include "graphics/misc.h"
#include "graphics/primitives.h"

//------------------------------------------------------------------ module state
Puma560Solids puma560;
LinkDrawProc Puma560Links[7] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                                NoDrawLink, NoDrawLink, NoDrawLink};
EEData Puma560EElist[3] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, Puma560InitEEHand},
  {nullptr, 0, nullptr},
};

// link 2 plate: a rounded end at each side (flags: 0 smooth, 1 corner, 2 curve start)
static float L2[12][2] = {
  {4.37f, -0.75f}, {4.89f, -0.533f}, {5.1f, 0.0f}, {4.89f, 0.533f}, {4.37f, 0.75f},
  {0.26f, 1.485f}, {-1.69f, 1.485f}, {-2.1f, 0.79f}, {-2.24f, 0.0f}, {-2.1f, -0.79f},
  {-1.69f, -1.485f}, {0.26f, -1.485f}};
static int A2[12] = {2, 0, 0, 0, 1, 1, 2, 0, 0, 0, 1, 1};
// link 3 forearm
static float L3[7][2] = {
  {0.628f, 3.52f}, {-0.222f, 3.52f}, {-0.91f, -0.73f}, {-0.55f, -1.04f}, {-0.08f, -1.17f},
  {0.41f, -1.1f}, {0.81f, -0.85f}};
static int A3[7] = {1, 1, 2, 0, 0, 0, 1};

static const int mat = 3;                    // every solid of the model is metal
static const JwColor base_color = 0xff908070u;
static const JwColor arm_color = 0xff8b3d48u;
static const JwColor dark_color = 0xff3b472eu;

//------------------------------------------------------------------ static helpers
// rotation about x in tenths of a degree (0 for none), then a translation; last acts first
static JwPrimitive Place(JwPrimitive p, float rotx, float x, float y, float z) {
  JwBgnEditPrimitive(p);
  if (rotx != 0.0f) JwEditRotate(rotx, 'x');
  JwEditTranslate(x, y, z);
  JwEndEditPrimitive();
  return p;
}

static JwPrimitive Cyl(int n, float r, float h, JwColor c) {
  return JwDefCylinder(n, r, h, mat, c);
}

//------------------------------------------------------------------ public API
// the fourteen solids into s, the column shortened by drop (the first link's body and the
// shoulder come down with it); s must hold no solids
void Puma560Build(Puma560Solids* s, float drop) {
  s->Bplate = Place(Cyl(24, 1.825f, 0.6f, base_color), 0, 0, 0, 0.3f);
  s->Bstump = Place(Cyl(24, 0.9f, 5.1f - drop, base_color), 0, 0, 0, 3.15f - drop/2);
  s->Bbox = Place(JwDefPrism(1.05f, 1.6f, 0.9f, mat, base_color), 0, 0, 1.425f, 0.45f);
  s->Bmotor = Place(Cyl(24, 0.44f, 1.45f, dark_color), 0, 0, 1.575f, 1.625f);
  s->L1trunk = Place(Cyl(24, 0.9f, 0.9f, arm_color), 0, 0, 0, 6.15f - drop);
  s->L1hinge = Place(Cyl(24, 0.9f, 2.98f, arm_color), 900, 0, 6.6f - drop, -0.45f);
  s->L2link = Place(JwDefFlat(12, L2, A2, 1.02f, mat, arm_color), 0, 0, 0, 2.45f);
  s->L3link = JwDefFlat(7, L3, A3, 0.9f, mat, arm_color);
  s->L4cyl = Place(Cyl(24, 0.4f, 0.9f, dark_color), 900, 0, 4.32f, 0);
  s->L4b1 = Place(JwDefPrism(0.9f, 0.9f, 0.4f, mat, dark_color), 0, 0, 0, 3.72f);
  s->L4b2 = Place(JwDefPrism(0.65f, 0.65f, 0.2f, mat, dark_color), 0, 0, 0, 4.02f);
  s->L6a = Place(Cyl(16, 0.19f, 0.12f, dark_color), 0, 0, 0, 0.42f);
  s->L6b = Place(Cyl(16, 0.24f, 0.05f, dark_color), 0, 0, 0, 0.505f);
  s->L6c = Place(Cyl(16, 0.34f, 0.03f, dark_color), 0, 0, 0, 0.545f);
}

// the fourteen solids of s freed and cleared
void Puma560Free(Puma560Solids* s) {
  JwPrimitive* all[14] = {&s->Bplate, &s->Bstump, &s->Bbox, &s->Bmotor, &s->L1trunk,
                          &s->L1hinge, &s->L2link, &s->L3link, &s->L4cyl, &s->L4b1,
                          &s->L4b2, &s->L6a, &s->L6b, &s->L6c};
  for (int k = 0; k < 14; k++) {
    JwFreePrimitive(*all[k]);
    *all[k] = nullptr;
  }
}

// the solids of s that part k draws (0 base, 1 ... 6 the links; link 5 has none)
int Puma560PartSolids(const Puma560Solids* s, int k, JwPrimitive* out) {
  int c = 0;
  switch (k) {
    case 0: out[c++] = s->Bplate;  out[c++] = s->Bstump;  out[c++] = s->Bbox;
            out[c++] = s->Bmotor;  break;
    case 1: out[c++] = s->L1trunk;  out[c++] = s->L1hinge;  break;
    case 2: out[c++] = s->L2link;  break;
    case 3: out[c++] = s->L3link;  break;
    case 4: out[c++] = s->L4cyl;  out[c++] = s->L4b1;  out[c++] = s->L4b2;  break;
    case 6: out[c++] = s->L6a;  out[c++] = s->L6b;  out[c++] = s->L6c;  break;
    default: break;
  }
  return c;
}

// build the fourteen solids (any previous ones are freed first); the robot is not consulted
void Puma560Init(Robot r) {
  Puma560Destroy(r);
  Puma560Build(&puma560, 0);
}

// free the fourteen solids and clear them
void Puma560Destroy(Robot) { Puma560Free(&puma560); }

// the "Hand": gripper palm and two fingers, opening 0.256, tool frame 0.561 along z
void Puma560InitEEHand(EndEffectorPtr ee) {
  ee->type = 1;
  ee->nP = 3;
  ee->P = (JwPrimitive*)JwMalloc(3*sizeof(JwPrimitive));
  ee->P[0] = JwDefTamsellGripperH(0.66f, 4, dark_color);
  ee->P[1] = JwDefTamsellGripperF1(0.66f, 4, 0xff696969u);
  ee->P[2] = JwDefTamsellGripperF2(0.66f, 4, 0xff696969u);
  ee->nv = 1;
  ee->v = (float*)JwMalloc(sizeof(float));
  ee->v[0] = 0.256f;
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) ee->Qee[i][j] = (i == j) ? 1.0f : 0.0f;
  ee->Qee[2][3] = 0.561f;
  MakeQee_gl(ee);
  ee->DestroyProc = StdDestroyEE;
  ee->DrawProc = ZDrawEE;
  ee->EditProc = StdEditEE;
}

// palm, then finger 1 moved by +v[0] along y and finger 2 by -v[0] (forwards to the GL drawer)
void ZDrawEE(EndEffectorPtr ee) { CallEEDrawer(EEDrawZ, ee); }
