// limit_text.h -- the words of a joint that a pose would take past its limits, for the joint
// panel and the solvers alike
#ifndef VELMORA_LIMIT_TEXT_H
#define VELMORA_LIMIT_TEXT_H

// "Maximum Limit of Joint %d Exceeded" (above) or "Minimum Limit of Joint %d Exceeded" for the
// 0-based joint j, in one static buffer
const char* JointLimitText(int j, int above);

#endif
