// collide_shape.cpp -- one placed collision shape (a triangle mesh, a sphere or a box) and the
// touch and distance tests between two of them, on the collision library
#include "collide/collide_shape.h"

#include <fcl/fcl.h>   // for: BVHModel, Sphere, Box, CollisionObject, collide(), distance()
#include <memory>      // for: std::shared_ptr (the library's geometry handle)
#include <vector>      // for: the library's mesh input

//------------------------------------------------------------------ the record
enum { ShapeMesh = 0, ShapeSphere = 1, ShapeBox = 2 };

struct _CollideShape_ {
  int kind;
  std::shared_ptr<fcl::CollisionGeometryd> geom;
  fcl::CollisionObjectd* obj;
};

//------------------------------------------------------------------ static helpers

static CollideShape NewShape(int kind, const std::shared_ptr<fcl::CollisionGeometryd>& g) {
  CollideShape s = new _CollideShape_;
  s->kind = kind;
  s->geom = g;
  s->geom->computeLocalAABB();
  s->obj = new fcl::CollisionObjectd(g);
  return s;
}

//------------------------------------------------------------------ public API

CollideShape CollideShapeMesh(const float* V, int nv, const int* T, int nt) {
  if (nt <= 0 || nv <= 0) return nullptr;
  std::vector<fcl::Vector3d> pts((size_t)nv);
  std::vector<fcl::Triangle> tri((size_t)nt);
  for (int i = 0; i < nv; i++) pts[i] = fcl::Vector3d(V[3*i], V[3*i + 1], V[3*i + 2]);
  for (int i = 0; i < nt; i++) tri[i] = fcl::Triangle(T[3*i], T[3*i + 1], T[3*i + 2]);
  auto m = std::make_shared<fcl::BVHModel<fcl::OBBRSSd>>();
  m->beginModel(nt, nv);
  m->addSubModel(pts, tri);
  m->endModel();
  return NewShape(ShapeMesh, m);
}

CollideShape CollideShapeSphere(double r) {
  return NewShape(ShapeSphere, std::make_shared<fcl::Sphered>(r));
}

CollideShape CollideShapeBox(double x, double y, double z) {
  return NewShape(ShapeBox, std::make_shared<fcl::Boxd>(x, y, z));
}

void CollideShapeResize(CollideShape s, double x, double y, double z) {
  if (!s) return;
  if (s->kind == ShapeSphere) ((fcl::Sphered*)s->geom.get())->radius = x;
  else if (s->kind == ShapeBox) ((fcl::Boxd*)s->geom.get())->side = fcl::Vector3d(x, y, z);
  else return;
  s->geom->computeLocalAABB();
  s->obj->computeAABB();
}

void CollideFreeShape(CollideShape s) {
  if (!s) return;
  delete s->obj;
  delete s;
}

void CollidePlace(CollideShape s, const double M[16]) {
  fcl::Matrix3d Rm;
  Rm << M[0], M[1], M[2], M[4], M[5], M[6], M[8], M[9], M[10];
  s->obj->setTransform(Rm, fcl::Vector3d(M[3], M[7], M[11]));
  s->obj->computeAABB();
}

void CollideBounds(CollideShape s, double lo[3], double hi[3]) {
  const fcl::AABBd& b = s->obj->getAABB();
  for (int k = 0; k < 3; k++) { lo[k] = b.min_[k];  hi[k] = b.max_[k]; }
}

int CollideTouch(CollideShape a, CollideShape b) {
  fcl::CollisionRequestd rq;
  fcl::CollisionResultd rs;
  fcl::collide(a->obj, b->obj, rq, rs);
  return rs.isCollision() ? 1 : 0;
}

double CollideGap(CollideShape a, CollideShape b) {
  fcl::DistanceRequestd rq;
  fcl::DistanceResultd rs;
  fcl::distance(a->obj, b->obj, rq, rs);
  return rs.min_distance < 0 ? 0 : rs.min_distance;
}

// the library leaves the distance of touching meshes undefined, so touching is asked first
double CollideDistance(CollideShape a, CollideShape b, double pa[3], double pb[3]) {
  if (CollideTouch(a, b)) {
    if (pa || pb) {
      fcl::CollisionRequestd rq(1, true);
      fcl::CollisionResultd rs;
      fcl::collide(a->obj, b->obj, rq, rs);
      fcl::Vector3d p = rs.numContacts() ? rs.getContact(0).pos : a->obj->getTranslation();
      for (int k = 0; k < 3; k++) {
        if (pa) pa[k] = p[k];
        if (pb) pb[k] = p[k];
      }
    }
    return 0;
  }
  fcl::DistanceRequestd rq(pa || pb);
  fcl::DistanceResultd rs;
  fcl::distance(a->obj, b->obj, rq, rs);
  for (int k = 0; k < 3; k++) {
    if (pa) pa[k] = rs.nearest_points[0][k];
    if (pb) pb[k] = rs.nearest_points[1][k];
  }
  return rs.min_distance < 0 ? 0 : rs.min_distance;
}
