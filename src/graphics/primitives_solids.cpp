// primitives_solids.cpp -- the JwDef constructors: parameter records, units and their placement
#include <math.h>  // for: sqrt()

#include "graphics/misc.h"
#include "graphics/primitives_local.h"

//------------------------------------------------------------------ static helpers

// a parameter record holding the k given floats in order
static void* Record(int k, float a, float b = 0, float c = 0, float d = 0, float e = 0,
                    float f = 0) {
  float* s = (float*)JwMalloc(sizeof(float)*k);
  const float v[6] = {a, b, c, d, e, f};
  for (int i = 0; i < k; i++) s[i] = v[i];
  return s;
}

// a one-unit solid
static JwPrimitive Single(JwPrimitiveType type, void* spec, JwUnit u) {
  JwPrimitive P = JwNewPrimitive(type, 1, spec);
  P->U[0] = u;
  return P;
}

// unit moved by (x, y, z)
static JwUnit Moved(JwUnit u, float x, float y, float z) {
  JwBgnEditUnit(u);
    JwEditTranslate(x, y, z);
  JwEndEditUnit();
  return u;
}

//------------------------------------------------------------------ one-unit solids

JwPrimitive JwDefCylinder(int n, float r, float h, int mat, unsigned long color) {
  return Single(JwCylinderT, Record(2, r, h), def_cylinder(n, r, h, mat, color));
}

JwPrimitive JwDefFlatCylinder(int n, float r, float h, int mat, unsigned long color) {
  return Single(JwFlatCylinderT, Record(2, r, h), def_flatcylinder(n, r, h, mat, color));
}

JwPrimitive JwDefPivot(int n, float r, float h, float w, int mat, unsigned long color) {
  return Single(JwPivotT, Record(3, r, h, w), def_pivot(n, r, h, w, mat, color));
}

JwPrimitive JwDefToroid(int n, int m, float ang, float R, float r, int mat, unsigned long color) {
  return Single(JwToroidT, Record(3, ang, R, r), def_toroid(n, m, ang, R, r, mat, color));
}

JwPrimitive JwDefPrism(float x, float y, float z, int mat, unsigned long color) {
  return Single(JwPrismT, Record(3, x, y, z), def_prism(x, y, z, mat, color));
}

JwPrimitive JwDefCone(int n, float r, float h, int mat, unsigned long color) {
  return Single(JwConeT, Record(2, r, h), def_cone(n, r, h, mat, color));
}

JwPrimitive JwDefSphere(int m, int n, float r, int mat, unsigned long color) {
  return Single(JwSphereT, Record(1, r), def_sphere(m, n, r, mat, color));
}

JwPrimitive JwDefHemiSphere(int m, int n, float r, int mat, unsigned long color) {
  return Single(JwHemiSphereT, Record(1, r), def_hemisphere(m, n, r, mat, color));
}

JwPrimitive JwDefSector(int n, float ang, float r, float h, int mat, unsigned long color) {
  return Single(JwSectorT, Record(3, r, ang, h), def_sector(n, ang, r, h, mat, color));
}

JwPrimitive JwDefCylFillet(int n, float r, float h, float r1, float r2, int mat,
                           unsigned long color) {
  return Single(JwCylFilletT, Record(4, r, h, r1, r2),
                def_cylfillet(n, r, h, r1, r2, mat, color));
}

JwPrimitive JwDefPrismFillet(int n, float x, float y, float z, float r, int mat,
                             unsigned long color) {
  return Single(JwPrismFilletT, Record(4, x, y, z, r),
                def_prismfillet(n, x, y, z, r, mat, color));
}

JwPrimitive JwDefRing(int n, float R, float r, float h, int mat, unsigned long color) {
  return Single(JwRingT, Record(3, R, r, h), def_ring(n, R, r, h, mat, color));
}

JwPrimitive JwDefSquareRing(int n, float r, float x, float y, float z, int mat,
                            unsigned long color) {
  return Single(JwSquareRingT, Record(4, r, x, y, z), def_squarering(n, r, x, y, z, mat, color));
}

JwPrimitive JwDefArc(int n, float ang, float r, float h, int mat, unsigned long color) {
  return Single(JwArcT, Record(3, r, ang, h), def_arc(n, ang, r, h, mat, color));
}

JwPrimitive JwDefDish(int m, int n, float ang, float R, float r, int mat, unsigned long color) {
  return Single(JwDishT, Record(3, ang, R, r), def_dish(m, n, ang, R, r, mat, color));
}

JwPrimitive JwDefStump(int n, float R, float r, float h, int mat, unsigned long color) {
  return Single(JwStumpT, Record(3, R, r, h), def_stump(n, R, r, h, mat, color));
}

JwPrimitive JwDefElbow(int n, float R, float r, int mat, unsigned long color) {
  return Single(JwElbowT, Record(2, R, r), def_elbow(n, R, r, mat, color));
}

JwPrimitive JwDefElbowPR(int n, float R, float r, int mat, unsigned long color) {
  return Single(JwElbowPRT, Record(2, R, r), def_elbowpr(n, R, r, mat, color));
}

// no parameter record
JwPrimitive JwDefWire(int n, float pts[][4], int np, float r, float k, int mat,
                      unsigned long color) {
  return Single(JwWireT, nullptr, def_wire(n, pts, np, r, k, mat, color));
}

JwPrimitive JwDefSphereCurve(int m, int n, float r, float h, float w, float ang, int mat,
                             unsigned long color) {
  return Single(JwSphereCurveT, Record(4, r, h, w, ang),
                def_spherecurve(m, n, r, h, w, ang, mat, color));
}

JwPrimitive JwDefFlat(int n, float pts[][2], int* flags, float w, int mat, unsigned long color) {
  return Single(JwFlatT, Record(1, w), def_flat(n, pts, flags, w, mat, color));
}

JwPrimitive JwDefGusset(float a, float b, float t, int mat, unsigned long color) {
  return Single(JwGussetT, Record(3, a, b, t), def_gusset(a, b, t, mat, color));
}

// the prism standing on the xy plane
JwPrimitive JwDefBox(float x, float y, float z, int mat, unsigned long color) {
  return Single(JwBoxT, Record(3, x, y, z), Moved(def_prism(x, y, z, mat, color), 0, 0, z/2));
}

JwPrimitive JwDefPyr(float x1, float y1, float x2, float y2, float h, int mat,
                     unsigned long color) {
  return Single(JwPyrT, Record(5, x1, y1, x2, y2, h), def_pyr(x1, y1, x2, y2, h, mat, color));
}

// no parameter record
JwPrimitive JwDefLomp(float T[][3], float B[][3], int n, int mat, unsigned long color) {
  return Single(JwLompT, nullptr, def_lomp(T, B, n, mat, color));
}

//------------------------------------------------------------------ assemblies

// ring, bar, two feet, two arcs standing at the ring's sides
JwPrimitive JwDefSupport(int n, float r, float w, int mat, unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwSupportT, 6, Record(2, r, w));
  P->U[0] = def_ring(n, 1.4f*r, r, w, mat, color);
  P->U[1] = Moved(def_prism(7*r, 0.4f*r, w, mat, color), 0, -1.2f*r, 0);
  P->U[2] = Moved(def_prism(1.8f*r, 0.8f*r, w, mat, color), -1.9f*r, -0.6f*r, 0);
  P->U[3] = Moved(def_prism(1.8f*r, 0.8f*r, w, mat, color), 1.9f*r, -0.6f*r, 0);
  for (int k = 0; k < 2; k++) {
    JwUnit u = def_arc(8, 200, 0.4f*w, 0.4f*r, mat, color);
    JwBgnEditUnit(u);
      JwEditRotate(900, 'x');
      if (k == 1) JwEditRotate(1800, 'z');
      JwEditTranslate(1.4f*r - 0.069459272f*w, 0, 0);
    JwEndEditUnit();
    P->U[4 + k] = u;
  }
  return P;
}

// disc, palm and two jaws
JwPrimitive JwDefTamsellGripperH(float s, int mat, unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwTamsellGripperHT, 4, Record(2, s, s/2));
  P->U[0] = Moved(def_cylinder(24, 0.5f*s, 0.1f*s, mat, color), 0, 0, 0.05f*s);
  P->U[1] = Moved(def_prism(0.5f*s, s, 0.1f*s, mat, color), 0, 0, 0.15f*s);
  P->U[2] = Moved(def_prism(0.1f*s, s, 0.3f*s, mat, color), 0.2f*s, 0, 0.35f*s);
  P->U[3] = Moved(def_prism(0.1f*s, s, 0.3f*s, mat, color), -0.2f*s, 0, 0.35f*s);
  return P;
}

// wide base, palm and two jaws
JwPrimitive JwDefTamsellGripperHFR(float s, int mat, unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwTamsellGripperHT, 4, Record(2, s, s/2));
  P->U[0] = Moved(def_prism(0.7f*s, 1.95f*s, 0.2f*s, mat, color), 0, 0, 0.125f*s);
  P->U[1] = Moved(def_prism(0.5f*s, s, 0.1f*s, mat, color), 0, 0, 0.15f*s);
  P->U[2] = Moved(def_prism(0.1f*s, s, 0.3f*s, mat, color), 0.2f*s, 0, 0.35f*s);
  P->U[3] = Moved(def_prism(0.1f*s, s, 0.3f*s, mat, color), -0.2f*s, 0, 0.35f*s);
  return P;
}

// a finger: five-corner flat, 0.3 s thick, turned -90 degrees about y and moved up 0.95 s
static JwPrimitive Finger(JwPrimitiveType type, float s, const float c[5][2], int mat,
                          unsigned long color) {
  float pts[5][2];
  int flags[5] = {1, 1, 1, 1, 1};
  for (int i = 0; i < 5; i++) { pts[i][0] = c[i][0]*s;  pts[i][1] = c[i][1]*s; }
  JwUnit u = def_flat(5, pts, flags, 0.3f*s, mat, color);
  JwBgnEditUnit(u);
    JwEditTranslate(0, 0, 0.95f*s);
    JwEditRotate(-900, 'y');
  JwEndEditUnit();
  return Single(type, Record(1, 0.3f*s), u);
}

JwPrimitive JwDefTamsellGripperF1(float s, int mat, unsigned long color) {
  static const float c[5][2] = {{-0.75f, 0.004f}, {0.45f, 0.004f}, {0.45f, 0.1f},
                                {-0.45f, 0.45f}, {-0.75f, 0.45f}};
  return Finger(JwTamsellGripperF1T, s, c, mat, color);
}

JwPrimitive JwDefTamsellGripperF2(float s, int mat, unsigned long color) {
  static const float c[5][2] = {{-0.75f, 0.004f}, {-0.75f, -0.45f}, {-0.45f, -0.45f},
                                {0.45f, -0.1f}, {0.45f, 0.004f}};
  return Finger(JwTamsellGripperF2T, s, c, mat, color);
}

// two lugs and the bridge of a fork into P->U[0..2]
static void Fork(JwPrimitive P, int n, float r, float t, float h1, float h2, float len, int mat,
                 unsigned long color) {
  P->U[0] = Moved(def_pivot(n, r, h1, t, mat, color), 0, 0, len/2 - t/2);
  P->U[1] = Moved(def_pivot(n, r, h1, t, mat, color), 0, 0, -(len/2 - t/2));
  P->U[2] = Moved(def_prism(2*r, h2, len, mat, color), 0, -(h2/2 + h1), 0);
}

JwPrimitive JwDefUJointR(int n, float r, float t, float h1, float h2, float len, int mat,
                         unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwUJointRT, 4, Record(5, r, t, h1, h2, len));
  Fork(P, n, r, t, h1, h2, len, mat, color);
  P->U[3] = def_cylinder(16, r/2, len - 2*t, 4, 0xff1f669cUL);
  return P;
}

JwPrimitive JwDefUJointRPinIn(int n, float r, float t, float h1, float h2, float len, float tp,
                              int mat, unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwUJointRT, 5, Record(6, r, t, h1, h2, len, tp));
  Fork(P, n, r, t, h1, h2, len, mat, color);
  float z = len/2 - t - tp/2;
  P->U[3] = Moved(def_cylinder(16, r/2, tp, 4, 0xff1f669cUL), 0, 0, z);
  P->U[4] = Moved(def_cylinder(16, r/2, tp, 4, 0xff1f669cUL), 0, 0, -z);
  return P;
}

JwPrimitive JwDefUJointRPinOut(int n, float r, float t, float h1, float h2, float len,
                               float tp, int mat, unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwUJointRT, 5, Record(6, r, t, h1, h2, len, tp));
  Fork(P, n, r, t, h1, h2, len, mat, color);
  float z = (len + tp)/2;
  P->U[3] = Moved(def_cylinder(16, r/2, tp, 4, 0xff1f669cUL), 0, 0, z);
  P->U[4] = Moved(def_cylinder(16, r/2, tp, 4, 0xff1f669cUL), 0, 0, -z);
  return P;
}

// filleted body, face plate, ring and shaft, all below the origin along -z
JwPrimitive JwDefMotor(float r, float len, float h, int mat, unsigned long color) {
  JwPrimitive P = JwNewPrimitive(JwMotorT, 4, Record(3, r, len, h));
  P->U[0] = Moved(def_cylfillet(24, r, len, len/10, len/10, mat, color), 0, 0, -(r + len/2));
  P->U[1] = Moved(def_cylinder(24, 0.6f*r, 0.2f*r/6, mat, 0xffc0c0c0UL), 0, 0, 0.2f*r/12 - r);
  P->U[2] = Moved(def_ring(24, 0.7f*r, 0.6f*r, 0.2f*r, mat, color), 0, 0, 0.1f*r - r);
  P->U[3] = Moved(def_cylinder(24, 0.2f*r, r, mat, 0xffc0c0c0UL), 0, 0, -r/2);
  return P;
}

// four quarter wedges turned 0, 90, 180, 270 degrees, colours alternating
JwPrimitive JwDefWheel(float r, float w, int n, int mat, unsigned long color1,
                       unsigned long color2) {
  JwPrimitive P = JwNewPrimitive(JwWheelT, 4, nullptr);
  for (int k = 0; k < 4; k++) {
    JwUnit u = def_wheel(r, w, n, mat, k%2 ? color2 : color1);
    if (k > 0) {
      JwBgnEditUnit(u);
        JwEditRotate(900.0f*k, 'z');
      JwEndEditUnit();
    }
    P->U[k] = u;
  }
  return P;
}

// six edge cylinders, each turned from z onto its edge and moved to the edge's midpoint,
// and four corner spheres
JwPrimitive JwDefTetrahedron(float s, float r, int n, int mat, unsigned long color) {
  static const float corner[4][3] = {{1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}, {1, 1, 1}};
  static const int edge[6][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}, {0, 3}, {1, 2}};
  const float root2 = 1.4142135623730951f;
  JwPrimitive P = JwNewPrimitive(JwTetrahedronT, 10, nullptr);
  for (int e = 0; e < 6; e++) {
    const float* a = corner[edge[e][0]];
    const float* b = corner[edge[e][1]];
    // columns: x axis, y axis, z axis along the edge; all unit and right-handed
    float z[3] = {(b[0] - a[0])/(2*root2), (b[1] - a[1])/(2*root2), (b[2] - a[2])/(2*root2)};
    float x[3], y[3];
    float mid[3] = {(a[0] + b[0])/2*s, (a[1] + b[1])/2*s, (a[2] + b[2])/2*s};
    // x: the midpoint direction (perpendicular to the edge), y = z cross x
    float ml = sqrtf(mid[0]*mid[0] + mid[1]*mid[1] + mid[2]*mid[2]);
    for (int i = 0; i < 3; i++) x[i] = ml > 0 ? mid[i]/ml : (i == 0);
    y[0] = z[1]*x[2] - z[2]*x[1];  y[1] = z[2]*x[0] - z[0]*x[2];  y[2] = z[0]*x[1] - z[1]*x[0];
    float M[4][4] = {{x[0], y[0], z[0], 0}, {x[1], y[1], z[1], 0}, {x[2], y[2], z[2], 0},
                     {mid[0], mid[1], mid[2], 1}};
    JwUnit u = def_cylinder(n, r, 2*root2*s, mat, color);
    JwBgnEditUnit(u);
      JwEditTranslate(mid[0], mid[1], mid[2]);
      JwEditMultMatrix(M);
    JwEndEditUnit();
    P->U[e] = u;
  }
  for (int c = 0; c < 4; c++) {
    P->U[6 + c] = Moved(def_sphere(n/2, n/2, r, mat, color), corner[c][0]*s, corner[c][1]*s,
                        corner[c][2]*s);
  }
  return P;
}
