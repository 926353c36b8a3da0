// extract.cpp -- copy a block out of a larger matrix
#include "matrix.h"

//------------------------------------------------------------------ public API

// D[i][j] = S[r0+i][c0+j], i < m, j < n
void JmExtract(double** S, double** D, int m, int n, int r0, int c0) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) D[i][j] = S[r0 + i][c0 + j];
}

void JmFExtract(float** S, float** D, int m, int n, int r0, int c0) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) D[i][j] = S[r0 + i][c0 + j];
}
