// trig.h -- sine and cosine together, and the two-argument arc tangent, without branches
// on the quadrant: forward kinematics takes one SinCos per revolute joint and three Atan2
// per pose, on angles that land in every quadrant, where the library's branches mispredict
#ifndef VELMORA_MATRIX_TRIG_H
#define VELMORA_MATRIX_TRIG_H

#include <math.h>    // for: sin(), cos(), atan2(), fabs()

#include "pair.h"    // for: Pair, two arguments at a time

// the constants as pairs, defined in trig.cpp: out of the compiler's sight, each is read as
// one 16-byte operand instead of being built by broadcasting a scalar at every use
enum {
  TrigTwoOverPi, TrigShift, TrigPio2A, TrigPio2B, TrigS1, TrigS2, TrigS3, TrigS4, TrigS5, TrigS6,
  TrigC1, TrigC2, TrigC3, TrigC4, TrigC5, TrigC6, TrigHalf, TrigOne, TrigA0, TrigA1, TrigA2,
  TrigA3, TrigA4, TrigA5, TrigA6, TrigA7, TrigA8, TrigA9, TrigA10, TrigTanPi8, TrigPio4Hi,
  TrigPio4Lo, TrigPio2Hi, TrigPio2Lo, TrigPiHi, TrigPiLo, TrigCount
};
extern const Pair TrigK[TrigCount];

// lanes of a where m is set, of b elsewhere
static inline Pair PairSelect(PairBits m, Pair a, Pair b) {
  return (Pair)(((PairBits)a & m) | ((PairBits)b & ~m));
}

// the sign bit of each lane
static inline PairBits PairSignBits() {
  return (PairBits){(long long)0x8000000000000000ULL, (long long)0x8000000000000000ULL};
}

// s = sin(x), c = cos(x) lane by lane, each within one unit in the last place of the
// library's, or within 1e-21 near a multiple of pi/2, where the result is tiny: x less the
// nearest multiple k of pi/2 in two parts (exact for |k| < 2^20), the classic kernel
// polynomials on [-pi/4, pi/4], then k mod 4 swaps the pair and sets the signs by bit masks.
// k's low bits are those of x 2/pi + 1.5 2^52, whose integer part is k. A pair with an
// argument beyond 1e5, an infinity or a NaN goes to the library.
static inline void SinCosPair(Pair x, Pair* s, Pair* c) {
  if (!(fabs(x[0]) < 1e5 && fabs(x[1]) < 1e5)) {
    *s = PairOf2(sin(x[0]), sin(x[1]));
    *c = PairOf2(cos(x[0]), cos(x[1]));
    return;
  }
  const Pair shift = TrigK[TrigShift];  // 1.5 * 2^52: adding it rounds to an integer
  Pair ks = x*TrigK[TrigTwoOverPi] + shift;
  Pair kd = ks - shift;
  Pair r = (x - kd*TrigK[TrigPio2A]) - kd*TrigK[TrigPio2B];
  Pair z = r*r;
  // the kernel polynomials in z, by pairs of terms (Estrin) rather than one chain (Horner):
  // half the latency, and their rounding is scaled down by r z and z z in the sums
  Pair z2 = z*z;
  Pair polys = (TrigK[TrigS1] + z*TrigK[TrigS2]) +
               z2*((TrigK[TrigS3] + z*TrigK[TrigS4]) +
                   z2*(TrigK[TrigS5] + z*TrigK[TrigS6]));
  Pair polyc = (TrigK[TrigC1] + z*TrigK[TrigC2]) +
               z2*((TrigK[TrigC3] + z*TrigK[TrigC4]) +
                   z2*(TrigK[TrigC5] + z*TrigK[TrigC6]));
  Pair sr = r + r*z*polys;
  Pair hz = TrigK[TrigHalf]*z, w = TrigK[TrigOne] - hz;
  Pair cr = w + (((TrigK[TrigOne] - w) - hz) + z2*polyc);
  // sin r has the sign of r; the polynomial alone would turn sin(-0) into +0
  sr = PairSelect(PairSignBits(), r, sr);
  // k = 1: (c, -s), 2: (-s, -c), 3: (-c, s)
  PairBits k = (PairBits)ks, one = {1, 1}, two = {2, 2};
  PairBits swap = (PairBits){0, 0} - (k & one);
  *s = (Pair)((PairBits)PairSelect(swap, cr, sr) ^ ((k & two) << 62));
  *c = (Pair)((PairBits)PairSelect(swap, sr, cr) ^ (((k + one) & two) << 62));
}

// the same for one argument
static inline void SinCos(double x, double* s, double* c) {
  Pair ps, pc;
  SinCosPair(PairOf(x), &ps, &pc);
  *s = ps[0];  *c = pc[0];
}

// u (s1 + s2), the tail of atan(u) = u - u (s1 + s2) for |u| <= 7/16: s1 and s2 are the odd
// and even halves of the classic kernel polynomial in u^2
static inline Pair AtanKernelTail(Pair u) {
  Pair z = u*u, w = z*z;
  Pair s1 = z*(TrigK[TrigA0] + w*(TrigK[TrigA2] +
            w*(TrigK[TrigA4] + w*(TrigK[TrigA6] +
            w*(TrigK[TrigA8] + w*TrigK[TrigA10])))));
  Pair s2 = w*(TrigK[TrigA1] + w*(TrigK[TrigA3] +
            w*(TrigK[TrigA5] + w*(TrigK[TrigA7] +
            w*TrigK[TrigA9]))));
  return u*(s1 + s2);
}

// atan2(y, x) lane by lane, within one unit in the last place of the library's: the smaller
// of |x|, |y| over the larger, in [0, 1]; above tan(pi/8) it is (t - 1) / (t + 1) from pi/4,
// taken as one division of the differences; then pi/2 - a when |y| > |x|, pi - a when x < 0,
// and the sign of y (so atan2(-0, x) keeps its sign). A pair with both arguments zero in a
// lane, an infinity or a NaN in x goes to the library.
static inline Pair Atan2Pair(Pair y, Pair x) {
  Pair ax = PairAbs(x), ay = PairAbs(y);
  PairBits steep = (PairBits)(ay > ax);
  Pair num = PairSelect(steep, ax, ay), den = PairSelect(steep, ay, ax);
  const double big = 1.79769313486231570815e+308;
  if (!(den[0] > 0.0 && den[0] <= big && den[1] > 0.0 && den[1] <= big))
    return PairOf2(atan2(y[0], x[0]), atan2(y[1], x[1]));
  PairBits wide = (PairBits)(num > TrigK[TrigTanPi8]*den);
  Pair u = PairSelect(wide, num - den, num)/PairSelect(wide, num + den, den);
  Pair tail = AtanKernelTail(u);
  Pair a = PairSelect(wide, TrigK[TrigPio4Hi] -
                                ((tail - TrigK[TrigPio4Lo]) - u),
                      u - tail);
  a = PairSelect(steep, TrigK[TrigPio2Hi] -
                            (a - TrigK[TrigPio2Lo]), a);
  a = PairSelect((PairBits)(x < PairZero()), TrigK[TrigPiHi] -
                                                 (a - TrigK[TrigPiLo]), a);
  return (Pair)((PairBits)a | ((PairBits)y & PairSignBits()));
}

// the same for one pair of arguments
static inline double Atan2(double y, double x) {
  return Atan2Pair(PairOf(y), PairOf(x))[0];
}

#endif
