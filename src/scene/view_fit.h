// view_fit.h -- the view's projection for any window shape, and the camera distance that
// keeps a robot (and its demonstration cell) wholly in view
#ifndef VELMORA_VIEW_FIT_H
#define VELMORA_VIEW_FIT_H

#include "robot/robot.h"

// the narrower side of the view spans this angle in perspective, degrees
#define VIEW_FOV 40.0

// vertical field of view for a view of aspect w/h: VIEW_FOV on the narrower side, so a
// tall view widens its vertical angle instead of cutting the sides
double ViewFovy(double aspect);
// half extents of the orthographic box of scale s: s on the narrower side, s*aspect or
// s/aspect on the wider one
void ViewOrthoHalf(double aspect, double s, double* hx, double* hy);

// the camera a fit is computed for: the view's angles and shape
typedef struct _ViewCamera_ {
  int perspective;            // 1 perspective (theta, gamma), 0 orthographic (degrees)
  double theta, gamma;        // elevation and azimuth, radians
  double otheta, ogamma;      // orthographic rotations about y and z, degrees
  double aspect;              // width / height of the view
} ViewCamera;

// the smallest scale >= s0 (grown by 5 % steps, at most 200) at which every one of the n
// points lies inside the view with a 10 % border; the pan is taken as zero
double ViewFitPoints(const ViewCamera* cam, const double (*p)[3], int n, double s0);
// the fit of robot r at joint values q: its frame origins, padded by its link radius,
// and the corners of the demonstration cell when cell is 1; s0 is 4 avg_len
double ViewFitRobot(const ViewCamera* cam, Robot r, const float* q, int cell);

#endif
