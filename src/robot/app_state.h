// app_state.h -- the application-wide state every panel shares
#ifndef VELMORA_APP_STATE_H
#define VELMORA_APP_STATE_H

#include "robot/robot.h"

//------------------------------------------------------------------ current robot
extern Robot R;                 // the current robot, NULL when none
extern JointConfig JC;          // its joint configuration
extern CartesianConfig CC;      // its Cartesian configuration
extern JointConfig PP2;         // target of a configuration transition
extern JointTrajectory JT;      // the joint trajectory panel's trajectory
extern CartesianTrajectory CT;  // the Cartesian trajectory panel's trajectory

//------------------------------------------------------------------ display flags
extern int ShowInertialAxes;    // world frame, 1
extern int ShowJointAxes;       // every joint frame, 0
extern int ShowFlangeAxes;      // last link frame, 0
extern int ShowEEAxes;          // tool frame, 1
extern int ShowScene;           // built-in scene objects, 0

//------------------------------------------------------------------ obstacles (1..4)
extern int ShowObstacle[5];
extern float Obstacle_info[5][6];   // start x, y, z and velocity vx, vy, vz
extern float Obstacle_pos[5][3];
extern float Radius[5];
extern float SOI[5];
extern int Obstacle_Active;
extern JwPrimitive obs[4];
extern JwPrimitive soi[4];

//------------------------------------------------------------------ payload
extern int ShowPayload;
extern int TypePayload;         // 1 sphere, 2 battery
extern float Payload_info[3];   // offset in the last link frame
extern float Radius_pay;
extern JwPrimitive pay;
extern struct _Thing_* pay_bat;  // the payload battery, a thing (scene/things.h)

//------------------------------------------------------------------ view and messages
extern double scale;            // 4 x avg_len once a robot is loaded
extern int ErrStatus;           // 1 while the message line shows an error

//------------------------------------------------------------------ reader results
extern double m_homogenous_length;  // last characteristic length
extern double m_maximum_reach;      // last maximum reach
extern int m_converge_flag;         // 1 when the last length was positive

// clear a trajectory: inactive, no points, last -1, point arrays freed; the JC array holds
// ntp records whose q, qd, qdd are separate heap arrays (JmFVector) or NULL
void ClearJointTrajectory(JointTrajectoryPtr t);
void ClearCartesianTrajectory(CartesianTrajectoryPtr t);

#endif
