// tooltips.h -- the tooltips of terse controls: one table naming each quantity and its unit,
// given to a window's widgets when it is shown
#ifndef VELMORA_TOOLTIPS_H
#define VELMORA_TOOLTIPS_H

#include <stddef.h>  // for: size_t

class Fl_Window;

// the tooltip of a control labelled label (blanks and a trailing ':' ignored) in the window
// titled window; rows for one window win over rows for every window; NULL when there is none
const char* TooltipFor(const char* window, const char* label);
// every widget of w without a tooltip gets the one its label calls for; an unlabelled control
// takes the one of the nearest labelled widget left of it on its row (the grids' row heads)
void ApplyTooltips(Fl_Window* w);
// "Joint 3 value, in degrees" (revolute) or "..., in the robot file's length unit" (prismatic)
void JointValueTooltip(char* out, size_t size, const char* what, int joint, int prismatic);

#endif
