// limit_text.cpp -- the words of a joint that a pose would take past its limits
#include "kin/limit_text.h"

#include <stdio.h>  // for: snprintf()

const char* JointLimitText(int j, int above) {
  static char text[64];
  snprintf(text, sizeof text, above ? "Maximum Limit of Joint %d Exceeded"
                                    : "Minimum Limit of Joint %d Exceeded", j + 1);
  return text;
}
