// obstacles.cpp -- the four moving obstacles and the carried payload: numbering, motion, and
// their spheres
#include "scene/obstacles.h"

#include "robot/app_state.h"            // for: the obstacle and payload tables
#include "graphics/primitives.h"  // for: JwDefSphere(), JwFreePrimitive()

#define SPHERE_DIV 40   // subdivisions of every sphere, both ways
#define SPHERE_MAT 3    // metal

//------------------------------------------------------------------ public API

int ClampObstacleNumber(double v) {
  if (!(v >= 1)) return 1;
  return v >= OBSTACLE_COUNT ? OBSTACLE_COUNT : (int)v;
}

int ObstacleEntry(int k) { return ClampObstacleNumber(k) - 1; }

void MoveObstacles(int point) {
  double t = 0.01*point;
  for (int e = 0; e < OBSTACLE_COUNT; e++)
    for (int k = 0; k < 3; k++)
      Obstacle_pos[e][k] = (float)(Obstacle_info[e][k] + t*Obstacle_info[e][3 + k]);
}

void RebuildObstacleSpheres(int e) {
  if (e < 0 || e >= OBSTACLE_COUNT) return;
  JwFreePrimitive(obs[e]);
  JwFreePrimitive(soi[e]);
  obs[e] = JwDefSphere(SPHERE_DIV, SPHERE_DIV, Radius[e], SPHERE_MAT, OBSTACLE_COLOR);
  soi[e] = JwDefSphere(SPHERE_DIV, SPHERE_DIV, Radius[e]*(1 + SOI[e]), SPHERE_MAT, SOI_COLOR);
}

void RebuildPayloadSphere(void) {
  JwFreePrimitive(pay);
  pay = JwDefSphere(SPHERE_DIV, SPHERE_DIV, Radius_pay, SPHERE_MAT, PAYLOAD_COLOR);
}
