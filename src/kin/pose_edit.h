// pose_edit.h -- the rules of the pose panels that need no window: joint-value folding and
// limits, the orientation wrap, the conditioning level, and the texts of the Q and J windows
#ifndef VELMORA_POSE_EDIT_H
#define VELMORA_POSE_EDIT_H

#include <stddef.h>  // for: size_t

#include "robot/robot.h"
#include "kin/limit_text.h"

//------------------------------------------------------------------ joint values

// outcome of a joint edit
enum JointEditResult {
  JointEditOk = 0,          // v may be stored
  JointEditAboveMax = 1,    // v is above the enforced maximum
  JointEditBelowMin = 2,    // v is below the enforced minimum
  JointEditNotFinite = 3    // v is no number or infinite
};

// every revolute joint without an upper limit: above 360 into (0, 360]; without a lower
// limit: below -360 into [-360, 0); by whole turns, written back into jc
void NormalizeJointValues(Robot r, JointConfig jc);
// a value typed or dragged for joint j: folded as above (every revolute joint while limits
// are off), then checked against the limits when they are enforced; v keeps the folded value
int JointEditRule(Robot r, int j, float* v);
// a joint edit applied: JointEditRule, then on JointEditOk jc->q[j] = v and FwdKin(r, jc, cc);
// on a limit *v becomes that limit and nothing moves; the rule's outcome
int ApplyJointEdit(Robot r, JointConfig jc, CartesianConfig cc, int j, float* v);

// why suffix cannot name a pose file of the robot rname ("JConfig/" rname "." suffix), or
// NULL when it can: the file-name rule (FileNameProblem), the whole name at most 255
// characters
const char* ConfigSuffixProblem(const char* rname, const char* suffix);

//------------------------------------------------------------------ orientation

// a once: above 180 minus 360, below -180 plus 360
double WrapAngle180(double a);

//------------------------------------------------------------------ conditioning

// the two levels of 1/kappa that part red from orange and orange from green, in the light, the
// colour scale, the plot and the map alike
#define COND_LEVEL_LOW 0.1
#define COND_LEVEL_HIGH 0.5
enum CondLevel { CondRed = 0, CondOrange = 1, CondGreen = 2 };
// k < 0.1 red, 0.1 <= k < 0.5 orange, k >= 0.5 green (not a number: red)
int ConditionLevel(double k);

//------------------------------------------------------------------ Q and J texts

// the nine entries of Q row by row, "%9.2lf" each (a value that rounds to zero as 0, never
// "-0.00"; the same for J), rows apart by a blank line; like
// snprintf: the length the whole text needs, buf holding at most size - 1 of it
int FormatQText(char* buf, size_t size, double Q[3][3]);
// "\n", "   Col. %d  " per column, "\n\n", then the rows of M (rows x n) with " %9.3lf"
// per entry and "\n\n" between rows; like snprintf (buf may be NULL when size is 0)
int FormatJText(char* buf, size_t size, double** M, int rows, int n);
// the Jacobian as the J window shows it, into M (at least 6 x r->n): type 0 the joint axes
// over the position rows times avg_len, type 2 the axes, type 4 the position rows times
// avg_len; evaluates the frames at jc. Returns the rows filled: 6, 3, or 0 for another type
int JacobianDisplay(Robot r, JointConfig jc, CartesianConfig cc, double** M);

#endif
