// number.h -- text to a finite number: the one parser behind every number a user or a file gives
#ifndef VELMORA_NUMBER_H
#define VELMORA_NUMBER_H

// what a caller accepts besides a plain finite double (flags, or-ed)
enum NumberRule {
  NumAny = 0,           // any finite double
  NumFloat = 1,         // within the range of a float (values stored as floats)
  NumSingle = 2,        // read as a float would be (rounded once to single precision)
  NumEmptyZero = 4,     // empty text reads as 0 (dialog fields left blank)
  NumSane = 8,          // magnitude at most 1e30 (dialog fields)
  NumBlanks = 16        // blanks around the number allowed (typed text)
};

// the whole text (len characters, or up to its NUL when len < 0) as a finite number in *out;
// 0, or -1 (and *out untouched) for empty text, anything after the number, NaN, an infinity,
// or a value beyond the rule's range. With len >= 0, text[len] must not continue the number.
int ParseNumber(const char* text, int len, int rules, double* out);
// ParseNumber(text, -1, NumAny, out): a whole argument
int ParseFinite(const char* text, double* out);

#endif
