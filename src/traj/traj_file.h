// traj_file.h -- Cartesian and joint trajectory files: line count, readers, writers, list rule
#ifndef VELMORA_TRAJ_FILE_H
#define VELMORA_TRAJ_FILE_H

#include <stdio.h>  // for: FILE

#include "robot/robot.h"

// the two data directories below the working directory
#define CTRAJ_DIR "Ctraj"
#define JTRAJ_DIR "Jtraj"

// the largest trajectory loaded, in points: 100000 points hold about 32 MB of poses and
// play for 28 minutes at the animation rate; larger files are refused before any allocation
#define TRAJ_MAX_POINTS_DEFAULT 100000
void SetTrajMaxPoints(int n);
int GetTrajMaxPoints(void);

//------------------------------------------------------------------ reading
// lines holding a character other than blank, tab, vertical tab, form feed or return
// (IsSpace) before their end or the end of the file; -1 when the file cannot be opened
int wc(const char* path);

// points of a Cartesian file of `lines` counted lines for a robot of type `type`:
// lines/4 for type 0, lines/3 for type 2, lines otherwise
int CartesianPointsFromLines(int type, int lines);

// read the Cartesian trajectory at path for robot r into t: t is cleared first; each counted
// line holds 3 numbers (type 0: x y z then the rows of Q; type 2: the rows of Q, position
// derived from the link geometry; type 4: x y z); every pose gets r's type; JC gets ntp joint
// configurations of -1; ntp, last = ntp-1, ctp -1, state 0, active 1. 0, or -1 after one
// message with t left cleared (nothing loaded)
int ReadCartesianTrajectory(Robot r, const char* path, CartesianTrajectoryPtr t);
// read the joint trajectory at path: one line of r->n numbers per point, each pose computed
// with FwdKin and typed r->type; t cleared first; 0, or -1 after one message, t cleared
int ReadJointTrajectory(Robot r, const char* path, JointTrajectoryPtr t);

// the built-in path named name (CTlist) into t, cleared first: its samples typed r->type and
// JC all -1 as for a file; 0, or -1 (no message) when the table has no such row
int LoadBuiltinPath(Robot r, const char* name, CartesianTrajectoryPtr t);

// what selecting `name` in the Cartesian list loads: "Ctraj/" + name when it has a counted
// line, else the built-in path of that name; 0, or -1 after one message ("Cannot open %s\n"
// when neither exists), t left cleared
int LoadCartesianTrajectory(Robot r, const char* name, CartesianTrajectoryPtr t);
// "Jtraj/" + name; 0, or -1 after one message, t left cleared
int LoadJointTrajectory(Robot r, const char* name, JointTrajectoryPtr t);

//------------------------------------------------------------------ writing
// one pose in the file layout of a robot of type `type`: type 0 r then the rows of Q, type 2
// the rows of Q, others r; "%lf %lf %lf \n" per line; 0, or -1 when the stream failed
int PutCartesianPose(FILE* f, int type, const CartesianConfigRec* p);
// path = dir + "/" + r->name + "." + text for a name typed by the user: 0, or -1 after
// the refusal of the file-name rule (FileNameProblem; the whole path fits TOK_PATH_MAX)
int TrajSavePath(char* path, const char* dir, Robot r, const char* text);
// 1 when a file (or anything) of that path exists
int TrajFileExists(const char* path);

// the joint solutions ct->JC of every point, r->n values per line ("%lf " each, "\n");
// written through a temporary file renamed over path: 0, or -1 after one message with an
// old file left in place
int WriteJointTrajectory(const char* path, Robot r, const CartesianTrajectory* ct);
// the poses of ct (when active) then of jt (when active) in the Cartesian layout of r->type,
// "%lf %lf %lf \n" per line; same safety and result as above
int WriteCartesianTrajectory(const char* path, Robot r, const CartesianTrajectory* ct,
                             const JointTrajectory* jt);

// the preset of the "Joint Traj File:" input: the part of file after its first "." (the
// whole name when there is none) followed by "_JT", cut to size - 1 characters
void CtoJPresetName(const char* file, char* out, int size);

//------------------------------------------------------------------ list
// 1 when a directory entry is a trajectory of the robot named rname: no leading ".", no
// trailing "~" or ".CKP", rname then "." at the start
int TrajNameMatches(const char* rname, const char* entry);
// the same for the current robot R (0 without one)
int cart_traj_fill_match(const char* entry);
int joint_traj_fill_match(const char* entry);

#endif
