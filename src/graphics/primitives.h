// primitives.h -- parametric solids: mesh records, constructors, edit transforms, drawing
//
// A solid (_JwPrimitive_) is a list of meshes (_JwUnit_). Meshes are built and edited without
// any OpenGL context: the edit transforms compose their matrices directly with the conventions
// of the GL matrix stack (each call post-multiplies, so the call made last acts first on the
// vertices; normals are rotated, never scaled or moved) and bake them into the mesh data.
//
// Drawing dispatch. The headless core cannot reference GL code, so every unit records its
// mesh kind (`kind`, one of _JwDrawKind_). The core walks a unit's emission sequence
// (JwEmitUnit: begin / normal / vertex / end calls into a JwEmitterRec), and keeps a table of
// drawing functions indexed by kind that starts empty. The drawing library fills the table
// (JwInitDrawing in primitives_gl.cpp, run by a static initialiser of that file, so before
// main() in any program that draws): each draw_<shape> selects material and colour, then
// emits through glBegin / glNormal3fv / glVertex3fv / glEnd. A unit's `Proc` is taken from
// the table when the unit is built; JwDrawUnit binds any unit whose `Proc` is still NULL.
// A headless program never fills the table. Tests read the emission sequence through their
// own emitter.
#ifndef VELMORA_PRIMITIVES_H
#define VELMORA_PRIMITIVES_H

#include "graphics/jwtypes.h"

//------------------------------------------------------------------ records

typedef enum _PrimitiveType_ {
  JwCylinderT = 1, JwPivotT = 2, JwPrismT = 3, JwToroidT = 4, JwConeT = 5, JwSphereT = 6,
  JwSectorT = 7, JwCylFilletT = 8, JwRingT = 9, JwSquareRingT = 10, JwArcT = 11,
  JwSupportT = 12, JwDishT = 13, JwStumpT = 14, JwElbowT = 15, JwElbowPRT = 16, JwFlatT = 17,
  JwBoxT = 18, JwTamsellGripperHT = 19, JwTamsellGripperF1T = 20, JwTamsellGripperF2T = 21,
  JwSphereCurveT = 22, JwUJointRT = 23, JwGussetT = 24, JwHemiSphereT = 25, JwMotorT = 26,
  JwPrismFilletT = 27, JwFlatCylinderT = 28, JwPyrT = 29, JwLompT = 30, JwWireT = 31,
  JwWheelT = 32, JwTetrahedronT = 33
} JwPrimitiveType;

// mesh kinds: one drawing function each
typedef enum _JwDrawKind_ {
  JwDrawNone = 0, JwDrawCylinder, JwDrawPivot, JwDrawToroid, JwDrawPrism, JwDrawCone,
  JwDrawSphere, JwDrawHemiSphere, JwDrawSector, JwDrawCylFillet, JwDrawPrismFillet, JwDrawRing,
  JwDrawSquareRing, JwDrawArc, JwDrawDish, JwDrawStump, JwDrawElbow, JwDrawElbowPR, JwDrawWire,
  JwDrawFlatCylinder, JwDrawSphereCurve, JwDrawFlat, JwDrawGusset, JwDrawPyr, JwDrawLomp,
  JwDrawWheel, JwDrawKindCount
} JwDrawKind;

struct _JwUnit_;
typedef void (*JwDrawProc)(struct _JwUnit_* u);

// one mesh: 4 floats per vertex (w = 1) and per normal (x, y, z, 1)
typedef struct _JwUnit_ {
  float* V;            // nv vertices
  int nv;
  float* N;            // nn normals (a flat also keeps its point flags after them)
  int nn;
  int n, m, p;         // resolution parameters; -1 where unused
  int mat;             // material display-list number
  unsigned long color; // packed colour
  JwDrawProc Proc;     // drawing function of this mesh kind; NULL until drawing is set up
  int kind;            // mesh kind (_JwDrawKind_), selects the emission sequence
} JwUnitRec, *JwUnit;

// one solid: nu units drawn in order, and the shape's parameter record (or NULL)
typedef struct _JwPrimitive_ {
  JwPrimitiveType type;
  int nu;
  JwUnit* U;
  void* spec;
} JwPrimitiveRec;

// parameter records (floats, lengths in the caller's unit, angles in degrees)
typedef struct _JwCylinder_ { float r, h; } JwCylinderRec, *JwCylinder;
typedef struct _JwFlatCylinder_ { float r, h; } JwFlatCylinderRec, *JwFlatCylinder;
typedef struct _JwCone_ { float r, h; } JwConeRec, *JwCone;
typedef struct _JwSphere_ { float r; } JwSphereRec, *JwSphere;
typedef struct _JwHemiSphere_ { float r; } JwHemiSphereRec, *JwHemiSphere;
typedef struct _JwPivot_ { float r, h, w; } JwPivotRec, *JwPivot;
typedef struct _JwToroid_ { float ang, R, r; } JwToroidRec, *JwToroid;
typedef struct _JwDish_ { float ang, R, r; } JwDishRec, *JwDish;
typedef struct _JwPrism_ { float x, y, z; } JwPrismRec, *JwPrism;
typedef struct _JwBox_ { float x, y, z; } JwBoxRec, *JwBox;
typedef struct _JwSector_ { float r, ang, h; } JwSectorRec, *JwSector;
typedef struct _JwArc_ { float r, ang, h; } JwArcRec, *JwArc;
typedef struct _JwCylFillet_ { float r, h, r1, r2; } JwCylFilletRec, *JwCylFillet;
typedef struct _JwPrismFillet_ { float x, y, z, r; } JwPrismFilletRec, *JwPrismFillet;
typedef struct _JwRing_ { float R, r, h; } JwRingRec, *JwRing;
typedef struct _JwStump_ { float R, r, h; } JwStumpRec, *JwStump;
typedef struct _JwSquareRing_ { float r, x, y, z; } JwSquareRingRec, *JwSquareRing;
typedef struct _JwSupport_ { float r, w; } JwSupportRec, *JwSupport;
typedef struct _JwElbow_ { float R, r; } JwElbowRec, *JwElbow;
typedef struct _JwElbowPR_ { float R, r; } JwElbowPRRec, *JwElbowPR;
typedef struct _JwFlat_ { float w; } JwFlatRec, *JwFlat;
typedef struct _JwSphereCurve_ { float r, h, w, ang; } JwSphereCurveRec, *JwSphereCurve;
typedef struct _JwTamsellGripperH_ { float h, w; } JwTamsellGripperHRec, *JwTamsellGripperH;
typedef struct _JwTamsellGripperHFR_ {
  float h, w;
} JwTamsellGripperHFRRec, *JwTamsellGripperHFR;
typedef struct _JwTamsellGripperF1_ { float w; } JwTamsellGripperF1Rec, *JwTamsellGripperF1;
typedef struct _JwTamsellGripperF2_ { float w; } JwTamsellGripperF2Rec, *JwTamsellGripperF2;
typedef struct _JwUJointR_ { float r, t, h1, h2, len; } JwUJointRRec, *JwUJointR;
typedef struct _JwUJointRPinIn_ {
  float r, t, h1, h2, len, tp;
} JwUJointRPinInRec, *JwUJointRPinIn;
typedef struct _JwUJointRPinOut_ {
  float r, t, h1, h2, len, tp;
} JwUJointRPinOutRec, *JwUJointRPinOut;
typedef struct _JwGusset_ { float a, b, t; } JwGussetRec, *JwGusset;
typedef struct _JwMotor_ { float r, len, h; } JwMotorRec, *JwMotor;
typedef struct _JwPyr_ { float x1, y1, x2, y2, h; } JwPyrRec, *JwPyr;

//------------------------------------------------------------------ constructors
// Each returns a new solid; mat and color go into every unit unless the shape fixes them.

// closed cylinder about z, z from -h/2 to h/2
JwPrimitive JwDefCylinder(int n, float r, float h, int mat, unsigned long color);
// lug: half disc radius r (y >= 0) on a 2r by h block reaching y = -h; z from -w/2 to w/2
JwPrimitive JwDefPivot(int n, float r, float h, float w, int mat, unsigned long color);
// torus part about z: tube r, centre line R, swept from +x through ang degrees in m steps
JwPrimitive JwDefToroid(int n, int m, float ang, float R, float r, int mat, unsigned long color);
// box centred on the origin
JwPrimitive JwDefPrism(float x, float y, float z, int mat, unsigned long color);
// base disc radius r at z = 0, apex (0, 0, h)
JwPrimitive JwDefCone(int n, float r, float h, int mat, unsigned long color);
// sphere: m latitude bands, n segments around
JwPrimitive JwDefSphere(int m, int n, float r, int mat, unsigned long color);
// upper half sphere with its base disc: m bands from the equator, n around
JwPrimitive JwDefHemiSphere(int m, int n, float r, int mat, unsigned long color);
// pie slice of a cylinder from angle 0 to ang degrees
JwPrimitive JwDefSector(int n, float ang, float r, float h, int mat, unsigned long color);
// cylinder with rounded rims (fillet radii r1 top, r2 bottom)
JwPrimitive JwDefCylFillet(int n, float r, float h, float r1, float r2, int mat,
                           unsigned long color);
// box whose four edges parallel to z are rounded with radius r
JwPrimitive JwDefPrismFillet(int n, float x, float y, float z, float r, int mat,
                             unsigned long color);
// tube: outer radius R, inner radius r, z from -h/2 to h/2
JwPrimitive JwDefRing(int n, float R, float r, float h, int mat, unsigned long color);
// x by y plate of thickness z with a central round hole of radius r
JwPrimitive JwDefSquareRing(int n, float r, float x, float y, float z, int mat,
                            unsigned long color);
// circular segment bulging to +x from its chord in the plane x = 0, z from -h/2 to h/2
JwPrimitive JwDefArc(int n, float ang, float r, float h, int mat, unsigned long color);
// bearing support: ring, bar, two feet and two arcs
JwPrimitive JwDefSupport(int n, float r, float w, int mat, unsigned long color);
// spherical shell (outer R, inner r) cut by a plane: a bowl of opening angle ang
JwPrimitive JwDefDish(int m, int n, float ang, float R, float r, int mat, unsigned long color);
// truncated cone: radius R at z = 0, r at z = h
JwPrimitive JwDefStump(int n, float R, float r, float h, int mat, unsigned long color);
// quarter-torus pipe bend from the plane x = -R (pipe along x) to the plane z = R
JwPrimitive JwDefElbow(int n, float R, float r, int mat, unsigned long color);
// the same bend made of straight mitred pieces with blended normals, closed by end discs
JwPrimitive JwDefElbowPR(int n, float R, float r, int mat, unsigned long color);
// tube of radius r along the natural cubic spline through np points (k and pts[i][3] unused)
JwPrimitive JwDefWire(int n, float pts[][4], int np, float r, float k, int mat,
                      unsigned long color);
// n-sided prism inscribed in the cylinder, one flat normal per facet
JwPrimitive JwDefFlatCylinder(int n, float r, float h, int mat, unsigned long color);
// curved slab: annular sector, outer radius r (m segments), inner r - h (n segments),
// spanning ang degrees about +x, z from -w/2 to w/2
JwPrimitive JwDefSphereCurve(int m, int n, float r, float h, float w, float ang, int mat,
                             unsigned long color);
// convex counter-clockwise outline of n points extruded along z from -w/2 to w/2;
// flags: 0 smooth point, 1 sharp corner (flat side follows), 2 corner starting a curved run
JwPrimitive JwDefFlat(int n, float pts[][2], int* flags, float w, int mat, unsigned long color);
// right-triangular web: legs a along x and b along z, thickness t along y
JwPrimitive JwDefGusset(float a, float b, float t, int mat, unsigned long color);
// box standing on the xy plane
JwPrimitive JwDefBox(float x, float y, float z, int mat, unsigned long color);
// gripper hand of size s, and its variant with a wide base
JwPrimitive JwDefTamsellGripperH(float s, int mat, unsigned long color);
JwPrimitive JwDefTamsellGripperHFR(float s, int mat, unsigned long color);
// gripper fingers of size s
JwPrimitive JwDefTamsellGripperF1(float s, int mat, unsigned long color);
JwPrimitive JwDefTamsellGripperF2(float s, int mat, unsigned long color);
// universal-joint fork: two lugs, bridge and pin; the variants carry two pin stubs
JwPrimitive JwDefUJointR(int n, float r, float t, float h1, float h2, float len, int mat,
                         unsigned long color);
JwPrimitive JwDefUJointRPinIn(int n, float r, float t, float h1, float h2, float len, float tp,
                              int mat, unsigned long color);
JwPrimitive JwDefUJointRPinOut(int n, float r, float t, float h1, float h2, float len,
                               float tp, int mat, unsigned long color);
// motor: filleted body, face plate, ring and shaft along -z
JwPrimitive JwDefMotor(float r, float len, float h, int mat, unsigned long color);
// frustum: x1 by y1 rectangle at z = 0, x2 by y2 rectangle at z = h
JwPrimitive JwDefPyr(float x1, float y1, float x2, float y2, float h, int mat,
                     unsigned long color);
// solid between two n-point outlines T (top) and B, T_i joined to B_i
JwPrimitive JwDefLomp(float T[][3], float B[][3], int n, int mat, unsigned long color);
// disc of radius r, thickness w, four quarter wedges of n segments in two colours
JwPrimitive JwDefWheel(float r, float w, int n, int mat, unsigned long color1,
                       unsigned long color2);
// wire-frame tetrahedron with corners (s,-s,-s), (-s,s,-s), (-s,-s,s), (s,s,s)
JwPrimitive JwDefTetrahedron(float s, float r, int n, int mat, unsigned long color);

//------------------------------------------------------------------ mesh builders
JwUnit def_cylinder(int n, float r, float h, int mat, unsigned long color);
JwUnit def_pivot(int n, float r, float h, float w, int mat, unsigned long color);
JwUnit def_toroid(int n, int m, float ang, float R, float r, int mat, unsigned long color);
JwUnit def_prism(float x, float y, float z, int mat, unsigned long color);
JwUnit def_cone(int n, float r, float h, int mat, unsigned long color);
JwUnit def_sphere(int m, int n, float r, int mat, unsigned long color);
JwUnit def_hemisphere(int m, int n, float r, int mat, unsigned long color);
JwUnit def_sector(int n, float ang, float r, float h, int mat, unsigned long color);
JwUnit def_cylfillet(int n, float r, float h, float r1, float r2, int mat, unsigned long color);
JwUnit def_prismfillet(int n, float x, float y, float z, float r, int mat, unsigned long color);
JwUnit def_ring(int n, float R, float r, float h, int mat, unsigned long color);
JwUnit def_squarering(int n, float r, float x, float y, float z, int mat, unsigned long color);
JwUnit def_arc(int n, float ang, float r, float h, int mat, unsigned long color);
JwUnit def_dish(int m, int n, float ang, float R, float r, int mat, unsigned long color);
JwUnit def_stump(int n, float R, float r, float h, int mat, unsigned long color);
JwUnit def_elbow(int n, float R, float r, int mat, unsigned long color);
JwUnit def_elbowpr(int n, float R, float r, int mat, unsigned long color);
JwUnit def_wire(int n, float pts[][4], int np, float r, float k, int mat, unsigned long color);
JwUnit def_flatcylinder(int n, float r, float h, int mat, unsigned long color);
JwUnit def_spherecurve(int m, int n, float r, float h, float w, float ang, int mat,
                       unsigned long color);
JwUnit def_flat(int n, float pts[][2], int* flags, float w, int mat, unsigned long color);
JwUnit def_gusset(float a, float b, float t, int mat, unsigned long color);
JwUnit def_pyr(float x1, float y1, float x2, float y2, float h, int mat, unsigned long color);
JwUnit def_lomp(float T[][3], float B[][3], int n, int mat, unsigned long color);
// quarter-disc wedge of the wheel: radius r, thickness w, angle 0 to 90 degrees
JwUnit def_wheel(float r, float w, int n, int mat, unsigned long color);

// a unit of the given kind with nv vertices and nn normals (plus extra floats after the
// normals), all zero; resolution parameters -1
JwUnit JwNewUnit(int kind, int nv, int nn, int extra, int mat, unsigned long color);
// a primitive of the given type with nu empty unit slots and the parameter record spec
JwPrimitive JwNewPrimitive(JwPrimitiveType type, int nu, void* spec);

//------------------------------------------------------------------ freeing
// N, V, then the unit; NULL does nothing
void JwFreeUnit(JwUnit u);
// spec, every unit, U, then the primitive; NULL does nothing
void JwFreePrimitive(JwPrimitive P);

//------------------------------------------------------------------ edit transforms
// Between a begin and its end, each call post-multiplies the vertex matrix (and, for
// rotations, the normal matrix); the end bakes them into the mesh. One edit open at a time.
void JwBgnEditPrimitive(JwPrimitive P);
void JwEndEditPrimitive(void);
void JwBgnEditUnit(JwUnit u);
void JwEndEditUnit(void);
// vertex matrix *= T(x, y, z)
void JwEditTranslate(float x, float y, float z);
// vertex matrix *= S(x, y, z); normals keep their length
void JwEditScale(float x, float y, float z);
// both matrices *= rotation of a/10 degrees about 'x', 'y' or 'z'
void JwEditRotate(float a, char axis);
// both matrices *= rotation of a degrees about 'x', 'y' or 'z'
void JwEditRot(float a, char axis);
// both matrices *= the upper-left 3 x 3 of m (element (i, j) = m[i][j]); translation unused
void JwEditMultMatrix(float m[4][4]);
// v = M v; M in OpenGL element order (element (i, j) at flat index 4j + i, i.e. M[j][i])
void transform(float M[4][4], float* v);

//------------------------------------------------------------------ helpers
// out = normalise((1 - t) a + t b) over x, y, z
void BlendNormal(float* out, float* a, float* b, float t);

//------------------------------------------------------------------ emission (headless)
// GL primitive modes used by the solids (the values are OpenGL's)
enum { JwPolygonMode = 9, JwQuadStripMode = 8, JwTriangleStripMode = 5 };

// receiver of a unit's drawing sequence
typedef struct _JwEmitter_ {
  void (*Begin)(unsigned int mode);
  void (*Normal)(const float* n);
  void (*Vertex)(const float* v);
  void (*End)(void);
} JwEmitterRec, *JwEmitter;

// the begin / normal / vertex / end calls that draw u, without material selection
void JwEmitUnit(JwUnit u, const JwEmitterRec* e);
// 1 when kind selects its own material and colour, 0 when it takes the current ones
int JwKindSetsMaterial(int kind);

// drawing table: filled by JwInitDrawing (drawing library); NULL entries until then
void JwSetDrawProc(int kind, JwDrawProc proc);
JwDrawProc JwGetDrawProc(int kind);

//------------------------------------------------------------------ drawing (primitives_gl.cpp)
// fill the drawing table with the draw_ functions; repeated calls do nothing
void JwInitDrawing(void);
// U[i]->Proc(U[i]) for every unit in order; the modelview matrix is not touched
void JwDrawPrimitive(JwPrimitive P);
// one unit through its drawing function
void JwDrawUnit(JwUnit u);
// drawing aid: a cyan point at p and a line from p (cyan) to p + nrm (red)
void ShowNormal(float* p, float* nrm);

void draw_cylinder(JwUnit u);
void draw_pivot(JwUnit u);
void draw_toroid(JwUnit u);
void draw_prism(JwUnit u);
void draw_cone(JwUnit u);
void draw_sphere(JwUnit u);
void draw_hemisphere(JwUnit u);
void draw_sector(JwUnit u);
void draw_cylfillet(JwUnit u);
void draw_prismfillet(JwUnit u);
void draw_ring(JwUnit u);
void draw_squarering(JwUnit u);
void draw_arc(JwUnit u);
void draw_dish(JwUnit u);
void draw_stump(JwUnit u);
void draw_elbow(JwUnit u);
void draw_elbowpr(JwUnit u);
void draw_wire(JwUnit u);
void draw_flatcylinder(JwUnit u);
void draw_spherecurve(JwUnit u);
void draw_flat(JwUnit u);
void draw_gusset(JwUnit u);
void draw_pyr(JwUnit u);
void draw_lomp(JwUnit u);
void draw_wheel(JwUnit u);

#endif
