// nl_capture.h -- collects run-time error texts in the numeric-library tests
#ifndef VELMORA_TEST_NL_CAPTURE_H
#define VELMORA_TEST_NL_CAPTURE_H

#include <string>

#include "nlrt.h"

// every error text raised while a CaptureErrors lives, in order
struct CaptureErrors {
  static std::string& text() {
    static std::string t;
    return t;
  }
  static int& count() {
    static int c = 0;
    return c;
  }
  static void take(const char* m) {
    text() = m;
    count()++;
  }
  CaptureErrors() {
    text().clear();
    count() = 0;
    NlSetErrorHandler(take);
  }
  ~CaptureErrors() { NlSetErrorHandler(nullptr); }
};

// row vector from values
static inline NlArray* Row(int n, const double* v) {
  return mlfDoubleMatrix(1, n, v, nullptr);
}

#endif
