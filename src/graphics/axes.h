// axes.h -- coordinate-frame markers: three unit-coloured axes with labels
#ifndef VELMORA_AXES_H
#define VELMORA_AXES_H

#include "graphics/jwtypes.h"

// Each marker draws, at the current origin, x in red, y in green and z in blue, each len long,
// labelled near its tip; the colour that was current before the call is current after it.
// The colour argument names the kind of frame for callers; the axes keep their own colours.

// labels "x", "y", "z" at 1.13 len
void JwAxes_xyz(float len, JwColor color);
// labels "X", "Y", "Z" at 1.14 len
void JwAxes_XYZ(float len, JwColor color);
// labels "x'", "y'", "z'" at 1.13 len
void JwAxes_xyz_Prime(float len, JwColor color);

#endif
