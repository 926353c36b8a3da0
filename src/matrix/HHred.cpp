// HHred.cpp -- Householder factorisations, least squares, minimum norm and the constrained step
#include <cmath>     // for: sqrt(), fabs()

#include "matrix.h"
#include "pair.h"     // for: Pair, two rows at a time

//------------------------------------------------------------------ module state

static double _HHred_tol_ = 1e-6;   // rank threshold of the factorisations
static double condition = 0.0;      // last pivot ratio |sigma_i| / |sigma_0|

// work vectors up to this many entries live on the stack; larger problems use the heap
#define HH_STACK 256
#define HH_ISTACK 64

//------------------------------------------------------------------ static helpers

// s with the sign of x, positive when x is zero
static inline double SignLike(double s, double x) { return x < 0.0 ? -s : s; }

static inline void Swap(double* a, double* b) {
  double t = *a;
  *a = *b;  *b = t;
}

// x = H x for the row reflection i: u = (v[i], A[i][i+1..n-1]), H = I - u u' / (v[i] A[i][i])
static inline void RowReflect(double** A, int i, int n, double* v, double* x) {
  double* a = A[i];
  double t = v[i]*x[i];
  for (int j = i + 1; j < n; j++) t += a[j]*x[j];
  t /= v[i]*a[i];
  x[i] += v[i]*t;
  for (int j = i + 1; j < n; j++) x[j] += a[j]*t;
}

// row step i on columns i..n-1 with the given sigma: reflection vector into v, L[i][i]; returns e
static inline double RowStep(double** A, int n, double* v, int i, double sigma) {
  double* a = A[i];
  for (int l = i; l < n; l++) v[l] = a[l];
  v[i] += sigma;
  a[i] = -sigma;
  return sigma*v[i];
}

// the later rows i+1..m-1 reflected by row step i with scale e
static void RowUpdate(double** A, int m, int n, double* v, int i, double e) {
  for (int k = i + 1; k < m; k++) {
    double* b = A[k];
    double t = 0.0;
    for (int l = i; l < n; l++) t += v[l]*b[l];
    t /= e;
    for (int l = i; l < n; l++) b[l] -= v[l]*t;
  }
}

// the pivot sums of the factorisations, inlined in their search loops
static inline double ColumnSum(double** A, int i0, int m, int j) {
  double s = 0.0;
  for (int i = i0; i < m; i++) s += fabs(A[i][j]);
  return s;
}

static inline double RowSum(double** A, int j0, int n, int i) {
  const double* a = A[i];
  double s = 0.0;
  for (int j = j0; j < n; j++) s += fabs(a[j]);
  return s;
}

// the first of lanes i..count-1 with the largest absolute sum
static inline int PivotOf(const double* abs_sum, int i, int count) {
  int p = i;
  double best = abs_sum[i];
  for (int j = i + 1; j < count; j++)
    if (abs_sum[j] > best) { best = abs_sum[j];  p = j; }
  return p;
}

// condition = |sigma| / |sigma0| (a zero first sigma means a zero matrix: ratio 0, nothing
// divided); 1 when step sigma lost rank
static inline int RankLost(double sigma, double sigma0) {
  condition = sigma0 != 0.0 ? fabs(sigma)/fabs(sigma0) : 0.0;
  return sigma == 0.0 || condition < _HHred_tol_;
}

//------------------------------------------------------------------ settings

// rank threshold of the Householder routines (initially 1e-6)
void JmSetHHTol(double tol) { _HHred_tol_ = tol; }
double JmGetHHTol() { return _HHred_tol_; }
// last pivot ratio |sigma_i| / |sigma_0| seen by a pivoted factorisation
double JmGetHHCondition() { return condition; }

//------------------------------------------------------------------ norms, pivots, reductions

// sum of |A[i][j]| over rows i0..m-1
double Pinf_normC(double** A, int i0, int m, int j) { return ColumnSum(A, i0, m, j); }

// sum of |A[i][j]| over columns j0..n-1
double Pinf_normR(double** A, int j0, int n, int i) { return RowSum(A, j0, n, i); }

// exchange b[i] and b[piv[i]] for i = 0..n-1
void JmPiv(double* b, int n, int* piv) {
  for (int i = 0; i < n; i++) Swap(&b[i], &b[piv[i]]);
}

// exchange x[i] and x[piv[i]] for i = n-1..0
void JmUnpiv(double* x, int n, int* piv) {
  for (int i = n - 1; i >= 0; i--) Swap(&x[i], &x[piv[i]]);
}

// zero A[i][j] for j < i < r
void JmMReduce(double** A, int r) {
  for (int i = 1; i < r; i++)
    for (int j = 0; j < i; j++) A[i][j] = 0.0;
}

// zero b[r..n-1]
void JmBReduce(double* b, int r, int n) {
  for (int i = r; i < n; i++) b[i] = 0.0;
}

//------------------------------------------------------------------ factorisations

// row factorisation of m x n A (m <= n), no pivoting; m, or the step where it lost rank
int JmHHTRed(double** A, int m, int n, double* v) {
  int k = m < n ? m : n;
  for (int i = 0; i < k; i++) {
    double s = 0.0;
    for (int l = i; l < n; l++) s += A[i][l]*A[i][l];
    double sigma = SignLike(sqrt(s), A[i][i]);
    double e = RowStep(A, n, v, i, sigma);
    if (e == 0.0 || fabs(e) < _HHred_tol_) {
      JmWarning("HHtred: matrix not of full rank\n");
      return i;
    }
    RowUpdate(A, m, n, v, i, e);
  }
  return k;
}

// column factorisation with column pivoting; returns the numerical rank. Two columns are
// reflected at a time in the lanes of a Pair (a row holds them side by side), and each
// reflected column sums its absolute values and squares below the next row as it is
// written, in the order a fresh sum would take: the same bits as one column at a time.
// The reflection loops mirror JmHHTRedP's on row pointers; one kernel reading both through
// a table of line pointers cost the row factorisation a tenth of its time.
int JmHHRedP(double** A, int m, int n, double* v, int* piv) {
  int k = m < n ? m : n;
  for (int i = 0; i < n; i++) piv[i] = i;
  if (k <= 0) return k;
  double dbuf[2*HH_ISTACK];
  double* abs_sum = n <= HH_ISTACK ? dbuf : JmVector(2*n);
  double* sq_sum = abs_sum + n;                  // column sums below the current row
  for (int j = 0; j < n; j++) {
    double sa = 0.0, sq = 0.0;
    for (int l = 0; l < m; l++) {
      sa += fabs(A[l][j]);
      sq += A[l][j]*A[l][j];
    }
    abs_sum[j] = sa;
    sq_sum[j] = sq;
  }
  double sigma0 = 0.0;
  int rank = k;
  for (int i = 0; i < k; i++) {
    int p = PivotOf(abs_sum, i, n);             // the column with the largest sum below row i
    double sigma = SignLike(sqrt(sq_sum[p]), A[i][p]);
    if (i == 0) sigma0 = sigma;
    if (RankLost(sigma, sigma0)) {
      piv[i] = i;
      rank = i;
      break;
    }
    piv[i] = p;
    if (p != i) {
      for (int l = 0; l < m; l++) Swap(&A[l][i], &A[l][p]);
      Swap(&abs_sum[i], &abs_sum[p]);
      Swap(&sq_sum[i], &sq_sum[p]);
    }
    for (int l = i; l < m; l++) v[l] = A[l][i];
    v[i] += sigma;
    A[i][i] = -sigma;
    double e = sigma*v[i];
    int c = i + 1;
    for (; c + 1 < n; c += 2) {
      Pair t = PairZero();
      for (int l = i; l < m; l++) t += PairOf(v[l])*PairLoad(A[l] + c);
      t /= PairOf(e);
      PairStore(A[i] + c, PairLoad(A[i] + c) - PairOf(v[i])*t);
      Pair sa = PairZero(), sq = PairZero();
      for (int l = i + 1; l < m; l++) {
        Pair x = PairLoad(A[l] + c) - PairOf(v[l])*t;
        PairStore(A[l] + c, x);
        sa += PairAbs(x);
        sq += x*x;
      }
      PairStore(abs_sum + c, sa);
      PairStore(sq_sum + c, sq);
    }
    if (c < n) {
      double t = 0.0;
      for (int l = i; l < m; l++) t += v[l]*A[l][c];
      t /= e;
      A[i][c] -= v[i]*t;
      double sa = 0.0, sq = 0.0;
      for (int l = i + 1; l < m; l++) {
        double x = A[l][c] - v[l]*t;
        A[l][c] = x;
        sa += fabs(x);
        sq += x*x;
      }
      abs_sum[c] = sa;
      sq_sum[c] = sq;
    }
  }
  if (abs_sum != dbuf) JmFreeVector(abs_sum);
  return rank;
}

// row factorisation with row pivoting; returns the numerical rank. The work runs on a
// column-major copy, two rows at a time in the lanes of a Pair, and each reflected row
// sums its absolute values and squares for the next pivot as it is written: every row sees
// the same operations in the same order as one row at a time, so the results are the same
// bits, and the sums no longer wait for the pivot.
int JmHHTRedP(double** A, int m, int n, double* v, int* piv) {
  int k = m < n ? m : n;
  for (int i = 0; i < m; i++) piv[i] = i;
  if (k <= 0) return k;
  int need = m*n + 2*m;
  double dbuf[HH_STACK];
  double* T = need <= HH_STACK ? dbuf : JmVector(need);
  double *abs_sum = T + m*n, *sq_sum = abs_sum + m;   // row sums right of the current column
  for (int r = 0; r < m; r++) {
    double sa = 0.0, sq = 0.0;
    for (int l = 0; l < n; l++) {
      double x = A[r][l];
      T[l*m + r] = x;
      sa += fabs(x);
      sq += x*x;
    }
    abs_sum[r] = sa;
    sq_sum[r] = sq;
  }
  double sigma0 = 0.0;
  int rank = k;
  for (int i = 0; i < k; i++) {
    int p = PivotOf(abs_sum, i, m);             // the row with the largest sum right of column i
    double sigma = SignLike(sqrt(sq_sum[p]), T[i*m + p]);
    if (i == 0) sigma0 = sigma;
    if (RankLost(sigma, sigma0)) {
      piv[i] = i;
      rank = i;
      break;
    }
    piv[i] = p;
    if (p != i)
      for (int l = 0; l < n; l++) Swap(&T[l*m + i], &T[l*m + p]);
    // the reflection vector from row i, then the later rows reflected
    for (int l = i; l < n; l++) v[l] = T[l*m + i];
    v[i] += sigma;
    T[i*m + i] = -sigma;
    double e = sigma*v[i];
    int r = i + 1;
    for (; r + 1 < m; r += 2) {
      Pair t = PairZero();
      for (int l = i; l < n; l++) t += PairOf(v[l])*PairLoad(T + l*m + r);
      t /= PairOf(e);
      PairStore(T + i*m + r, PairLoad(T + i*m + r) - PairOf(v[i])*t);
      Pair sa = PairZero(), sq = PairZero();
      for (int l = i + 1; l < n; l++) {
        Pair x = PairLoad(T + l*m + r) - PairOf(v[l])*t;
        PairStore(T + l*m + r, x);
        sa += PairAbs(x);
        sq += x*x;
      }
      PairStore(abs_sum + r, sa);
      PairStore(sq_sum + r, sq);
    }
    if (r < m) {
      double t = 0.0;
      for (int l = i; l < n; l++) t += v[l]*T[l*m + r];
      t /= e;
      T[i*m + r] -= v[i]*t;
      double sa = 0.0, sq = 0.0;
      for (int l = i + 1; l < n; l++) {
        double x = T[l*m + r] - v[l]*t;
        T[l*m + r] = x;
        sa += fabs(x);
        sq += x*x;
      }
      abs_sum[r] = sa;
      sq_sum[r] = sq;
    }
  }
  for (int r = 0; r < m; r++)
    for (int l = 0; l < n; l++) A[r][l] = T[l*m + r];
  if (T != dbuf) JmFreeVector(T);
  return rank;
}

//------------------------------------------------------------------ applying reflections

// x = Q' x with the column reflections 0..k-1 (x has m entries)
void JmHHMult_U(double** A, int m, int k, double* v, double* x) {
  for (int i = 0; i < k; i++) {
    double t = v[i]*x[i];
    for (int j = i + 1; j < m; j++) t += A[j][i]*x[j];
    t /= v[i]*A[i][i];
    x[i] += v[i]*t;
    for (int j = i + 1; j < m; j++) x[j] += A[j][i]*t;
  }
}

// the row reflections 0..k-1 in order (x has n entries)
void JmHHMult_L(double** A, int k, int n, double* v, double* x) {
  for (int i = 0; i < k; i++) RowReflect(A, i, n, v, x);
}

// the row reflections k-1..0 in reverse order
void JmHHTMult_L(double** A, int k, int n, double* v, double* x) {
  for (int i = k - 1; i >= 0; i--) RowReflect(A, i, n, v, x);
}

//------------------------------------------------------------------ triangular solves

// back substitution U x = b in place
void JmSolveUx_b(double** U, int n, double* b) {
  for (int i = n - 1; i >= 0; i--) {
    double s = b[i];
    for (int j = i + 1; j < n; j++) s -= U[i][j]*b[j];
    b[i] = s/U[i][i];
  }
}

// forward substitution L x = b in place
void JmSolveLx_b(double** L, int n, double* b) {
  for (int i = 0; i < n; i++) {
    double s = b[i];
    for (int j = 0; j < i; j++) s -= L[i][j]*b[j];
    b[i] = s/L[i][i];
  }
}

//------------------------------------------------------------------ solvers

// least squares A x = b (m >= n); A destroyed; x in b[0..n-1]; returns the rank.
// b and v hold max(m, n) entries, piv n; a rank-deficient A gives the minimum-norm solution
int JmSolveLeastSquares(double** A, int m, int n, double* b, double* v, int* piv) {
  int r = JmHHRedP(A, m, n, v, piv);
  JmHHMult_U(A, m, r, v, b);
  if (r == n) {
    JmSolveUx_b(A, n, b);
  } else {
    // [R11 R12] = [L 0] Q by rows; x = Q' [L^-1 c; 0]
    JmMReduce(A, r);
    JmBReduce(b, r, n);
    int q = JmHHTRed(A, r, n, v);
    JmBReduce(b, q, n);                      // only the rows that were factorised
    JmSolveLx_b(A, q, b);
    JmHHTMult_L(A, q, n, v, b);
  }
  JmUnpiv(b, n, piv);
  return r;
}

// minimum norm A x = b (m <= n); b holds n entries; x in b; returns the rank
int JmSolveMinNorm(double** A, int m, int n, double* b, double* v, int* piv) {
  int r = JmHHTRedP(A, m, n, v, piv);
  JmMinNormFromHH(A, m, n, r, b, v, piv);
  return r;
}

// the minimum-norm solution from A, v, piv as JmHHTRedP left them with rank r
void JmMinNormFromHH(double** A, int m, int n, int r, double* b, double* v, int* piv) {
  JmPiv(b, m, piv);
  JmSolveLx_b(A, r, b);
  JmBReduce(b, r, n);
  JmHHTMult_L(A, r, n, v, b);
}

// dx (c) with G dx = h (G a x c) minimising |F dx - f| (F n x c); F and G destroyed.
// A rank-deficient G (rank g) keeps its g independent rows and a null space of c - g.
void JmSolveConstrainedLinear(double** F, double** G, double* f, double* h, double* dx,
                              int n, int c, int a) {
  int ac = a > c ? a : c;
  double dbuf[HH_ISTACK];
  int ibuf[HH_ISTACK];
  double* vG = ac <= HH_ISTACK ? dbuf : JmVector(ac);
  int* pivG = a <= HH_ISTACK ? ibuf : JmIVector(a);
  int g = JmHHTRedP(G, a, c, vG, pivG);
  JmSolveConstrainedLinearHH(F, G, vG, pivG, g, f, h, dx, n, c, a);
  if (vG != dbuf) JmFreeVector(vG);
  if (pivG != ibuf) JmFreeIVector(pivG);
}

// the same step with G already factorised by JmHHTRedP (vG, pivG, rank g); G unchanged
void JmSolveConstrainedLinearHH(double** F, double** G, double* vG, int* pivG, int g,
                                double* f, double* h, double* dx, int n, int c, int a) {
  int ac = a > c ? a : c, nc = n > c ? n : c;
  int need = ac + c*c + 2*nc + 2*c;
  double dbuf[HH_STACK];
  int ibuf[HH_ISTACK];
  double* W = need <= HH_STACK ? dbuf : JmVector(need);
  int* pivF = c <= HH_ISTACK ? ibuf : JmIVector(c);
  double *x0 = W, *N = x0 + ac, *w = N + c*c, *vF = w + nc;
  double *col = vF + nc, *row = col + c;

  // x0: minimum-norm solution of G x0 = h
  for (int j = 0; j < ac; j++) x0[j] = j < a ? h[j] : 0.0;
  JmMinNormFromHH(G, a, c, g, x0, vG, pivG);
  int d = c - g;
  // null space of G: e(g+i) through the g row reflections in reverse; N is c x d
  for (int i = 0; i < d; i++) {
    for (int j = 0; j < c; j++) col[j] = 0.0;
    col[g + i] = 1.0;
    JmHHTMult_L(G, g, c, vG, col);
    for (int j = 0; j < c; j++) N[j*d + i] = col[j];
  }

  // w = f - F x0, then F N into the leading d columns of F, one row at a time
  for (int r = 0; r < n; r++) {
    double s = 0.0;
    for (int k = 0; k < c; k++) s += F[r][k]*x0[k];
    w[r] = f[r] - s;
  }
  for (int r = 0; r < n; r++) {
    for (int i = 0; i < d; i++) {
      double s = 0.0;
      for (int k = 0; k < c; k++) s += F[r][k]*N[k*d + i];
      row[i] = s;
    }
    for (int i = 0; i < d; i++) F[r][i] = row[i];
  }

  // (F N) y = w in the least-squares sense; dx = x0 + N y
  JmSolveLeastSquares(F, n, d, w, vF, pivF);
  for (int j = 0; j < c; j++) {
    double s = x0[j];
    for (int i = 0; i < d; i++) s += N[j*d + i]*w[i];
    dx[j] = s;
  }
  if (W != dbuf) JmFreeVector(W);
  if (pivF != ibuf) JmFreeIVector(pivF);
}

// norm of the part of F' f outside the row space of G; G unchanged (a copy is factorised)
double JmNormalityCondition(double* f, double** F, double* h, double** G, int n, int c, int a) {
  (void)h;
  int ac = a > c ? a : c;
  int need = a*c + ac;
  double dbuf[HH_STACK];
  double* rbuf[HH_ISTACK];
  int ibuf[HH_ISTACK];
  double* W = need <= HH_STACK ? dbuf : JmVector(need);
  int* piv = a <= HH_ISTACK ? ibuf : JmIVector(a);
  double *Gp = W, *v = Gp + a*c;
  double** Gc = a <= HH_ISTACK ? rbuf : JmConvertMatrix_(Gp, a, c);
  for (int i = 0; i < a; i++) Gc[i] = Gp + i*c;
  for (int i = 0; i < a; i++)
    for (int j = 0; j < c; j++) Gc[i][j] = G[i][j];
  int b = JmHHTRedP(Gc, a, c, v, piv);
  double res = JmNormalityConditionHH(f, F, Gc, v, b, n, c);

  if (Gc != rbuf) JmFreeConvertMatrix(Gc);
  if (piv != ibuf) JmFreeIVector(piv);
  if (W != dbuf) JmFreeVector(W);
  return res;
}

// the same norm with G factorised by JmHHTRedP (v, rank b)
double JmNormalityConditionHH(double* f, double** F, double** G, double* v, int b, int n,
                              int c) {
  double dbuf[HH_STACK];
  double* g = c <= HH_STACK ? dbuf : JmVector(c);
  // g = F' f
  for (int j = 0; j < c; j++) {
    double s = 0.0;
    for (int k = 0; k < n; k++) s += F[k][j]*f[k];
    g[j] = s;
  }
  JmHHMult_L(G, b, c, v, g);
  double res = JmMagn(g + b, c - b);
  if (g != dbuf) JmFreeVector(g);
  return res;
}
