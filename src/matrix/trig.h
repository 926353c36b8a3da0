// trig.h -- sine and cosine together, and the two-argument arc tangent, without branches
// on the quadrant: forward kinematics takes one SinCos per revolute joint and three Atan2
// per pose, on angles that land in every quadrant, where the library's branches mispredict
#ifndef VELMORA_MATRIX_TRIG_H
#define VELMORA_MATRIX_TRIG_H

#include <math.h>    // for: sin(), cos(), atan2(), fabs()

#include "pair.h"    // for: Pair, two arguments at a time

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
  const Pair shift = PairOf(6755399441055744.0);  // 1.5 * 2^52: adding it rounds to an integer
  Pair ks = x*PairOf(0.63661977236758134308) + shift;
  Pair kd = ks - shift;
  Pair r = (x - kd*PairOf(1.57079632673412561417e+00)) - kd*PairOf(6.07710050650619224932e-11);
  Pair z = r*r;
  // the kernel polynomials in z, by pairs of terms (Estrin) rather than one chain (Horner):
  // half the latency, and their rounding is scaled down by r z and z z in the sums
  Pair z2 = z*z;
  Pair polys = (PairOf(-1.66666666666666324348e-01) + z*PairOf(8.33333333332248946124e-03)) +
                  z2*((PairOf(-1.98412698298579493134e-04) + z*PairOf(2.75573137070700676789e-06)) +
                   z2*(PairOf(-2.50507602534068634195e-08) + z*PairOf(1.58969099521155010221e-10)));
  Pair polyc = (PairOf(4.16666666666666019037e-02) + z*PairOf(-1.38888888888741095749e-03)) +
               z2*((PairOf(2.48015872894767294178e-05) + z*PairOf(-2.75573143513906633035e-07)) +
                   z2*(PairOf(2.08757232129817482790e-09) + z*PairOf(-1.13596475577881948265e-11)));
  Pair sr = r + r*z*polys;
  Pair hz = PairOf(0.5)*z, w = PairOf(1.0) - hz;
  Pair cr = w + (((PairOf(1.0) - w) - hz) + z2*polyc);
  // sin r has the sign of r; the polynomial alone would turn sin(-0) into +0
  const PairBits sign = {(long long)0x8000000000000000ULL, (long long)0x8000000000000000ULL};
  sr = (Pair)(((PairBits)sr & ~sign) | ((PairBits)r & sign));
  // k = 1: (c, -s), 2: (-s, -c), 3: (-c, s)
  PairBits k = (PairBits)ks, one = {1, 1}, two = {2, 2};
  PairBits swap = (PairBits){0, 0} - (k & one);
  PairBits bs = (PairBits)sr, bc = (PairBits)cr;
  PairBits ps = (bs & ~swap) | (bc & swap), pc = (bc & ~swap) | (bs & swap);
  *s = (Pair)(ps ^ ((k & two) << 62));
  *c = (Pair)(pc ^ (((k + one) & two) << 62));
}

// the same for one argument
static inline void SinCos(double x, double* s, double* c) {
  Pair ps, pc;
  SinCosPair(PairOf(x), &ps, &pc);
  *s = ps[0];  *c = pc[0];
}

// lanes of a where m is set, of b elsewhere
static inline Pair PairSelect(PairBits m, Pair a, Pair b) {
  return (Pair)(((PairBits)a & m) | ((PairBits)b & ~m));
}

// u (s1 + s2), the tail of atan(u) = u - u (s1 + s2) for |u| <= 7/16: s1 and s2 are the odd
// and even halves of the classic kernel polynomial in u^2
static inline Pair AtanKernelTail(Pair u) {
  Pair z = u*u, w = z*z;
  Pair s1 = z*(PairOf(3.33333333333329318027e-01) + w*(PairOf(1.42857142725034663711e-01) +
            w*(PairOf(9.09088713343650656196e-02) + w*(PairOf(6.66107313738753120669e-02) +
            w*(PairOf(4.97687799461593236017e-02) + w*PairOf(1.62858201153657823623e-02))))));
  Pair s2 = w*(PairOf(-1.99999999998764832476e-01) + w*(PairOf(-1.11111104054623557880e-01) +
            w*(PairOf(-7.69187620504482999495e-02) + w*(PairOf(-5.83357013379057348645e-02) +
            w*PairOf(-3.65315727442169155270e-02)))));
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
  PairBits wide = (PairBits)(num > PairOf(0.41421356237309503)*den);
  Pair u = PairSelect(wide, num - den, num)/PairSelect(wide, num + den, den);
  Pair tail = AtanKernelTail(u);
  Pair a = PairSelect(wide, PairOf(7.85398163397448278999e-01) -
                                ((tail - PairOf(3.06161699786838301793e-17)) - u),
                      u - tail);
  a = PairSelect(steep, PairOf(1.57079632679489655800e+00) -
                            (a - PairOf(6.12323399573676603587e-17)), a);
  a = PairSelect((PairBits)(x < PairZero()), PairOf(3.14159265358979311600e+00) -
                                                 (a - PairOf(1.22464679914735320717e-16)), a);
  const PairBits sign = {(long long)0x8000000000000000ULL, (long long)0x8000000000000000ULL};
  return (Pair)((PairBits)a | ((PairBits)y & sign));
}

// the same for one pair of arguments
static inline double Atan2(double y, double x) {
  return Atan2Pair(PairOf(y), PairOf(x))[0];
}

#endif
