// collisions.h -- the current robot's collision model and what the view shows of it: the
// highlight of touching bodies, the tint inside a sphere of influence, the message line
#ifndef VELMORA_GUI_COLLISIONS_H
#define VELMORA_GUI_COLLISIONS_H

#include "collide/collide.h"

struct _SceneView_;

// colours of a touching body and of a robot part inside a sphere of influence
#define COLLIDE_HIT_COLOR 0xff2020ffUL    // red
#define COLLIDE_WARN_COLOR 0xff00b4ffUL   // amber

// the model of the current robot R, built at its load (a robot-load rebuild) and built again
// when its bodies or its end effector were remade; NULL without a robot
CollideModel CurrentCollideModel(void);
// drop the model and build the current robot's
void CollisionsNewRobot(void);

// the "Check collisions" switch: until the user sets it, it follows the scene (on while a
// work-environment object or an obstacle is shown); SetCollisionsSwitch is the user's choice
// (1 on, 0 off; below 0 follows the scene again)
void SetCollisionsSwitch(int on);
int CollisionsSwitch(void);

// before a frame: the check of the current pose, its tints into v, and the message line
// naming the first touching pair (cleared again once nothing touches)
void CollisionsForFrame(struct _SceneView_* v);
// the clearance of the current pose and its pair ("Link 3, Table 1") into pair (size n);
// CollideFar with nothing else in the scene or with the check off
double CurrentClearance(char* pair, int n);

#endif
