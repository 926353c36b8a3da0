// obstacles.h -- the four moving obstacles and the carried payload: numbering, motion, and
// their spheres
//
// The obstacle panel numbers obstacles 1 to 4; every table (Obstacle_info, Obstacle_pos,
// Radius, SOI, ShowObstacle, obs, soi) holds obstacle k at entry k - 1.
#ifndef VELMORA_OBSTACLES_H
#define VELMORA_OBSTACLES_H

#define OBSTACLE_COUNT 4
#define OBSTACLE_COLOR 0xffc0c0c0UL   // grey spheres
#define SOI_COLOR 0x8fc0c0c0UL        // translucent grey influence spheres
#define PAYLOAD_COLOR 0xff00ff00UL    // green payload sphere

// an obstacle number as typed: below 1 gives 1, above 4 gives 4 (NaN gives 1)
int ClampObstacleNumber(double v);
// table entry of obstacle number k (after the clamp): k - 1
int ObstacleEntry(int k);

// every obstacle at point `point` of the joint trajectory:
// Obstacle_pos = start + 0.01 point velocity; point 0 puts them back at their starts
void MoveObstacles(int point);

// entry e's sphere (radius Radius[e], 40 x 40, grey) and its sphere of influence (radius
// Radius[e] (1 + SOI[e]), translucent), the old ones freed
void RebuildObstacleSpheres(int e);
// the payload sphere `pay` (radius Radius_pay, 40 x 40, green), the old one freed
void RebuildPayloadSphere(void);

#endif
