// jconfig.h -- joint configuration files, their list rule, and the smooth motion to a pose
#ifndef VELMORA_JCONFIG_H
#define VELMORA_JCONFIG_H

#include "robot/robot.h"

//------------------------------------------------------------------ transition state
// shared with the animation loop, which plays the motion with ConfigStep
extern int MoveMode;                  // 1 Spline (smooth motion), 2 Jump
extern bool InterpolateConfig_ani;    // true while a smooth motion is to be played
extern double* JC2_q;                 // joint values at the start of the motion
extern double* fr;                    // joint displacement / 360
extern int m;                         // number of frames
extern float dt;                      // parameter step per frame, 1 / (m - 1)
extern double pibyt;                  // 6.2831853

//------------------------------------------------------------------ files
// read "JConfig/" + name (or name itself when it starts with '/' or '~') into jc->q for
// the current robot R; 0, or -1 after one message with jc unchanged
int ReadJointConfig(JointConfig jc, const char* name);
// the same for robot r; any number of links
int ReadJointConfigFor(Robot r, JointConfig jc, const char* name);
// write "JConfig/" + r->name + "." + suffix: "th = [  ", " %lf " per joint, " ]\n";
// 0 when completely written, else -1 after a message (an old file survives)
int WriteJointConfig(Robot r, const double* q, const char* suffix);

//------------------------------------------------------------------ list
// 1 when a directory entry of "JConfig" is a pose of the robot named rname: no leading
// ".", no trailing "~" or ".CKP", rname then "." at the start
int ConfigNameMatches(const char* rname, const char* entry);
// the same for the current robot R (0 without one)
int config_fill_match(const char* entry);

//------------------------------------------------------------------ smooth motion
// set up the cycloidal motion from cur to target: fr, JC2_q, m (16..80 frames, 0 when
// nothing moves), dt; -1 and nothing changed when limits are on and target violates one
int InterpolateConfig(JointConfig cur, JointConfig target, Robot r);
// one animation frame into jc->q: q = JC2_q + fr (pibyt t - sin(pibyt t)) 180 / pi with
// t = frame / (m - 1), the last frame landing on the target; returns 1 after a frame, 0
// when the motion is over (counter, t and dt reset, InterpolateConfig_ani cleared)
int ConfigStep(JointConfig jc, int n);

#endif
