// collide.h -- collision and clearance of the robot with itself, the work environment and the
// obstacles
//
// A collision model is built once per robot (at load, or after its bodies are rebuilt) from
// the vertex arrays of the solids the view draws: one body per robot part (the base, link 1
// ... link n, the end effector, the payload), each a triangle mesh in the frame its solids
// are drawn in. The shown work-environment objects become meshes too, rebuilt only when an
// object's type or dimensions change; the four obstacles are spheres of their radius, and
// their spheres of influence (radius times 1 + SOI) a warning zone that never counts as a
// touch. Self-collision is tested between robot parts that are not neighbours in the chain,
// leaving out the pairs that already touch at the home pose.
#ifndef VELMORA_COLLIDE_H
#define VELMORA_COLLIDE_H

#include "robot/robot.h"

enum CollideKind {
  CollideBase = 0, CollideLink, CollideEffector, CollidePayload, CollideObject, CollideObstacle
};

// one body of the model; robot parts first, in chain order, then objects, then obstacles
typedef struct _CollideBody_ {
  int kind;            // CollideKind
  int index;           // link 1 ... n, object table entry, obstacle table entry; else 0
  char name[48];       // "Base", "Link 3", "End effector", "Payload", "Table 1", "Obstacle 2"
  int hit;             // the last check found it touching something
  int warn;            // robot parts: inside a sphere of influence at the last check
} CollideBody;

// what a check or a clearance query found
typedef struct _CollideReport_ {
  int touching;        // pairs that touch
  int first_a, first_b;        // bodies of the first touching pair (robot part first), or -1
  char message[112];   // "Link 3 touches Table 1", or "" when nothing touches
  int warned;          // robot parts inside a sphere of influence
  double clearance;    // smallest distance between a robot part and anything else (0 when
                       // touching, below 0 inside an obstacle); CollideFar when nothing else
  int near_a, near_b;  // the closest pair, or -1
} CollideReport;

#define CollideFar 1e30   // the clearance with nothing but the robot in the scene

typedef struct _CollideModel_ CollideModelRec, *CollideModel;

//------------------------------------------------------------------ the model
// the robot's bodies from its solids (generic bodies, or the built-in model's solids; the
// default or chosen end effector; the payload as the payload tables say at each query) and
// the self-collision pairs: not neighbours, and apart at the home pose
CollideModel CollideBuild(Robot r);
// everything the model holds; NULL does nothing
void CollideFree(CollideModel m);
// bodies after the last query (the objects and obstacles follow the scene tables)
int CollideBodyCount(CollideModel m);
const CollideBody* CollideGetBody(CollideModel m, int k);
// the self-collision pairs left out because they touch at the home pose: up to max pairs of
// body indices into pairs; their count
int CollideHomePairs(CollideModel m, int (*pairs)[2], int max);

//------------------------------------------------------------------ queries
// bodies placed at joint values q (the robot's n), the objects and obstacles by the scene
// tables (ShowWorkspace, ShowObstacle, Obstacle_pos, Radius, SOI, the payload tables); the
// touching pairs counted, each body's hit and warn flags set, the first pair named; returns
// the number of touching pairs (0 with the check switched off)
int CollideCheck(CollideModel m, const float* q, CollideReport* rep);
// as CollideCheck, then the clearance and the closest pair; returns the clearance
double CollideClearance(CollideModel m, const float* q, CollideReport* rep);

//------------------------------------------------------------------ obstacle avoidance
// how deep the robot's parts reach into the spheres of influence at joints q:
// P = sum over parts a and shown obstacles e of max(0, z_e - d_ae)^2, with z_e = Radius SOI
// the depth of the zone around sphere e and d_ae the part's distance to the sphere (below 0
// inside it, as the clearance); 0 when every part is outside every zone
double CollideAvoidPotential(CollideModel m, const float* q);
// "Avoid obstacles": the redundant solver's null-space goal becomes P of m's robot (its
// gradient by central differences of 0.05 degree, or 1e-4 avg_len for a slide); NULL: off
void SetCollideAvoid(CollideModel m);
CollideModel GetCollideAvoid(void);

//------------------------------------------------------------------ settings
// the "Check collisions" switch: 1 checks, 0 makes every check report nothing (off at start)
void SetCollideCheck(int on);
int GetCollideCheck(void);

#endif
