// test_primitives.cpp -- covers src/graphics/primitives.cpp: edits, freeing, helpers, table
#include <gtest/gtest.h>

#include <string.h>

#include "prims_test_util.h"

//------------------------------------------------------------------ helpers

// 4 x 4 matrices with the first index as row, composed here independently of the library
typedef double M4[4][4];

static void Ident(M4 A) {
  for (int i = 0; i < 4; i++) for (int j = 0; j < 4; j++) A[i][j] = i == j;
}

static void Mul(M4 A, M4 B, M4 C) {
  M4 T;
  for (int i = 0; i < 4; i++) {
    for (int j = 0; j < 4; j++) {
      T[i][j] = 0;
      for (int k = 0; k < 4; k++) T[i][j] += A[i][k]*B[k][j];
    }
  }
  memcpy(C, T, sizeof(M4));
}

static void Trans(M4 A, double x, double y, double z) {
  Ident(A);
  A[0][3] = x;  A[1][3] = y;  A[2][3] = z;
}

// right-handed rotation of deg degrees about axis 0, 1 or 2
static void Rot(M4 A, double deg, int axis) {
  double a = deg*M_PI/180, c = cos(a), s = sin(a);
  int i = (axis + 1)%3, j = (axis + 2)%3;
  Ident(A);
  A[i][i] = c;  A[i][j] = -s;  A[j][i] = s;  A[j][j] = c;
}

// y = A (x, w)
static void Apply(M4 A, const float* x, double w, double* y) {
  for (int i = 0; i < 3; i++) y[i] = A[i][0]*x[0] + A[i][1]*x[1] + A[i][2]*x[2] + A[i][3]*w;
}

// the unit's vertices and normals after the edit equal A v and R n of the copies before it
static void ExpectMoved(JwUnit before, JwUnit after, M4 A, M4 R, double tol = 1e-5) {
  ASSERT_EQ(before->nv, after->nv);
  for (int i = 0; i < before->nv; i++) {
    double y[3];
    Apply(A, Vt(before, i), 1.0, y);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(Vt(after, i)[k], y[k], tol) << "vertex " << i;
    EXPECT_FLOAT_EQ(Vt(after, i)[3], 1.0f);
  }
  for (int i = 0; i < before->nn; i++) {
    double y[3];
    Apply(R, Nt(before, i), 0.0, y);
    for (int k = 0; k < 3; k++) EXPECT_NEAR(Nt(after, i)[k], y[k], tol) << "normal " << i;
    EXPECT_FLOAT_EQ(Nt(after, i)[3], 1.0f);
  }
}

//------------------------------------------------------------------ edit transforms

// translate then rotate 900 about y: the mesh turns 90 degrees about y first, then moves;
// normals turn and do not move
TEST(PrimEdit, TranslateThenRotateActsInReverse) {
  JwUnit a = def_prism(1, 2, 3, 1, 0);
  JwUnit b = def_prism(1, 2, 3, 1, 0);
  JwBgnEditUnit(b);
    JwEditTranslate(1, 2, 3);
    JwEditRotate(900, 'y');
  JwEndEditUnit();
  M4 T, R, A;
  Trans(T, 1, 2, 3);
  Rot(R, 90, 1);
  Mul(T, R, A);
  ExpectMoved(a, b, A, R);
  // the +x face corner (0.5, -1, -1.5) goes to (-1.5, -1, -0.5) + (1, 2, 3)
  EXPECT_NEAR(Vt(b, 0)[0], -0.5, 1e-5);  EXPECT_NEAR(Vt(b, 0)[1], 1.0, 1e-5);
  EXPECT_NEAR(Vt(b, 0)[2], 2.5, 1e-5);
  // the +x face normal points to -z
  EXPECT_NEAR(Nt(b, 0)[2], -1.0, 1e-6);
  JwFreeUnit(a);
  JwFreeUnit(b);
}

// tenths of a degree against degrees, about each axis
TEST(PrimEdit, RotateTenthsAndRotDegrees) {
  const char axes[3] = {'x', 'y', 'z'};
  for (int ax = 0; ax < 3; ax++) {
    JwUnit a = def_cylinder(6, 1, 2, 1, 0);
    JwUnit b = def_cylinder(6, 1, 2, 1, 0);
    JwUnit c = def_cylinder(6, 1, 2, 1, 0);
    JwBgnEditUnit(b);
      JwEditRotate(375, axes[ax]);
    JwEndEditUnit();
    JwBgnEditUnit(c);
      JwEditRot(37.5f, axes[ax]);
    JwEndEditUnit();
    M4 R;
    Rot(R, 37.5, ax);
    ExpectMoved(a, b, R, R);
    ExpectMoved(a, c, R, R);
    JwFreeUnit(a);  JwFreeUnit(b);  JwFreeUnit(c);
  }
}

// scale moves vertices only; the normals keep their directions and unit length
TEST(PrimEdit, ScaleLeavesNormals) {
  JwUnit a = def_sphere(4, 8, 1, 1, 0);
  JwUnit b = def_sphere(4, 8, 1, 1, 0);
  JwBgnEditUnit(b);
    JwEditScale(2, 3, 0.5f);
  JwEndEditUnit();
  M4 S, I;
  Ident(S);  Ident(I);
  S[0][0] = 2;  S[1][1] = 3;  S[2][2] = 0.5;
  ExpectMoved(a, b, S, I);
  EXPECT_LT(NormalLengthError(b), 1e-6);
  JwFreeUnit(a);
  JwFreeUnit(b);
}

// the matrix's 3 x 3 block acts with the first index as row; its translation entries
// (column 3 and row 3) are ignored
TEST(PrimEdit, MultMatrixIgnoresTranslation) {
  JwUnit a = def_cone(8, 1, 2, 1, 0);
  JwUnit b = def_cone(8, 1, 2, 1, 0);
  M4 R;
  Rot(R, 30, 0);
  M4 Z;
  Rot(Z, -50, 2);
  Mul(R, Z, R);
  float m[4][4];
  for (int i = 0; i < 4; i++) for (int j = 0; j < 4; j++) m[i][j] = (float)R[i][j];
  m[0][3] = 7;  m[1][3] = -8;  m[2][3] = 9;
  m[3][0] = 4;  m[3][1] = 5;  m[3][2] = 6;  m[3][3] = 2;
  JwBgnEditUnit(b);
    JwEditMultMatrix(m);
  JwEndEditUnit();
  ExpectMoved(a, b, R, R);
  JwFreeUnit(a);
  JwFreeUnit(b);
}

// edits accumulate on the stored mesh; a primitive edit moves every unit
TEST(PrimEdit, EditsAccumulateAndReachEveryUnit) {
  JwPrimitive P = JwDefTamsellGripperH(1, 1, 0);
  JwPrimitive Q = JwDefTamsellGripperH(1, 1, 0);
  JwBgnEditPrimitive(Q);
    JwEditRot(90, 'z');
  JwEndEditPrimitive();
  JwBgnEditPrimitive(Q);
    JwEditTranslate(0, 0, 5);
    JwEditScale(2, 2, 2);
  JwEndEditPrimitive();
  M4 R, T, S, A;
  Rot(R, 90, 2);
  Trans(T, 0, 0, 5);
  Ident(S);
  S[0][0] = S[1][1] = S[2][2] = 2;
  Mul(T, S, A);
  Mul(A, R, A);
  for (int i = 0; i < 4; i++) ExpectMoved(P->U[i], Q->U[i], A, R);
  JwFreePrimitive(P);
  JwFreePrimitive(Q);
}

// rotations of several calls compose with the call made last acting first
TEST(PrimEdit, RotationsCompose) {
  JwUnit a = def_prism(1, 2, 3, 1, 0);
  JwUnit b = def_prism(1, 2, 3, 1, 0);
  JwBgnEditUnit(b);
    JwEditRot(90, 'x');
    JwEditRotate(450, 'z');
    JwEditTranslate(1, 0, 0);
  JwEndEditUnit();
  M4 X, Z, T, A, R;
  Rot(X, 90, 0);
  Rot(Z, 45, 2);
  Trans(T, 1, 0, 0);
  Mul(X, Z, R);
  Mul(R, T, A);
  ExpectMoved(a, b, A, R);
  JwFreeUnit(a);
  JwFreeUnit(b);
}

// M is read in OpenGL element order: element (i, j) at M[j][i]
TEST(PrimEdit, TransformUsesColumnOrder) {
  float M[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {5, 6, 7, 1}};
  float v[4] = {1, 2, 3, 1};
  transform(M, v);
  EXPECT_FLOAT_EQ(v[0], 6);  EXPECT_FLOAT_EQ(v[1], 8);
  EXPECT_FLOAT_EQ(v[2], 10); EXPECT_FLOAT_EQ(v[3], 1);
  float S[4][4] = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};  // Rz(90)
  float w[4] = {1, 0, 0, 1};
  transform(S, w);
  EXPECT_NEAR(w[0], 0, 1e-7);  EXPECT_NEAR(w[1], 1, 1e-7);
}

//------------------------------------------------------------------ constructors that edit

// a box stands on the xy plane
TEST(PrimEdit, BoxStandsOnTheFloor) {
  JwPrimitive P = JwDefBox(1, 2, 3, 1, 0);
  EXPECT_EQ(P->type, JwBoxT);
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < 24; i++) {
    lo = fminf(lo, Vt(P->U[0], i)[2]);
    hi = fmaxf(hi, Vt(P->U[0], i)[2]);
  }
  EXPECT_NEAR(lo, 0, 1e-6);
  EXPECT_NEAR(hi, 3, 1e-6);
  JwBox s = (JwBox)P->spec;
  EXPECT_EQ(s->x, 1);  EXPECT_EQ(s->y, 2);  EXPECT_EQ(s->z, 3);
  JwFreePrimitive(P);
}

// a finger is its outline turned -90 degrees about y, then moved up 0.95 s
TEST(PrimEdit, FingerPlacement) {
  const float s = 2.0f;
  float pts[5][2] = {{-0.75f*s, 0.004f*s}, {0.45f*s, 0.004f*s}, {0.45f*s, 0.1f*s},
                     {-0.45f*s, 0.45f*s}, {-0.75f*s, 0.45f*s}};
  int flags[5] = {1, 1, 1, 1, 1};
  JwUnit flat = def_flat(5, pts, flags, 0.3f*s, 1, 0);
  JwPrimitive P = JwDefTamsellGripperF1(s, 1, 0);
  EXPECT_EQ(P->type, JwTamsellGripperF1T);
  EXPECT_FLOAT_EQ(((JwTamsellGripperF1)P->spec)->w, 0.3f*s);
  M4 T, R, A;
  Trans(T, 0, 0, 0.95*s);
  Rot(R, -90, 1);
  Mul(T, R, A);
  ExpectMoved(flat, P->U[0], A, R);
  JwFreeUnit(flat);
  JwFreePrimitive(P);
}

// support arcs: the second one is also turned half a turn about z
TEST(PrimEdit, SupportArcs) {
  const float r = 1.0f, w = 0.5f;
  JwPrimitive P = JwDefSupport(12, r, w, 1, 0);
  JwUnit arc = def_arc(8, 200, 0.4f*w, 0.4f*r, 1, 0);
  M4 X, Z, T, A, B, RB;
  Rot(X, 90, 0);
  Rot(Z, 180, 2);
  Trans(T, 1.4*r - 0.069459272*w, 0, 0);
  Mul(X, T, A);
  Mul(X, Z, RB);
  Mul(RB, T, B);
  ExpectMoved(arc, P->U[4], A, X);
  ExpectMoved(arc, P->U[5], B, RB);
  // the feet and bar are moved prisms
  EXPECT_NEAR(Vt(P->U[1], 0)[1], -1.2*r - 0.2*r, 1e-6);
  JwFreeUnit(arc);
  JwFreePrimitive(P);
}

// the universal joint's pin: material 4 and the fixed brown, whatever the caller asks
TEST(PrimEdit, UJointPins) {
  JwPrimitive P = JwDefUJointRPinOut(12, 1, 0.3f, 1, 0.5f, 3, 0.2f, 5, 0xff00ff00UL);
  EXPECT_EQ(P->U[0]->mat, 5);
  EXPECT_EQ(P->U[3]->mat, 4);
  EXPECT_EQ(P->U[3]->color, 0xff1f669cUL);
  // stubs centred at z = +-(len + tp)/2
  double zc = 0;
  for (int i = 0; i < P->U[3]->nv; i++) zc += Vt(P->U[3], i)[2];
  EXPECT_NEAR(zc/P->U[3]->nv, 1.6, 1e-5);
  JwUJointRPinOut s = (JwUJointRPinOut)P->spec;
  EXPECT_EQ(s->tp, 0.2f);
  EXPECT_EQ(s->len, 3.0f);
  JwFreePrimitive(P);
}

//------------------------------------------------------------------ records and helpers

// NULL does nothing; solids without a parameter record free their units only
TEST(PrimFree, NullAndRecordless) {
  JwFreePrimitive(nullptr);
  JwFreeUnit(nullptr);
  float pts[3][4] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {2, 1, 0, 0}};
  JwPrimitive w = JwDefWire(6, pts, 3, 0.1f, 0, 1, 0);
  EXPECT_EQ(w->spec, nullptr);
  JwFreePrimitive(w);
  JwPrimitive t = JwDefTetrahedron(1, 0.1f, 6, 1, 0);
  EXPECT_EQ(t->spec, nullptr);
  JwFreePrimitive(t);
}

// outlines without points give empty meshes that draw nothing
TEST(PrimFree, EmptyOutlines) {
  JwPrimitive f = JwDefFlat(0, nullptr, nullptr, 1, 1, 0);
  EXPECT_EQ(f->U[0]->nv, 0);
  EXPECT_TRUE(Record(f->U[0]).empty());
  JwFreePrimitive(f);
  JwPrimitive l = JwDefLomp(nullptr, nullptr, 0, 1, 0);
  EXPECT_EQ(l->U[0]->nv, 0);
  EXPECT_TRUE(Record(l->U[0]).empty());
  JwFreePrimitive(l);
}

// parameter records keep the dimensions in field order
TEST(PrimFree, ParameterRecords) {
  JwPrimitive p = JwDefSector(8, 120, 2, 3, 1, 0);
  JwSector s = (JwSector)p->spec;
  EXPECT_EQ(s->r, 2);  EXPECT_EQ(s->ang, 120);  EXPECT_EQ(s->h, 3);
  JwFreePrimitive(p);
  p = JwDefPyr(1, 2, 3, 4, 5, 1, 0);
  JwPyr y = (JwPyr)p->spec;
  EXPECT_EQ(y->x1, 1);  EXPECT_EQ(y->y1, 2);  EXPECT_EQ(y->x2, 3);  EXPECT_EQ(y->y2, 4);
  EXPECT_EQ(y->h, 5);
  JwFreePrimitive(p);
  p = JwDefTamsellGripperHFR(2, 1, 0);
  EXPECT_EQ(p->type, JwTamsellGripperHT);
  EXPECT_EQ(((JwTamsellGripperHFR)p->spec)->w, 1.0f);
  JwFreePrimitive(p);
}

// out = normalise((1 - t) a + t b)
TEST(PrimHelpers, BlendNormal) {
  float a[3] = {1, 0, 0}, b[3] = {0, 1, 0}, out[3];
  BlendNormal(out, a, b, 0.5f);
  EXPECT_NEAR(out[0], sqrt(0.5), 1e-7);  EXPECT_NEAR(out[1], sqrt(0.5), 1e-7);
  EXPECT_NEAR(out[2], 0, 1e-7);
  float c[3] = {0, 0, 2}, d[3] = {0, 2, 0};
  BlendNormal(out, c, d, 0.25f);
  EXPECT_NEAR(out[1], 1/sqrt(10.0), 1e-6);  EXPECT_NEAR(out[2], 3/sqrt(10.0), 1e-6);
}

// the drawing table starts empty in a program without the drawing library, and a unit
// takes its function from the table when it is built
static void FakeDraw(JwUnit) {}
TEST(PrimTable, UnitsTakeTheirDrawingFunction) {
  JwDrawProc old = JwGetDrawProc(JwDrawGusset);
  EXPECT_EQ(old, nullptr);
  JwSetDrawProc(JwDrawGusset, FakeDraw);
  JwUnit u = def_gusset(1, 1, 1, 1, 0);
  EXPECT_EQ(u->Proc, FakeDraw);
  EXPECT_EQ(u->kind, JwDrawGusset);
  JwSetDrawProc(JwDrawGusset, old);
  JwSetDrawProc(JwDrawKindCount, FakeDraw);      // out of range: ignored
  EXPECT_EQ(JwGetDrawProc(JwDrawKindCount), nullptr);
  JwFreeUnit(u);
}
