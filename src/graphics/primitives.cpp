// primitives.cpp -- solid and mesh records, freeing, edit transforms, the drawing table
#include "graphics/primitives.h"

#include <math.h>    // for: sin(), cos(), sqrt()
#include <stdlib.h>  // for: free()
#include <string.h>  // for: memset(), memcpy()

#include "graphics/misc.h"
#include "base/consts.h"  // for: VM_PI

//------------------------------------------------------------------ module state

static JwPrimitive Pe = nullptr;   // primitive under edit
static JwUnit Ue = nullptr;        // unit under edit
static float Mv_gl[16];            // vertex matrix, OpenGL element order
static float Mn_gl[16];            // normal matrix, OpenGL element order
static float Mv[4][4];             // the same as 4 x 4 arrays (Mv[j][i] = element (i, j))
static float Mn[4][4];
static float P[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

static JwDrawProc draw_procs[JwDrawKindCount];   // filled by the drawing library

//------------------------------------------------------------------ static helpers

static void Identity16(float* M) {
  memset(M, 0, 16*sizeof(float));
  M[0] = M[5] = M[10] = M[15] = 1.0f;
}

// M = M B, both in OpenGL element order; as glMultMatrixf does to the current matrix
static void PostMult(float* M, const float* B) {
  float C[16];
  for (int j = 0; j < 4; j++) {
    for (int i = 0; i < 4; i++) {
      float s = 0.0f;
      for (int k = 0; k < 4; k++) s += M[4*k + i]*B[4*j + k];
      C[4*j + i] = s;
    }
  }
  memcpy(M, C, sizeof(C));
}

// rotation of deg degrees about a named axis, OpenGL element order; unknown axes give I
static void RotationGl(float deg, char axis, float* R) {
  double a = deg*VM_PI/180.0;
  float c = (float)cos(a), s = (float)sin(a);
  Identity16(R);
  switch (axis) {
    case 'x': case 'X': R[5] = c;  R[6] = s;  R[9] = -s;  R[10] = c;  break;
    case 'y': case 'Y': R[0] = c;  R[2] = -s; R[8] = s;   R[10] = c;  break;
    case 'z': case 'Z': R[0] = c;  R[1] = s;  R[4] = -s;  R[5] = c;   break;
    default: break;
  }
}

// every vertex by Mv, every normal by Mn
static void BakeUnit(JwUnit u) {
  for (int i = 0; i < u->nv; i++) transform(Mv, u->V + 4*i);
  for (int i = 0; i < u->nn; i++) transform(Mn, u->N + 4*i);
}

static void BeginEdit() {
  Identity16(Mv_gl);
  Identity16(Mn_gl);
}

static void EndEdit() {
  memcpy(Mv, Mv_gl, sizeof(Mv));
  memcpy(Mn, Mn_gl, sizeof(Mn));
}

//------------------------------------------------------------------ records

// a unit of the given kind with nv vertices and nn normals (plus extra floats after the
// normals), all zero; resolution parameters -1
JwUnit JwNewUnit(int kind, int nv, int nn, int extra, int mat, unsigned long color) {
  JwUnit u = (JwUnit)JwMalloc(sizeof(JwUnitRec));
  u->nv = nv;  u->nn = nn;
  u->V = (float*)JwMalloc(sizeof(float)*4*nv);
  u->N = (float*)JwMalloc(sizeof(float)*(4*nn + extra));
  memset(u->V, 0, sizeof(float)*4*nv);
  memset(u->N, 0, sizeof(float)*(4*nn + extra));
  u->n = u->m = u->p = -1;
  u->mat = mat;  u->color = color;
  u->kind = kind;
  u->Proc = (kind > 0 && kind < JwDrawKindCount) ? draw_procs[kind] : nullptr;
  return u;
}

// a primitive of the given type with nu empty unit slots and the parameter record spec
JwPrimitive JwNewPrimitive(JwPrimitiveType type, int nu, void* spec) {
  JwPrimitive P = (JwPrimitive)JwMalloc(sizeof(JwPrimitiveRec));
  P->type = type;
  P->nu = nu;
  P->U = (JwUnit*)JwMalloc(sizeof(JwUnit)*(nu > 0 ? nu : 1));
  for (int i = 0; i < nu; i++) P->U[i] = nullptr;
  P->spec = spec;
  return P;
}

// N, V, then the unit; NULL does nothing
void JwFreeUnit(JwUnit u) {
  if (!u) return;
  free(u->N);
  free(u->V);
  free(u);
}

// spec, every unit, U, then the primitive; NULL does nothing
void JwFreePrimitive(JwPrimitive P) {
  if (!P) return;
  if (P->spec) free(P->spec);
  for (int i = 0; i < P->nu; i++) JwFreeUnit(P->U[i]);
  free(P->U);
  free(P);
}

//------------------------------------------------------------------ edit transforms

void JwBgnEditPrimitive(JwPrimitive P) {
  Pe = P;
  BeginEdit();
}

void JwEndEditPrimitive(void) {
  EndEdit();
  if (Pe) {
    for (int i = 0; i < Pe->nu; i++) if (Pe->U[i]) BakeUnit(Pe->U[i]);
  }
  Pe = nullptr;
}

void JwBgnEditUnit(JwUnit u) {
  Ue = u;
  BeginEdit();
}

void JwEndEditUnit(void) {
  EndEdit();
  if (Ue) BakeUnit(Ue);
  Ue = nullptr;
}

// vertex matrix *= T(x, y, z)
void JwEditTranslate(float x, float y, float z) {
  float T[16];
  Identity16(T);
  T[12] = x;  T[13] = y;  T[14] = z;
  PostMult(Mv_gl, T);
}

// vertex matrix *= S(x, y, z); normals keep their length
void JwEditScale(float x, float y, float z) {
  float S[16];
  Identity16(S);
  S[0] = x;  S[5] = y;  S[10] = z;
  PostMult(Mv_gl, S);
}

// both matrices *= rotation of a degrees about the named axis
void JwEditRot(float a, char axis) {
  float R[16];
  RotationGl(a, axis, R);
  PostMult(Mv_gl, R);
  PostMult(Mn_gl, R);
  memcpy(Mn, Mn_gl, sizeof(Mn));
}

// both matrices *= rotation of a/10 degrees about the named axis
void JwEditRotate(float a, char axis) {
  JwEditRot(a/10.0f, axis);
}

// both matrices *= the upper-left 3 x 3 of m (element (i, j) = m[i][j]); translation unused
void JwEditMultMatrix(float m[4][4]) {
  float B[16];
  Identity16(B);
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) {
      P[i][j] = m[i][j];
      B[4*j + i] = m[i][j];
    }
  }
  PostMult(Mv_gl, B);
  PostMult(Mn_gl, B);
}

// v = M v; M in OpenGL element order (element (i, j) at M[j][i])
void transform(float M[4][4], float* v) {
  float r[4];
  for (int i = 0; i < 4; i++) {
    r[i] = M[0][i]*v[0] + M[1][i]*v[1] + M[2][i]*v[2] + M[3][i]*v[3];
  }
  v[0] = r[0];  v[1] = r[1];  v[2] = r[2];  v[3] = r[3];
}

//------------------------------------------------------------------ helpers

// out = normalise((1 - t) a + t b) over x, y, z; a zero blend is left zero
void BlendNormal(float* out, float* a, float* b, float t) {
  float x = (1.0f - t)*a[0] + t*b[0];
  float y = (1.0f - t)*a[1] + t*b[1];
  float z = (1.0f - t)*a[2] + t*b[2];
  float l = sqrtf(x*x + y*y + z*z);
  if (l > 0.0f) { x /= l;  y /= l;  z /= l; }
  out[0] = x;  out[1] = y;  out[2] = z;
}

//------------------------------------------------------------------ drawing table

void JwSetDrawProc(int kind, JwDrawProc proc) {
  if (kind > 0 && kind < JwDrawKindCount) draw_procs[kind] = proc;
}

JwDrawProc JwGetDrawProc(int kind) {
  return (kind > 0 && kind < JwDrawKindCount) ? draw_procs[kind] : nullptr;
}
