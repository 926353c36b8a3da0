// consts.h -- the numbers the system gives a meaning to: pi and the degree/radian helpers
#ifndef VELMORA_CONSTS_H
#define VELMORA_CONSTS_H

// pi as the system writes it in every degree/radian conversion, and 2 pi likewise
#define VM_PI 3.14159265
#define VM_TWO_PI 6.2831853
// the same pi in single precision, for geometry computed in floats
#define VM_PI_F 3.14159265f
// the double nearest pi, where a model's geometry is computed in full double precision
#define VM_PI_DOUBLE 3.14159265358979323846
// radians per degree as one factor (d*VM_DEG rounds once more than d*VM_PI/180)
#define VM_DEG (VM_PI/180.0)

// degrees to radians and back, evaluated as d*pi/180 and r*180/pi
static inline double VmDegToRad(double d) { return d*VM_PI/180.0; }
static inline double VmRadToDeg(double r) { return r*180.0/VM_PI; }

#endif
