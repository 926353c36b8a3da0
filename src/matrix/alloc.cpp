// alloc.cpp -- vectors, row-pointer matrices and three-index arrays: allocation and release
#include <cstdint>   // for: SIZE_MAX
#include <cstdlib>   // for: malloc(), free()

#include "matrix.h"

//------------------------------------------------------------------ static helpers

// count*size bytes, or nullptr when a size is negative or the product overflows;
// at least one element, so that a zero count still gives a slot 0 and a pointer to free
static void* Block(long long count, size_t size) {
  if (count < 0) return nullptr;
  if (count == 0) count = 1;
  if ((unsigned long long)count > SIZE_MAX/size) return nullptr;
  return malloc((size_t)count*size);
}

// m*n as a wide count, so that large dimensions cannot wrap around
static long long Count2(int m, int n) {
  if (m < 0 || n < 0) return -1;
  return (long long)m*(long long)n;
}

// l*m*n as a wide count, or -1 when it would not fit
static long long Count3(int l, int m, int n) {
  if (l < 0 || m < 0 || n < 0) return -1;
  long long lm = (long long)l*(long long)m;
  if (n != 0 && lm > INT64_MAX/n) return -1;
  return lm*n;
}

//------------------------------------------------------------------ vectors

// n elements, not initialised
double* JmVector(int n) {
  double* v = (double*)Block(n, sizeof(double));
  if (!v) JmError(1, "vector: Allocation error\n");
  return v;
}

float* JmFVector(int n) {
  float* v = (float*)Block(n, sizeof(float));
  if (!v) JmError(1, "fvector: Allocation error\n");
  return v;
}

int* JmIVector(int n) {
  int* v = (int*)Block(n, sizeof(int));
  if (!v) JmError(1, "ivector: Allocation error\n");
  return v;
}

void JmFreeVector(double* v) { free(v); }
void JmFreeFVector(float* v) { free(v); }
void JmFreeIVector(int* v) { free(v); }

//------------------------------------------------------------------ matrices

// m row pointers into one block of m*n elements; row 0 is the block
double** JmMatrix(int m, int n) {
  double** A = (double**)Block(m, sizeof(double*));
  if (!A) JmError(1, "dmatrix: Allocation error\n");
  double* p = (double*)Block(Count2(m, n), sizeof(double));
  if (!p) JmError(1, "matrix: Allocation error\n");
  for (int i = 0; i < m; i++) A[i] = p + (size_t)i*n;
  if (m == 0) A[0] = p;                      // keep the block reachable for the free
  return A;
}

float** JmFMatrix(int m, int n) {
  float** A = (float**)Block(m, sizeof(float*));
  if (!A) JmError(1, "dmatrix: Allocation error\n");
  float* p = (float*)Block(Count2(m, n), sizeof(float));
  if (!p) JmError(1, "fmatrix: Allocation error\n");
  for (int i = 0; i < m; i++) A[i] = p + (size_t)i*n;
  if (m == 0) A[0] = p;
  return A;
}

int** JmIMatrix(int m, int n) {
  int** A = (int**)Block(m, sizeof(int*));
  if (!A) JmError(1, "dmatrix: Allocation error\n");
  int* p = (int*)Block(Count2(m, n), sizeof(int));
  if (!p) JmError(1, "imatrix: Allocation error\n");
  for (int i = 0; i < m; i++) A[i] = p + (size_t)i*n;
  if (m == 0) A[0] = p;
  return A;
}

// the block through row pointer 0, then the pointers; NULL does nothing
void JmFreeMatrix(double** A) {
  if (!A) return;
  free(A[0]);  free(A);
}

void JmFreeFMatrix(float** A) {
  if (!A) return;
  free(A[0]);  free(A);
}

void JmFreeIMatrix(int** A) {
  if (!A) return;
  free(A[0]);  free(A);
}

//------------------------------------------------------------------ wrapped matrices

// row pointers over the caller's contiguous p (row i at p + i*n)
double** JmConvertMatrix_(double* p, int m, int n) {
  double** A = (double**)Block(m, sizeof(double*));
  if (!A) JmError(1, "convertmatrix: Allocation error\n");
  for (int i = 0; i < m; i++) A[i] = p + (size_t)i*n;
  return A;
}

float** JmConvertFMatrix_(float* p, int m, int n) {
  float** A = (float**)Block(m, sizeof(float*));
  if (!A) JmError(1, "convertfmatrix: Allocation error\n");
  for (int i = 0; i < m; i++) A[i] = p + (size_t)i*n;
  return A;
}

int** JmConvertIMatrix_(int* p, int m, int n) {
  int** A = (int**)Block(m, sizeof(int*));
  if (!A) JmError(1, "convertimatrix: Allocation error\n");
  for (int i = 0; i < m; i++) A[i] = p + (size_t)i*n;
  return A;
}

// the pointers only; the data stay the caller's
void JmFreeConvertMatrix(double** A) { free(A); }
void JmFreeConvertFMatrix(float** A) { free(A); }
void JmFreeConvertIMatrix(int** A) { free(A); }

//------------------------------------------------------------------ three-index arrays

// l pointers, l*m row pointers, l*m*n elements; A[i][j][k]
double*** JmArray(int l, int m, int n) {
  double*** A = (double***)Block(l, sizeof(double**));
  double** rows = A ? (double**)Block(Count2(l, m), sizeof(double*)) : nullptr;
  double* p = rows ? (double*)Block(Count3(l, m, n), sizeof(double)) : nullptr;
  if (!p) JmError(1, "array: Allocation error\n");
  for (long long k = 0; k < (long long)l*m; k++) rows[k] = p + k*n;
  for (int i = 0; i < l; i++) A[i] = rows + (size_t)i*m;
  if (l == 0) A[0] = rows;                   // keep both blocks reachable for the free
  if (l*(long long)m == 0) rows[0] = p;
  return A;
}

float*** JmFArray(int l, int m, int n) {
  float*** A = (float***)Block(l, sizeof(float**));
  float** rows = A ? (float**)Block(Count2(l, m), sizeof(float*)) : nullptr;
  float* p = rows ? (float*)Block(Count3(l, m, n), sizeof(float)) : nullptr;
  if (!p) JmError(1, "farray: Allocation error\n");
  for (long long k = 0; k < (long long)l*m; k++) rows[k] = p + k*n;
  for (int i = 0; i < l; i++) A[i] = rows + (size_t)i*m;
  if (l == 0) A[0] = rows;
  if (l*(long long)m == 0) rows[0] = p;
  return A;
}

int*** JmIArray(int l, int m, int n) {
  int*** A = (int***)Block(l, sizeof(int**));
  int** rows = A ? (int**)Block(Count2(l, m), sizeof(int*)) : nullptr;
  int* p = rows ? (int*)Block(Count3(l, m, n), sizeof(int)) : nullptr;
  if (!p) JmError(1, "iarray: Allocation error\n");
  for (long long k = 0; k < (long long)l*m; k++) rows[k] = p + k*n;
  for (int i = 0; i < l; i++) A[i] = rows + (size_t)i*m;
  if (l == 0) A[0] = rows;
  if (l*(long long)m == 0) rows[0] = p;
  return A;
}

// elements (through A[0][0]), row pointers (through A[0]), then the top; NULL does nothing
void JmFreeArray(double*** A) {
  if (!A) return;
  free(A[0][0]);  free(A[0]);  free(A);
}

void JmFreeFArray(float*** A) {
  if (!A) return;
  free(A[0][0]);  free(A[0]);  free(A);
}

void JmFreeIArray(int*** A) {
  if (!A) return;
  free(A[0][0]);  free(A[0]);  free(A);
}

//------------------------------------------------------------------ wrapped arrays

// two pointer levels over the caller's contiguous p
double*** JmConvertArray_(double* p, int l, int m, int n) {
  double*** A = (double***)Block(l, sizeof(double**));
  double** rows = A ? (double**)Block(Count2(l, m), sizeof(double*)) : nullptr;
  if (!rows) JmError(1, "convertarray: Allocation error\n");
  for (long long k = 0; k < (long long)l*m; k++) rows[k] = p + k*n;
  for (int i = 0; i < l; i++) A[i] = rows + (size_t)i*m;
  if (l == 0) A[0] = rows;
  return A;
}

float*** JmConvertFArray_(float* p, int l, int m, int n) {
  float*** A = (float***)Block(l, sizeof(float**));
  float** rows = A ? (float**)Block(Count2(l, m), sizeof(float*)) : nullptr;
  if (!rows) JmError(1, "convertfarray: Allocation error\n");
  for (long long k = 0; k < (long long)l*m; k++) rows[k] = p + k*n;
  for (int i = 0; i < l; i++) A[i] = rows + (size_t)i*m;
  if (l == 0) A[0] = rows;
  return A;
}

int*** JmConvertIArray_(int* p, int l, int m, int n) {
  int*** A = (int***)Block(l, sizeof(int**));
  int** rows = A ? (int**)Block(Count2(l, m), sizeof(int*)) : nullptr;
  if (!rows) JmError(1, "convertiarray: Allocation error\n");
  for (long long k = 0; k < (long long)l*m; k++) rows[k] = p + k*n;
  for (int i = 0; i < l; i++) A[i] = rows + (size_t)i*m;
  if (l == 0) A[0] = rows;
  return A;
}

// the two pointer levels only; the data stay the caller's
void JwFreeConvertArray(double*** A) {
  if (!A) return;
  free(A[0]);  free(A);
}

void JwFreeConvertFArray(float*** A) {
  if (!A) return;
  free(A[0]);  free(A);
}

void JwFreeConvertIArray(int*** A) {
  if (!A) return;
  free(A[0]);  free(A);
}
