// collide_shape.h -- one placed collision shape (a triangle mesh, a sphere or a box) and the
// touch and distance tests between two of them; the collision library stays behind this header
#ifndef VELMORA_COLLIDE_SHAPE_H
#define VELMORA_COLLIDE_SHAPE_H

// a shape with its own placement; the record is the library's, reached only through here
typedef struct _CollideShape_ CollideShapeRec, *CollideShape;

// mesh of nt triangles over nv points (3 floats each, T holds 3 point indices per triangle),
// as a bounding-volume hierarchy; NULL when nt is 0
CollideShape CollideShapeMesh(const float* V, int nv, const int* T, int nt);
// sphere of radius r centred on its origin
CollideShape CollideShapeSphere(double r);
// box of sides x, y, z centred on its origin
CollideShape CollideShapeBox(double x, double y, double z);
// a box's sides or a sphere's radius (x) changed in place; other shapes are left alone
void CollideShapeResize(CollideShape s, double x, double y, double z);
// NULL does nothing
void CollideFreeShape(CollideShape s);

// placement: M is a rigid 4 x 4 transform, row-major, translation in M[3], M[7], M[11]
void CollidePlace(CollideShape s, const double M[16]);
// world bounding box of the placed shape
void CollideBounds(CollideShape s, double lo[3], double hi[3]);
// 1 when the placed shapes touch or overlap, else 0
int CollideTouch(CollideShape a, CollideShape b);
// smallest distance between placed shapes known not to touch (undefined when they do)
double CollideGap(CollideShape a, CollideShape b);
// smallest distance between the placed shapes and the nearest points (pa on a, pb on b,
// either may be NULL); 0 when they touch
double CollideDistance(CollideShape a, CollideShape b, double pa[3], double pb[3]);

#endif
