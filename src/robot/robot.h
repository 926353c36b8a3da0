// robot.h -- robot, link, end-effector, configuration and trajectory records
#ifndef VELMORA_ROBOT_H
#define VELMORA_ROBOT_H

#include "graphics/jwtypes.h"

// the limits a joint without limits carries: files and tables write -100000 and 100000
#define JOINT_UNLIMITED_MIN (-100000.0f)
#define JOINT_UNLIMITED_MAX 100000.0f

//------------------------------------------------------------------ link
typedef struct _Link_ {
  int joint;                  // 0 revolute, 1 prismatic
  float a, b;                 // DH link length and offset
  float abs_b;                // |b|
  int sign_b;                 // -1, 0, +1
  float al;                   // twist, degrees
  float cal, sal;
  float th;                   // joint angle, degrees
  float cth, sth;
  float q_limit[2];           // active limits [min, max]
  float h_q_limit[2];         // limits as read from the file
  float h_q;                  // home value: th (revolute) or b (prismatic)
  float char_q;
  double** Q_i;               // 3x3 rotation relative to the previous frame
  double a_i[3];              // link vector in the previous frame
  double** Q_1;               // 3x3 accumulated orientation in the base frame
  double r_1[3];              // from this frame to the end of the chain
  double e[3], eXr[3], om[3], omXe[3], omXai[3], rd[3], eXrd[3], edXr[3], ud[3];
  float m;                    // mass
  float cm[3];                // centre of mass in the link frame
  float I[6];                 // inertia tensor entries
  JwPrimitive hinge, linkz, linkx, elbow;   // generic bodies; NULL until made
  void (*draw_proc)(struct _Link_*, void*);
  void* draw_data;
  int show_axes;
  int show_cm;
  int visible;
  JwColor color;
  int mat;
  struct _Link_* next;
} Link, *LinkPtr;

//------------------------------------------------------------------ end effectors
typedef struct _DefaultEE_ {
  JwPrimitive h1, h2, h3;     // palm and two fingers
} DefaultEE, *DefaultEEPtr;

typedef struct _EndEffector_ {
  int type;                   // 0 none, 1 hand, 2 welder, 3 glue, 4 paint, 5 pointer
  char name[32];
  int nP;
  JwPrimitive* P;
  int nv;
  float* v;
  Matrix Qee;                 // last link frame to tool frame, row-major
  Matrix Qee_gl;              // transpose of Qee (OpenGL order)
  void (*DestroyProc)(struct _EndEffector_*);
  void (*DrawProc)(struct _EndEffector_*);
  void (*EditProc)(struct _EndEffector_*);
} EndEffector, *EndEffectorPtr;

typedef struct _EEData_ {
  const char* name;           // NULL ends a list
  int type;
  void (*InitProc)(EndEffectorPtr);
} EEData, *EEDataPtr;

// a drawing routine of a built-in model: element 0 draws the base, element i link i
typedef void (*LinkDrawProc)(void);

//------------------------------------------------------------------ robot
typedef struct _Robot_ {
  char name[64];
  int n;
  int HD_type;                // 0 "Orvane", 1 "Craig"
  int geom_type;              // 0 "up", 1 "down", 2 "full"
  int limits;                 // 1 while joint limits are enforced
  int changed;
  int redundant;              // n minus the task dimension
  int wrist_partitioned;
  int type;                   // 0 spatial, 2 spherical wrist, 4 positioning
  LinkDrawProc* links;        // the matched built-in model's drawing table, or NULL
  float avg_len;
  float rad;                  // avg_len / 8
  float char_len;
  Link* L;                    // n links
  DefaultEE dEE;
  EEData* EElist;
  int nEE;
  int cEE;
  EndEffector EE;
  float a6cp, b6cp, al6cp;
  double** J;                 // jm x n
  int jm;
  double** K;                 // km x n
  int km;
  double cond;
} RobotRec, *Robot;

//------------------------------------------------------------------ configurations
typedef struct _JointConfig_ {
  float *q, *qd, *qdd;        // n entries each; degrees or lengths
} JointConfigRec, *JointConfig;

typedef struct _CartesianConfig_ {
  int type;                   // 0 spatial, 1 position twice, 2 orientation, 4 position
  double r[3];
  double rB[3];
  double Q[3][3];             // columns are the end-effector axes
  double ang[3];              // Q = Rx(ang[0]) Ry(ang[1]) Rz(ang[2]), degrees
  double rd[3], rBd[3], om[3], rdd[3], rBdd[3], omd[3];
} CartesianConfigRec, *CartesianConfig;

//------------------------------------------------------------------ trajectories
typedef struct _JointTrajectory_ {
  int active, ShowPoints, ShowFrames, ntp, last, ctp, mode, state;
  JointConfigRec* JC;         // ntp points
  CartesianConfigRec* CC;
} JointTrajectory, *JointTrajectoryPtr;

typedef struct _CartesianTrajectory_ {
  int active, ShowPoints, ShowFrames, ntp, last, ctp, mode, state;
  CartesianConfigRec* CC;     // ntp points
  JointConfigRec* JC;
} CartesianTrajectory, *CartesianTrajectoryPtr;

//------------------------------------------------------------------ create and free
// configuration at the robot's home values; rates and accelerations zero
JointConfig JointConfigFromRobot(Robot r);
// arrays in reverse order, then the record; NULL does nothing
void FreeJointConfig(JointConfig jc);
// the record only; J and K belong to the robot
void FreeCartesianConfig(CartesianConfig cc);
// bodies where made, then Q_i and Q_1
void FreeLink(LinkPtr l);
// model geometry, links, J and K, link array, robot; NULL does nothing
void FreeRobot(Robot r);
// h1, h2, h3 freed and cleared
void FreeEE(DefaultEE* dEE);
// robot->type: 2 when all joints are revolute and a = 0 on every link but the last,
// else 4 for n < 6 and 0 for n >= 6; sets allRevolute
void RobotType(Robot robot);
extern int allRevolute;             // set by RobotType: every joint of the robot is revolute

// what a module that keeps parts of robots, or pointers to them, asks to be told before a
// robot is freed; the same hook is added once, in order, at most 8 of them
typedef void (*RobotFreeHook)(Robot r);
void AddRobotFreeHook(RobotFreeHook hook);

// a link with the default values a robot file starts each block from
void SetLinkDefaults(LinkPtr l);
// copy the DH values of src into dst and derive the rest: |b|, sign, cosines, limits,
// home value, cleared bodies, visible, Q_i and Q_1; returns 1 when src's maximum limit
// is not the unlimited marker (the robot's limits switch on), else 0. The limits are read
// from src->q_limit; dst's q_limit and h_q_limit both get them. dst is overwritten whole.
int PrepareLink(LinkPtr dst, const Link* src);

// one row of a DH table for robots built in memory
typedef struct _DHRow_ {
  int joint;
  float a, b, al, th;
  float qmin, qmax;           // -100000, 100000 for an unlimited joint
} DHRow;
// a robot from a DH table with everything a robot file gives except bodies, the
// characteristic length and the model lookup: links prepared, limits, wrist flag, type,
// avg_len = sum(a + |b|) / (2 n), rad = avg_len / 8, EE identity; caller frees
Robot RobotFromDH(const char* name, int n, const DHRow* rows);

#endif
