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

// "Avoid obstacles": while on, the redundant solver keeps the current robot's parts out of
// the spheres of influence (through the current model, also after a load or a rebuild)
void SetAvoidObstacles(int on);
int AvoidObstacles(void);

// before a frame: the check of the current pose, its tints into v, and the message line
// naming the first touching pair (cleared again once nothing touches)
void CollisionsForFrame(struct _SceneView_* v);
// the clearance of the current pose and its pair ("Link 3, Table 1") into pair (size n);
// CollideFar with nothing else in the scene or with the check off
double CurrentClearance(char* pair, int n);

// playback: each point posed by a running trajectory is checked until one touches, which is
// reported once on the message line ("Point 12: Link 3 touches Table 1", the point index as
// the plot counts it). While the run lasts, and after it until the robot moves, the frames
// leave the line alone; a run ends when no trajectory plays any more
void CollisionsRunPoint(int point);

// the trajectory plot's measure (TrajClearanceProc): the clearance of R at q, with the
// obstacles where point `point` of a joint trajectory puts them (a Cartesian one leaves them
// where they are); NAN with the check off, or with nothing touching and nothing else shown
double PlotClearance(Robot r, const float* q, int point, int cartesian, int* touching);
// a number that changes whenever something the clearance depends on besides the joints
// changes: the switch, the obstacles, the work environment, the payload, the robot's bodies
unsigned long CollisionsSceneStamp(void);

#endif
