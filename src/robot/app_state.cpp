// app_state.cpp -- the application-wide state every panel shares, at its start-up values
#include "robot/app_state.h"

#include <stdlib.h>  // for: free()

#include "matrix/matrix.h"

//------------------------------------------------------------------ current robot
Robot R = nullptr;
JointConfig JC = nullptr;
CartesianConfig CC = nullptr;
JointConfig PP2 = nullptr;
JointTrajectory JT = {0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr};
CartesianTrajectory CT = {0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr};

//------------------------------------------------------------------ display flags
int ShowInertialAxes = 1;
int ShowJointAxes = 0;
int ShowFlangeAxes = 0;
int ShowEEAxes = 1;
int ShowScene = 0;

//------------------------------------------------------------------ obstacles (1..4)
int ShowObstacle[5] = {0, 0, 0, 0, 0};
float Obstacle_info[5][6] = {{0}};
float Obstacle_pos[5][3] = {{0}};
float Radius[5] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
float SOI[5] = {0.2f, 0.2f, 0.2f, 0.2f, 0.2f};
int Obstacle_Active = 1;
JwPrimitive obs[4] = {nullptr, nullptr, nullptr, nullptr};
JwPrimitive soi[4] = {nullptr, nullptr, nullptr, nullptr};

//------------------------------------------------------------------ payload
int ShowPayload = 0;
int TypePayload = 1;
float Payload_info[3] = {0.0f, 0.0f, 0.0f};
float Radius_pay = 1.0f;
JwPrimitive pay = nullptr;
struct _Thing_* pay_bat = nullptr;

//------------------------------------------------------------------ view and messages
double scale = 0.0;
int ErrStatus = 0;

//------------------------------------------------------------------ reader results
double m_homogenous_length = 0.0;
double m_maximum_reach = 0.0;
int m_converge_flag = 0;

//------------------------------------------------------------------ trajectories

// the three joint arrays of each of n configurations (NULL arrays are skipped), then the array
static void free_joint_points(JointConfigRec* jc, int n) {
  if (!jc) return;
  for (int i = 0; i < n; i++) {
    free(jc[i].qdd);  free(jc[i].qd);  free(jc[i].q);
  }
  free(jc);
}

// inactive, no points, last -1; both point arrays freed
void ClearJointTrajectory(JointTrajectoryPtr t) {
  if (!t) return;
  free_joint_points(t->JC, t->ntp);
  free(t->CC);
  t->JC = nullptr;  t->CC = nullptr;
  t->active = 0;  t->ntp = 0;  t->last = -1;
}

void ClearCartesianTrajectory(CartesianTrajectoryPtr t) {
  if (!t) return;
  free(t->CC);
  free_joint_points(t->JC, t->ntp);
  t->CC = nullptr;  t->JC = nullptr;
  t->active = 0;  t->ntp = 0;  t->last = -1;
}
