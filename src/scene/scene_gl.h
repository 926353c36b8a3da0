// scene_gl.h -- the scene walk: floor, a model's cell, work environment, robot with its end
// effector and payload, obstacles and trajectories; the view, the export dialog, the figure
// command and the gallery all draw through it
#ifndef VELMORA_SCENE_GL_H
#define VELMORA_SCENE_GL_H

#include "robot/robot.h"

// floor colour of every frame
#define SCENE_FLOOR_COLOR 0xff698080UL

// what one frame shows; SceneOfState fills it from the application state
typedef struct _SceneView_ {
  Robot robot;                        // NULL: floor, environment and obstacles only
  float* q;                           // the robot's n joint values (a model's hook may set one)
  const CartesianTrajectory* ct;      // NULL or inactive: no Cartesian path
  const JointTrajectory* jt;          // NULL or inactive: no joint path
  int inertial_axes, joint_axes, flange_axes, ee_axes;  // world, joint, last link, tool frames
  int cell;                           // the model's demonstration cell ("Scene")
  int user_axes;                      // the user frame marker on object coord_id
  // colours that replace a body's own (0: its own; NULL: all their own): the robot's parts
  // (base, link 1 ... link n, end effector, payload: n + 3), the work-environment objects by
  // table entry (WS_MAX), the four obstacles
  const JwColor* part_tint;
  const JwColor* object_tint;
  const JwColor* obstacle_tint;
} SceneView;

// v from R, JC, CT, JT and the Show... flags; user_axes as given
void SceneOfState(SceneView* v, int user_axes);

// the whole scene in the current modelview, the lights already on: floor, cell, work
// environment, robot, obstacles, trajectories. Returns 1 when the scene asks for another
// frame (a cell that moves), else 0
int DrawScene(const SceneView* v);

// 20 by 20 cells of side s (the robot's avg_len, 0.5 without one) centred at the origin in
// z = 0, in color lit as every line is (JwLineMaterial), whatever was drawn before
void DrawSceneFloor(Robot robot, unsigned long color);
// the robot posed at v->q with the frames v asks for, the held part and the payload; the
// modelview is restored after
void DrawSceneRobot(const SceneView* v);
// a trajectory's path and frames (every 20th point for a Cartesian one, every 10th for a joint
// one, not on the first or last); nothing unless active
void DrawSceneCTraj(const CartesianTrajectory* ct);
void DrawSceneJTraj(const JointTrajectory* jt);

// line width and point size on screen and in an exported figure (gl2ps keeps its own)
void SceneLineWidth(float w);
void ScenePointSize(float s);

#endif
