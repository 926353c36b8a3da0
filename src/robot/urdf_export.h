// urdf_export.h -- a DH robot written as a URDF document for simulators and planners
#ifndef VELMORA_URDF_EXPORT_H
#define VELMORA_URDF_EXPORT_H

#include <stdio.h>  // for: FILE

#include "robot/robot.h"

// Links "base_link", "link1".."linkn" and "tool"; joint i carries link i from the frame of
// link i-1 (the base for i = 1): its origin is the fixed part of link i-1's DH transform,
// Tz(b) Tx(a) Rx(al) after a revolute joint, Rz(th) Tx(a) Rx(al) after a prismatic one,
// and it turns or slides about its own z by the joint value (radians or lengths). The
// fixed joint "tool_joint" holds the last fixed part times the end effector's Qee.
// Lengths are written in the robot file's unit, each the decimal its float stands for (6.6,
// not 6.599999904632568); every other number is the shortest text that reads back as the
// value the model computes with, so a parser's chain reproduces the forward kinematics to
// float precision.

// the document for r on f; 0, or -1 when the stream failed
int PutUrdf(FILE* f, const RobotRec* r);
// the same with every length (link lengths and offsets, prismatic limits, the tool offset,
// the visual bodies) multiplied by s, e.g. 0.1 for a robot file in decimetres; -1 also
// when s is not a finite number above 0
int PutUrdfScaled(FILE* f, const RobotRec* r, double s);

// path = dir + "/" + text + ".urdf" (".urdf" not doubled) for a name typed by the user:
// 0, or -1 after the refusal of the file-name rule (FileNameProblem; the whole path fits
// TOK_PATH_MAX)
int UrdfSavePath(char* path, const char* dir, const char* text);
// the document written through a temporary file renamed over path: 0, or -1 after one
// message with an old file left in place
int SaveUrdf(const char* path, const RobotRec* r);

#endif
