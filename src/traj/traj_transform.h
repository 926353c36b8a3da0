// traj_transform.h -- moving, turning and scaling the path of the loaded trajectories
#ifndef VELMORA_TRAJ_TRANSFORM_H
#define VELMORA_TRAJ_TRANSFORM_H

#include "robot/robot.h"

// the values last applied by the Transform Trajectory dialog; an edit applies only the
// difference between its new value and these
extern double m_config_position[3];
extern double m_config_oritation[3];   // degrees
extern double m_config_scale_value;

//------------------------------------------------------------------ on point arrays
// r[axis] += d for every point
void TrajTranslate(CartesianConfigRec* cc, int ntp, int axis, double d);
// every position turned by theta radians about base axis 0 (x), 1 (y) or 2 (z):
// x: y' = y cos - z sin, z' = z cos + y sin; y: x' = z sin + x cos, z' = z cos - x sin;
// z: x' = x cos - y sin, y' = y cos + x sin; the old value of the first coordinate used in
// the second formula is kept in single precision
void TrajRotate(CartesianConfigRec* cc, int ntp, int axis, double theta);
// r = s r / old for every point (nothing when old is 0)
void TrajScale(CartesianConfigRec* cc, int ntp, double s, double old);

//------------------------------------------------------------------ the dialog's edits
// they act on the positions of JT.CC (when loaded) and CT.CC (when loaded); orientations
// stay. Opening the dialog: position (0,0,0), orientation (0,0,0), scale 1
void TransReset(void);
// position i set to value: add value - m_config_position[i]; remember value
void TransPosition(int i, double value);
// orientation i set to value (degrees): turn by (value - m_config_oritation[i]) pi/180 with
// pi = 3.14159265; remember value
void TransOrientation(int i, double value);
// scale set to s: when s is not 0, r = s r / m_config_scale_value; remember s
void TransScale(double s);

#endif
