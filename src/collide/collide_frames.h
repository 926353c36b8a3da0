// collide_frames.h -- the frames the drawing walk places a robot's bodies in, without drawing
#ifndef VELMORA_COLLIDE_FRAMES_H
#define VELMORA_COLLIDE_FRAMES_H

#include "robot/robot.h"

// a rigid transform, row-major 4 x 4, translation in elements 3, 7 and 11
typedef double CollideFrame[16];

// frames of robot r at joint values q, 2 n + 2 of them, in the world (the base frame):
//   F[2 i]     link i's frame before its joint moves (the base frame for i = 0)
//   F[2 i + 1] the frame link i's bodies are drawn in once its joint has moved
//   F[2 n]     the last link frame (the flange)
//   F[2 n + 1] the tool frame: flange times Qee for the full geometry, else the flange
// with the drawing walk's steps: revolute Rz(q) then T(a, 0, b) Rx(al); prismatic Rz(th)
// T(0, 0, q), then T(a, 0, 0) Rx(al) (the full geometry skips T(a, 0, 0) on the last link);
// the first link of a model with a first_offset in its registry row takes that correction
void CollideRobotFrames(Robot r, const float* q, CollideFrame* F);
// number of frames CollideRobotFrames fills
int CollideFrameCount(Robot r);

// C = A B; C may be A or B
void CollideFrameMul(const double* A, const double* B, double* C);
// M = identity
void CollideFrameIdentity(double* M);
// M = T(x, y, z)
void CollideFrameTranslation(double* M, double x, double y, double z);
// M = rotation of deg degrees about axis 0 (x), 1 (y) or 2 (z)
void CollideFrameRotation(double* M, double deg, int axis);

#endif
