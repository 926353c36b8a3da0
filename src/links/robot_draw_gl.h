// robot_draw_gl.h -- the walk that draws a robot's bodies; the view, the export and the
// gallery all call it
#ifndef VELMORA_ROBOT_DRAW_GL_H
#define VELMORA_ROBOT_DRAW_GL_H

#include "robot/robot.h"

// Draw r posed at q (n joint values) from the current frame, link after link. Generic
// geometry (up, down): hinge, rods, elbows, then the default end effector; the current frame
// ends at the last link. Full geometry: the model's base and links (nothing when no model
// matched), the flange axes when show_flange, the end effector, then the frame is moved by
// Qee_gl and ends at the tool. Joint frames when show_joint. The first offset is corrected by
// the model's registry row (ModelFirstOffset). The caller pushes and pops around the call.
void DrawRobotBodies(Robot r, const float* q, int show_joint, int show_flange);
// colours the walk draws parts in instead of their own: base, link 1 ... link n, end effector
// (n + 2 entries, 0 for a part's own colour); NULL: every part in its own
void SetRobotPartTints(const JwColor* tint);
// first link offset as a named model is drawn: b of link 1 plus its row's first_offset
float ModelFirstOffset(Robot r);
// the default end effector's palm and fingers
void DrawDefaultEE(Robot r);

#endif
