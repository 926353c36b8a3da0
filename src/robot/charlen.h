// charlen.h -- characteristic length and maximum reach of a robot through the libraries
#ifndef VELMORA_CHARLEN_H
#define VELMORA_CHARLEN_H

#include "robot/robot.h"

// characteristic length of r from torvik; the posture goes to
// "JConfig/<name>.Characteristic" when the length is positive; 0 or less: none found
double caculate_length(Robot r);
// maximum reach of r from pondrel; the posture goes to "JConfig/<name>.Maxreach" when the
// reach is positive; 0 or less: none found
double caculate_maxreach(Robot r);
// write "th = [  " th of link 0, then the n-1 values of q, " ]" into "JConfig/<name>.<suffix>";
// an earlier file is replaced; 0, or -1 when the file cannot be made (no message; a
// missing "JConfig" directory is not created)
int WriteCharacteristicPosture(Robot r, const char* suffix, const double* q);
// the callers' step: L = caculate_length; types 0 and 4 also m_maximum_reach; then
// m_homogenous_length = L, m_converge_flag = L > 0, avg_len = L or sum(a + |b|) / (2 n),
// rad = avg_len / 8
void RobotCharacteristicLength(Robot r);

#endif
