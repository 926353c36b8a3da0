// onecross.cpp -- the cross-product matrix of a 3-vector
#include "matrix.h"

//------------------------------------------------------------------ public API

// M = [v]x so that M x = v x x: rows (0, -vz, vy), (vz, 0, -vx), (-vy, vx, 0)
void JmOneCross(double* v, double** M) {
  M[0][0] = 0.0;    M[0][1] = -v[2];  M[0][2] = v[1];
  M[1][0] = v[2];   M[1][1] = 0.0;    M[1][2] = -v[0];
  M[2][0] = -v[1];  M[2][1] = v[0];   M[2][2] = 0.0;
}

void JmFOneCross(float* v, float** M) {
  M[0][0] = 0.0f;   M[0][1] = -v[2];  M[0][2] = v[1];
  M[1][0] = v[2];   M[1][1] = 0.0f;   M[1][2] = -v[0];
  M[2][0] = -v[1];  M[2][1] = v[0];   M[2][2] = 0.0f;
}
