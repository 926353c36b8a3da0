// nlchain.h -- serial-chain evaluation and the squared condition number for the libraries
#ifndef VELMORA_NLCHAIN_H
#define VELMORA_NLCHAIN_H

// workspace doubles NlChainEval needs for n joints
#define NL_CHAIN_WORK(n) (18*(n))

// chain of n joints, angles in radians; Q_i = [ct -l*st m*st; st l*ct -m*ct; 0 m l] with
// l = cos(al_i), m = sin(al_i); P_1 = Q_1, P_i = P_(i-1) Q_i; a_v(:,i) = [a ct; a st; b];
// r_v(:,n) = a_v(:,n), r_v(:,i) = a_v(:,i) + Q_i r_v(:,i+1); exr(:,1) = [-r2; r1; 0] of
// r_v(:,1), exr(:,i) = P_(i-1) [-r2; r1; 0] of r_v(:,i); e(:,1) = [0;0;1], e(:,i) = third
// column of P_(i-1). rv, exr, e are 3 x n column-major (each may be NULL); work holds
// NL_CHAIN_WORK(n) doubles
void NlChainEval(int n, const double* a, const double* b, const double* al,
                 const double* th, double* rv, double* exr, double* e, double* work);

// r_v(:,1) of the chain alone: the end point relative to joint 1, in frame 1
void NlChainEndPoint(int n, const double* a, const double* b, const double* al,
                     const double* th, double r1[3]);

// (1/d^2) trace(H H') trace(inv(H H')), H d x n column-major, d <= 6; +Inf when H H' is
// singular (not positive definite), NaN stays NaN
double NlKapaSquare(const double* H, int d, int n);

#endif
