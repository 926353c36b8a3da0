// matrix.h -- vectors, row-pointer matrices, three-index arrays and their operations
#ifndef VELMORA_MATRIX_H
#define VELMORA_MATRIX_H

//------------------------------------------------------------------ messages
// print to stderr and exit with status; used for fatal allocation failures
void JmError(int status, const char* format, ...);
// print to stderr and return
void JmWarning(const char* format, ...);

//------------------------------------------------------------------ alloc
// vectors: n elements, not initialised
double* JmVector(int n);
float* JmFVector(int n);
int* JmIVector(int n);
void JmFreeVector(double* v);
void JmFreeFVector(float* v);
void JmFreeIVector(int* v);

// m x n matrix: m row pointers into one block of m*n elements; row 0 is the block
double** JmMatrix(int m, int n);
float** JmFMatrix(int m, int n);
int** JmIMatrix(int m, int n);
void JmFreeMatrix(double** A);
void JmFreeFMatrix(float** A);
void JmFreeIMatrix(int** A);

// row pointers over the caller's contiguous p (row i at p + i*n); free releases pointers only
double** JmConvertMatrix_(double* p, int m, int n);
float** JmConvertFMatrix_(float* p, int m, int n);
int** JmConvertIMatrix_(int* p, int m, int n);
void JmFreeConvertMatrix(double** A);
void JmFreeConvertFMatrix(float** A);
void JmFreeConvertIMatrix(int** A);

// l x m x n array: l pointers, l*m row pointers, l*m*n elements
double*** JmArray(int l, int m, int n);
float*** JmFArray(int l, int m, int n);
int*** JmIArray(int l, int m, int n);
void JmFreeArray(double*** A);
void JmFreeFArray(float*** A);
void JmFreeIArray(int*** A);

// two pointer levels over the caller's contiguous p; free releases the pointers only
double*** JmConvertArray_(double* p, int l, int m, int n);
float*** JmConvertFArray_(float* p, int l, int m, int n);
int*** JmConvertIArray_(int* p, int l, int m, int n);
void JwFreeConvertArray(double*** A);
void JwFreeConvertFArray(float*** A);
void JwFreeConvertIArray(int*** A);

//------------------------------------------------------------------ zeros, identity
// v = 0
void JmZeroVector(double* v, int n);
void JmZeroFVector(float* v, int n);
void JmZeroIVector(int* v, int n);
// A (m x n) = 0
void JmZeroMatrix(double** A, int m, int n);
void JmZeroFMatrix(float** A, int m, int n);
void JmZeroIMatrix(int** A, int m, int n);
// all l*m*n elements = 0
void JmZeroArray(double*** A, int l, int m, int n);
void JmZeroFArray(float*** A, int l, int m, int n);
void JmZeroIArray(int*** A, int l, int m, int n);
// A = 0, then A[i][i] = 1 for i < min(m, n)
void JmIdentityMat(double** A, int m, int n);
void JmIdentityFMmat(float** A, int m, int n);
void JmIdentityIMat(int** A, int m, int n);

//------------------------------------------------------------------ blocks
// D[i][j] = S[r0+i][c0+j], i < m, j < n
void JmExtract(double** S, double** D, int m, int n, int r0, int c0);
void JmFExtract(float** S, float** D, int m, int n, int r0, int c0);
// D[r0+i][c0+j] = S[i][j]
void JmAssemble(double** S, double** D, int m, int n, int r0, int c0);
void JmFAssemble(float** S, float** D, int m, int n, int r0, int c0);

//------------------------------------------------------------------ matrix arithmetic
// B = A
void JmMatCopy(double** A, double** B, int m, int n);
void JmFMatCopy(float** A, float** B, int m, int n);
// C = A + B
void JmMatAdd(double** A, double** B, double** C, int m, int n);
void JmFMatAdd(float** A, float** B, float** C, int m, int n);
// C = A - B
void JmMatSub(double** A, double** B, double** C, int m, int n);
void JmFMatSub(float** A, float** B, float** C, int m, int n);
// B = s A
void JmMatScal(double** A, double** B, double s, int m, int n);
void JmFMatScal(float** A, float** B, float s, int m, int n);
// A = s A
void JmMatScalOW(double** A, double s, int m, int n);
void JmFMatScalOW(float** A, float s, int m, int n);
// C (l x n) = A (l x m) B (m x n); C must not share storage with A or B
void JmMatMul(double** A, double** B, double** C, int l, int m, int n);
void JmFMatMul(float** A, float** B, float** C, int l, int m, int n);
// same product through a temporary, so C may be A or B
void JmMatmulOW(double** A, double** B, double** C, int l, int m, int n);
void JmFMatMulOW(float** A, float** B, float** C, int l, int m, int n);
// C (m x n) = A' B; A is l x m, B is l x n
void JmTMatMul(double** A, double** B, double** C, int l, int m, int n);
void JmFTMatMul(float** A, float** B, float** C, int l, int m, int n);
// B (n x m) = A' (A is m x n)
void JmTranspose(double** A, double** B, int m, int n);
void JmFTranspose(float** A, float** B, int m, int n);
// square A transposed in place
void JmTransposeOW(double** A, int n);
void JmFTransposeOW(float** A, int n);
// M[i][j] = a[i] b[j]
void JmTensor(double* a, double* b, double** M, int m, int n);
void JmFTensor(float* a, float* b, float** M, int m, int n);

//------------------------------------------------------------------ matrix-vector
// y (m) = A (m x n) x (n)
void JmMatVec(double** A, double* x, double* y, int m, int n);
void JmFMmatVec(float** A, float* x, float* y, int m, int n);
// same through a temporary of m, so y may be x
void JmMatVecOW(double** A, double* x, double* y, int m, int n);
void JmFMatVecOW(float** A, float* x, float* y, int m, int n);
// y (n) = A' x; A is m x n, x has m
void JmTMatVec(double** A, double* x, double* y, int m, int n);
void JmTFMatVec(float** A, float* x, float* y, int m, int n);
// same through a temporary of n
void JmTMmatVecOW(double** A, double* x, double* y, int m, int n);
void JmTFMatVecOW(float** A, float* x, float* y, int m, int n);
// y (n) = row vector x (m) times A (m x n)
void JmVecMat(double* x, double** A, double* y, int m, int n);
void JmFVecMat(float* x, float** A, float* y, int m, int n);
// same through a temporary of n
void JmVecMatOW(double* x, double** A, double* y, int m, int n);
void JmFVecMatOW(float* x, float** A, float* y, int m, int n);

//------------------------------------------------------------------ vectors
// dst = src (source first)
void JmVecCopy(double* src, double* dst, int n);
void JmFVecCopy(float* src, float* dst, int n);
// c = a + b
void JmVecAdd(double* a, double* b, double* c, int n);
void JmFVecAdd(float* a, float* b, float* c, int n);
// c = a - b
void JmVecSub(double* a, double* b, double* c, int n);
void JmFVecSub(float* a, float* b, float* c, int n);
// dst = s src
void JmVecScal(double* src, double* dst, double s, int n);
void JmFVecScal(float* src, float* dst, float s, int n);
// v = s v
void JmVecScalOW(double* v, double s, int n);
void JmFVecScalOW(float* v, float s, int n);
// sum of a[k] b[k], k from n-1 down to 0
double JmDot(double* a, double* b, int n);
float JmFDot(float* a, float* b, int n);
// sqrt of the sum of squares, from the last element down
double JmMagn(double* v, int n);
float JmFMagn(float* v, int n);
// m = sqrt of the sum of squares (from the first element); v /= m; returns m
double JmNormalize(double* v, int n);
float JmFNormalize(float* v, int n);
// c = a x b
void JmCross(double* a, double* b, double* c);
void JmFCross(float* a, float* b, float* c);
// M = [v]x so that M x = v x x
void JmOneCross(double* v, double** M);
void JmFOneCross(float* v, float** M);

//------------------------------------------------------------------ print
// page width (values below 1 become 1) and element formats; the pointers are stored, not copied
void JmSetPrintCols(int n);
void JmSetPrintIntFormat(char* s);
void JmSetPrintFloatFormat(char* s);
// title, then each element on its own line, then a blank line
void JmPrintVector(double* v, int n, const char* title, ...);
void JmPrintFVector(float* v, int n, const char* title, ...);
void JmPrintIVector(int* v, int n, const char* title, ...);
// title, then the vector as one paged row
void JmPrintVectorT(double* v, int n, const char* title, ...);
void JmPrintFVectorT(float* v, int n, const char* title, ...);
void JmPrintIVectorT(int* v, int n, const char* title, ...);
// title, then the matrix in column pages
void JmPrintMatrix(double** A, int m, int n, const char* title, ...);
void JmPrintFMatrix(float** A, int m, int n, const char* title, ...);
void JmPrintIMatrix(int** A, int m, int n, const char* title, ...);
// title, then each of the l matrices under "Matrix %d\n"
void JmPrintArray(double*** A, int l, int m, int n, const char* title, ...);
void JmPrintFArray(float*** A, int l, int m, int n, const char* title, ...);
void JmPrintIArray(int*** A, int l, int m, int n, const char* title, ...);

//------------------------------------------------------------------ HHred
// rank threshold of the Householder routines (initially 1e-6)
void JmSetHHTol(double tol);
double JmGetHHTol();
// last pivot ratio |sigma_i| / |sigma_0| seen by a pivoted factorisation
double JmGetHHCondition();

// row factorisation of m x n A (m <= n), no pivoting; m, or the step where it lost rank
int JmHHTRed(double** A, int m, int n, double* v);
// column factorisation with column pivoting; returns the numerical rank
int JmHHRedP(double** A, int m, int n, double* v, int* piv);
// row factorisation with row pivoting; returns the numerical rank
int JmHHTRedP(double** A, int m, int n, double* v, int* piv);
// x = Q' x with the column reflections 0..k-1 (x has m entries)
void JmHHMult_U(double** A, int m, int k, double* v, double* x);
// the row reflections 0..k-1 in order (x has n entries)
void JmHHMult_L(double** A, int k, int n, double* v, double* x);
// the row reflections k-1..0 in reverse order
void JmHHTMult_L(double** A, int k, int n, double* v, double* x);
// back substitution U x = b in place
void JmSolveUx_b(double** U, int n, double* b);
// forward substitution L x = b in place
void JmSolveLx_b(double** L, int n, double* b);
// exchange b[i] and b[piv[i]] for i = 0..n-1
void JmPiv(double* b, int n, int* piv);
// exchange x[i] and x[piv[i]] for i = n-1..0
void JmUnpiv(double* x, int n, int* piv);
// zero A[i][j] for j < i < r
void JmMReduce(double** A, int r);
// zero b[r..n-1]
void JmBReduce(double* b, int r, int n);
// sum of |A[i][j]| over rows i0..m-1
double Pinf_normC(double** A, int i0, int m, int j);
// sum of |A[i][j]| over columns j0..n-1
double Pinf_normR(double** A, int j0, int n, int i);

// least squares A x = b (m >= n); A destroyed; x in b[0..n-1]; returns the rank
int JmSolveLeastSquares(double** A, int m, int n, double* b, double* v, int* piv);
// minimum norm A x = b (m <= n); b holds n entries; x in b; returns the rank
int JmSolveMinNorm(double** A, int m, int n, double* b, double* v, int* piv);
// the minimum-norm solution from A, v, piv as JmHHTRedP left them with rank r
void JmMinNormFromHH(double** A, int m, int n, int r, double* b, double* v, int* piv);
// dx (c) with G dx = h (G a x c) minimising |F dx - f| (F n x c); F and G destroyed
void JmSolveConstrainedLinear(double** F, double** G, double* f, double* h, double* dx,
                              int n, int c, int a);
// the same step with G already factorised by JmHHTRedP (vG, pivG, rank g); G unchanged
void JmSolveConstrainedLinearHH(double** F, double** G, double* vG, int* pivG, int g,
                                double* f, double* h, double* dx, int n, int c, int a);
// norm of the part of F' f outside the row space of G; G unchanged
double JmNormalityCondition(double* f, double** F, double* h, double** G, int n, int c, int a);
// the same norm with G factorised by JmHHTRedP (v, rank b)
double JmNormalityConditionHH(double* f, double** F, double** G, double* v, int b, int n,
                              int c);

//------------------------------------------------------------------ cond
// condition number of m x n A (A unchanged); -1 when rank-deficient; prints "Matrix Rank %d\n"
double JmMatrixCondition(double** A, int m, int n);
// the same without the line, the rank into *rank (the conditioning map calls it per cell)
double JmMatrixConditionRank(double** A, int m, int n, int* rank);

#endif
