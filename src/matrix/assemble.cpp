// assemble.cpp -- copy a block into a larger matrix
#include "matrix.h"

//------------------------------------------------------------------ public API

// D[r0+i][c0+j] = S[i][j], i < m, j < n
void JmAssemble(double** S, double** D, int m, int n, int r0, int c0) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) D[r0 + i][c0 + j] = S[i][j];
}

void JmFAssemble(float** S, float** D, int m, int n, int r0, int c0) {
  for (int i = 0; i < m; i++)
    for (int j = 0; j < n; j++) D[r0 + i][c0 + j] = S[i][j];
}
