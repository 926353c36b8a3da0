// cond_map.h -- 1/kappa over a grid of two joints, computed a slice of rows at a time
#ifndef VELMORA_COND_MAP_H
#define VELMORA_COND_MAP_H

#include "robot/robot.h"

// Row i holds joint ja at the centre of its i-th of `rows` equal steps over [lo[0], hi[0]],
// column j joint jb at the centre of its j-th of `cols` steps over [lo[1], hi[1]]; every
// other joint keeps the value it had when the map was made (or last set). A cell is the
// reciprocal condition number of the task Jacobian there, the Conditioning index.
typedef struct _CondMap_ {
  Robot robot;
  int ja, jb;                 // 0-based joints along the rows and along the columns
  int rows, cols;
  float lo[2], hi[2];         // ranges of ja and jb
  JointConfigRec q;           // the joints of the cell being computed; own arrays
  CartesianConfigRec cc;      // only its task kind is read
  double* value;              // rows x cols, row-major: the caller's buffer
} CondMap;

// a joint's range on the map: its limits when it has them, else -180..180 for a revolute
// joint and the current value plus or minus the average link length for a prismatic one
void CondMapRange(Robot r, JointConfig jc, int j, float* lo, float* hi);

// a map of joints ja and jb (0-based, different) of r at jc, cc; NULL (no message) for bad
// joints or sizes. value must hold rows x cols doubles; nothing is computed yet
CondMap* NewCondMap(Robot r, JointConfig jc, CartesianConfig cc, int ja, int jb, int rows,
                    int cols, double* value);
// the map's arrays and the record; the caller's buffer stays; NULL does nothing
void FreeCondMap(CondMap* m);
// the held joints from jc again, after a pose change (the cells are stale until recomputed)
void CondMapSetJoints(CondMap* m, JointConfig jc);

// rows [r0, r1) computed, clamped to the map; returns the row after the last one done, so
// a window computes a large map in slices between events
int CondMapRows(CondMap* m, int r0, int r1);
// 1/kappa with ja at qa and jb at qb, the other joints as held
double CondMapValueAt(CondMap* m, float qa, float qb);

// centre of cell k along axis 0 (rows, ja) or 1 (columns, jb)
float CondMapCentre(const CondMap* m, int axis, int k);
// the cell along an axis whose step holds q; -1 outside the range
int CondMapCell(const CondMap* m, int axis, float q);

#endif
