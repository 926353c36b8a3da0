// collide_local.h -- the collision model's records, shared by the files that build and query it
#ifndef VELMORA_COLLIDE_LOCAL_H
#define VELMORA_COLLIDE_LOCAL_H

#include "collide/collide.h"
#include "collide/collide_frames.h"
#include "collide/collide_shape.h"
#include "scene/workspace.h"   // for: WS_MAX

enum { CollidePieceMax = 3, CollideNoFrame = -1 };

// one shape of a body: placed at frame F[frame] (the world when CollideNoFrame) times L; a
// slide moves it by slide q[joint] along the frame's z first; a rod is a box of length |q|
typedef struct _CollidePiece_ {
  CollideShape s;
  int frame;
  double L[16];
  int joint;           // link index the slide or the rod follows, else -1
  double slide;
  int rod;             // 1: box of sides rod_w, rod_w, |q[joint]| centred at q / 2
  double rod_w[2];
} CollidePiece;

typedef struct _CollideBodyRec_ {
  CollideBody pub;
  int np;
  CollidePiece P[CollidePieceMax];
  int chain;           // position in the robot's chain (base 0, link i, effector n + 1)
  double lo[3], hi[3]; // world bounding box after the last placement
  // objects: what the mesh was built from
  int type;
  float info[3];
} CollideBodyRec;

struct _CollideModel_ {
  Robot r;
  int nr;                          // robot parts: base, links, end effector (payload apart)
  CollideBodyRec* part;            // nr of them
  CollideBodyRec payload;          // built from the payload tables when they change
  int pay_show, pay_type;
  float pay_radius;
  int nself;
  int (*self)[2];                  // pairs of parts tested against each other
  int nhome;
  int (*home)[2];                  // pairs left out: touching at the home pose
  CollideBodyRec* object[WS_MAX];  // the work-environment objects, built when first shown
  CollideBodyRec obstacle[4];      // spheres of radius Radius[e]
  CollideShape soi[4];             // spheres of influence
  CollideShape probe;              // a point, for the depth inside an obstacle
  CollideFrame* F;                 // the robot's frames at the last query
  float* q;                        // its joints, with those the model ties to others set
  int nlist;
  CollideBodyRec** list;           // the bodies of the last query: parts, payload, others
  int nrobot;                      // the first nrobot of them are the robot's (parts, payload)
  unsigned char* touched;          // robot body a touched list entry b: [a (list size) + b]
};

// distance of robot body a to body b (an obstacle is measured from its centre less its
// radius once they touch, so below 0 inside it)
double CollideBodyGap(CollideModel m, const CollideBodyRec* a, const CollideBodyRec* b);
// every piece of b placed from the frames, and b's bounding box
void CollidePlaceBody(CollideBodyRec* b, CollideFrame* F, const float* q);
// the scene tables into the model: shown objects (meshes rebuilt when changed) and obstacles
// placed, the payload rebuilt when its tables changed, and the body list of the query made
void CollideSyncScene(CollideModel m, const float* q);

#endif
