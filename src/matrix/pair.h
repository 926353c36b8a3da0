// pair.h -- two doubles operated on lane by lane, for kernels that must round as scalar code
#ifndef VELMORA_MATRIX_PAIR_H
#define VELMORA_MATRIX_PAIR_H

#include <string.h>  // for: memcpy()

// each lane of +, -, *, / rounds exactly as the scalar operation on that lane, so a kernel
// that gives every element the scalar sequence of operations gives the scalar bits
typedef double Pair __attribute__((vector_size(16)));
typedef long long PairBits __attribute__((vector_size(16)));

static inline Pair PairZero() { return (Pair){0.0, 0.0}; }
static inline Pair PairOf(double x) { return (Pair){x, x}; }
static inline Pair PairOf2(double x, double y) { return (Pair){x, y}; }
// unaligned
static inline Pair PairLoad(const double* p) {
  Pair x;
  memcpy(&x, p, sizeof x);
  return x;
}
static inline void PairStore(double* p, Pair x) { memcpy(p, &x, sizeof x); }
// the sign bits cleared, as fabs does
static inline Pair PairAbs(Pair x) {
  return (Pair)((PairBits)x & (PairBits){0x7fffffffffffffffLL, 0x7fffffffffffffffLL});
}

#endif
