// things.cpp -- scene things: placement operations, freeing and the seven object builders
#include <math.h>    // for: ceil(), cosf(), sinf()
#include <stdlib.h>  // for: free()
#include <string.h>  // for: memcpy(), memset()

#include "graphics/light.h"
#include "graphics/misc.h"
#include "graphics/primitives.h"
#include "scene/things.h"
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state

// set by the drawing library when it is linked in
static ThingProc std_draw_proc = nullptr;

void SetStdThingDrawProc(ThingProc proc) { std_draw_proc = proc; }
ThingProc GetStdThingDrawProc(void) { return std_draw_proc; }

//------------------------------------------------------------------ static helpers


static float Max(float a, float b) { return a > b ? a : b; }

// P moved by (x, y, z)
static JwPrimitive Place(JwPrimitive P, float x, float y, float z) {
  JwBgnEditPrimitive(P);
    JwEditTranslate(x, y, z);
  JwEndEditPrimitive();
  return P;
}

static JwPrimitive Prism(float x, float y, float z, unsigned long col) {
  return JwDefPrism(x, y, z, JwMatDefault, col);
}

//------------------------------------------------------------------ operations

void SetQToIdentity(float Q[4][4]) {
  for (int i = 0; i < 4; i++) {
    for (int j = 0; j < 4; j++) Q[i][j] = i == j ? 1.0f : 0.0f;
  }
}

void PreMult(float A[4][4], float Q[4][4]) {
  float R[4][4];
  for (int i = 0; i < 4; i++) {
    for (int j = 0; j < 4; j++) {
      R[i][j] = A[i][0]*Q[0][j] + A[i][1]*Q[1][j] + A[i][2]*Q[2][j] + A[i][3]*Q[3][j];
    }
  }
  memcpy(Q, R, sizeof(R));
}

void TranslateThing(Thing thing, float x, float y, float z) {
  float A[4][4];
  SetQToIdentity(A);
  A[3][0] = x;  A[3][1] = y;  A[3][2] = z;
  PreMult(A, thing->Q);
}

void RotThing(Thing thing, float angle, char axis) {
  float A[4][4];
  SetQToIdentity(A);
  float a = angle*VM_PI_F/180.0f;
  float c = cosf(a), s = sinf(a);
  switch (axis) {
    case 'X': case 'x':
      A[1][1] = c;  A[1][2] = s;  A[2][1] = -s;  A[2][2] = c;
      break;
    case 'Y': case 'y':
      A[0][0] = c;  A[0][2] = -s;  A[2][0] = s;  A[2][2] = c;
      break;
    case 'Z': case 'z':
      A[0][0] = c;  A[0][1] = s;  A[1][0] = -s;  A[1][1] = c;
      break;
    default:
      break;
  }
  PreMult(A, thing->Q);
}

Thing NewThing(int np) {
  Thing t = (Thing)JwMalloc(sizeof(ThingRec));
  memset(t, 0, sizeof(ThingRec));
  t->np = np;
  t->P = (JwPrimitive*)JwMalloc(sizeof(JwPrimitive)*(np > 0 ? np : 1));
  for (int i = 0; i < np; i++) t->P[i] = nullptr;
  SetQToIdentity(t->Q);
  t->DrawProc = std_draw_proc;
  return t;
}

void DestroyThing(Thing thing) {
  if (!thing) return;
  for (int i = 0; i < thing->np; i++) JwFreePrimitive(thing->P[i]);
  free(thing->P);
  free(thing);
}

//------------------------------------------------------------------ builders

Thing DefTable(float L, float W, float H, unsigned long col) {
  float t = 0.06f*Max(L, W), s = 1.2f*t, leg = H - t;
  float lx = L/2 - s/2, ly = W/2 - s/2;
  Thing T = NewThing(5);
  T->P[0] = Place(Prism(L, W, t, col), 0, 0, H - t/2);
  T->P[1] = Place(Prism(s, s, leg, col), lx, ly, leg/2);
  T->P[2] = Place(Prism(s, s, leg, col), -lx, ly, leg/2);
  T->P[3] = Place(Prism(s, s, leg, col), -lx, -ly, leg/2);
  T->P[4] = Place(Prism(s, s, leg, col), lx, -ly, leg/2);
  return T;
}

Thing DefSurface(float L, float W, float H, unsigned long col) {
  float t = 0.06f*Max(L, W);
  Thing T = NewThing(1);
  T->P[0] = Place(Prism(L, W, t, col), 0, 0, t/2 - H);
  return T;
}

Thing DefPeg(float D, float L, unsigned long col) {
  Thing T = NewThing(1);
  T->P[0] = Place(JwDefCylinder(16, D/2, L, JwMatDefault, col), 0, 0, L/2 + 0.02f);
  return T;
}

Thing DefFuselage(float r1, float r2, float L, unsigned long col) {
  Thing T = NewThing(1);
  T->P[0] = Place(JwDefRing(26, r1, r2, L, JwMatDefault, col), 0, 0, L/2 + 0.02f);
  return T;
}

Thing DefPallet(float L, float W, float H, unsigned long col) {
  float t = 0.1f*H, block = H - 2*t, edge = W/2 - t/2;
  Thing T = NewThing(5);
  T->P[0] = Place(Prism(L, W, t, col), 0, 0, t/2);
  T->P[1] = Place(Prism(L, W, t, col), 0, 0, H - t/2);
  T->P[2] = Place(Prism(L, t, block, col), 0, -edge, H/2);
  T->P[3] = Place(Prism(L, t, block, col), 0, edge, H/2);
  T->P[4] = Place(Prism(L, t, block, col), 0, 0, H/2);
  return T;
}

// leg frames of a conveyor: ceil(L/(3H)) + 2, kept within 2 .. ConveyorMaxFrames so that a
// zero or negative height or length (or a tiny height) cannot divide by zero or flood memory
static int ConveyorFrames(float L, float H) {
  double q = H > 0 ? ceil((double)L/(3.0*H)) : 0.0;
  if (!(q >= 0)) q = 0;  // negative length, or NaN
  if (q > ConveyorMaxFrames - 2) q = ConveyorMaxFrames - 2;
  return (int)q + 2;
}

// belt end: a half disc of radius R and width w, axis along x, bulging to -y (side -1) or
// +y (side +1) from the plane y = y0
static JwPrimitive BeltEnd(float R, float w, float x, float y0, float z, int side) {
  JwPrimitive P = JwDefArc(12, 180.0f, R, w, JwMatDefault, ConveyorBeltColor);
  JwBgnEditPrimitive(P);
    JwEditTranslate(x, y0, z);
    JwEditRot(-90.0f, 'y');
    JwEditRot(side < 0 ? -90.0f : 90.0f, 'z');
  JwEndEditPrimitive();
  return P;
}

Thing DefConveyor(float L, float W, float H, unsigned long col) {
  float t = 0.14f*H, a = 0.07f*H, post = 0.86f*H, R = 0.065f*H;
  int r = ConveyorFrames(L, H);
  float gap = (L - 2*t)/(r - 1);
  Thing T = NewThing(4*r + 5);
  int k = 0;
  for (int i = 0; i < r; i++) {
    float y = t + i*gap;
    T->P[k++] = Place(Prism(a, t, post, col), a/2, y, 0.43f*H);
    T->P[k++] = Place(Prism(a, t, post, col), W - a/2, y, 0.43f*H);
    T->P[k++] = Place(Prism(W - 2*a, t, a, col), W/2, y, post - a/2);
    T->P[k++] = Place(Prism(W - 2*a, t, a, col), W/2, y, t + a/2);
  }
  T->P[k++] = Place(Prism(a, L, t, col), a/2, L/2, H - t/2);
  T->P[k++] = Place(Prism(a, L, t, col), W - a/2, L/2, H - t/2);
  T->P[k++] = BeltEnd(R, W - 2*a, W/2, R, H - t/2, -1);
  T->P[k++] = BeltEnd(R, W - 2*a, W/2, L - R, H - t/2, +1);
  T->P[k++] = Place(Prism(W - 2*a, L - 2*R, 2*R, ConveyorBeltColor), W/2, L/2, H - t/2);
  return T;
}

Thing DefBattery(float S, unsigned long col, unsigned long col2) {
  float x = 1.22f*S, y = 0.64f*S, f = 0.09f*S, pole = 0.35f*x;
  Thing T = NewThing(4);
  T->P[0] = Place(JwDefPrismFillet(6, x, y, 0.22f*S, f, JwMatDefault, col2), 0, 0, 0.11f*S);
  T->P[1] = Place(JwDefPrismFillet(6, x, y, 0.78f*S, f, JwMatDefault, col), 0, 0,
                  0.22f*S + 0.39f*S);
  T->P[2] = Place(JwDefCylinder(16, 0.07f*S, 0.09f*S, JwMatDefault, BatteryTerminalColor),
                  pole, 0, S + 0.045f*S);
  T->P[3] = Place(JwDefCylinder(16, 0.07f*S, 0.09f*S, JwMatDefault, BatteryTerminalColor),
                  -pole, 0, S + 0.045f*S);
  return T;
}
