// print.cpp -- vectors, matrices and arrays printed on stdout in column pages
#include <cstdarg>   // for: va_list
#include <cstdio>    // for: printf(), vprintf()

#include "matrix.h"

//------------------------------------------------------------------ module state

// print settings; the setters store the caller's pointers, not copies
typedef struct _JmPrint_ {
  char* int_format_string;     // element format of int vectors and matrices
  char* float_format_string;   // element format of double and float ones
  int pagecols;                // columns per page, at least 1
} JmPrintRec;

static char default_int_format[] = "%d";
static char default_float_format[] = "%12.6f";
static JmPrintRec pr = {default_int_format, default_float_format, 6};

//------------------------------------------------------------------ static helpers

// one element (i, j) of the object behind p, in its element format
typedef void (*PutElement)(const void* p, int i, int j);

static void PutD(const void* p, int i, int j) {
  printf(pr.float_format_string, ((double**)p)[i][j]);
}
static void PutF(const void* p, int i, int j) {
  printf(pr.float_format_string, (double)((float**)p)[i][j]);
}
static void PutI(const void* p, int i, int j) { printf(pr.int_format_string, ((int**)p)[i][j]); }
static void PutDV(const void* p, int, int j) { printf(pr.float_format_string, ((double*)p)[j]); }
static void PutFV(const void* p, int, int j) {
  printf(pr.float_format_string, (double)((float*)p)[j]);
}
static void PutIV(const void* p, int, int j) { printf(pr.int_format_string, ((int*)p)[j]); }

// columns j0..j1-1 of every row, each element followed by three spaces
static void PrintColumns(const void* p, PutElement put, int m, int j0, int j1, bool newline) {
  for (int i = 0; i < m; i++) {
    for (int j = j0; j < j1; j++) {
      put(p, i, j);
      fputs("   ", stdout);
    }
    if (newline) putchar('\n');
  }
}

// full pages of pagecols columns, then the remainder; headers only when there is more
// than one page; the row form leaves the remainder without its own newline
static void PrintPaged(const void* p, PutElement put, int m, int n, bool row_form) {
  int c = pr.pagecols;
  int F = n/c, R = n%c;
  for (int pg = 0; pg < F; pg++) {
    if (!(F == 1 && R == 0)) printf("Cols %d to %d\n", pg*c + 1, pg*c + c);
    PrintColumns(p, put, m, pg*c, pg*c + c, true);
  }
  if (R > 0) {
    if (F > 0) {
      if (R == 1) printf("Col %d\n", F*c + 1);
      else printf("Cols %d to %d\n", F*c + 1, F*c + R);
    }
    PrintColumns(p, put, m, F*c, n, !row_form);
  }
  fputs("\n\n", stdout);
}

// each element on its own line, then a blank line
static void PrintColumn(const void* p, PutElement put, int n) {
  for (int j = 0; j < n; j++) {
    put(p, 0, j);
    putchar('\n');
  }
  putchar('\n');
}

//------------------------------------------------------------------ settings

// page width (values below 1 become 1)
void JmSetPrintCols(int n) { pr.pagecols = n < 1 ? 1 : n; }
void JmSetPrintIntFormat(char* s) { pr.int_format_string = s; }
void JmSetPrintFloatFormat(char* s) { pr.float_format_string = s; }

//------------------------------------------------------------------ vectors

// title, then each element on its own line, then a blank line
void JmPrintVector(double* v, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintColumn(v, PutDV, n);
}

void JmPrintFVector(float* v, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintColumn(v, PutFV, n);
}

void JmPrintIVector(int* v, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintColumn(v, PutIV, n);
}

// title, then the vector as one paged row
void JmPrintVectorT(double* v, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintPaged(v, PutDV, 1, n, true);
}

void JmPrintFVectorT(float* v, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintPaged(v, PutFV, 1, n, true);
}

void JmPrintIVectorT(int* v, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintPaged(v, PutIV, 1, n, true);
}

//------------------------------------------------------------------ matrices

// title, then the matrix in column pages
void JmPrintMatrix(double** A, int m, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintPaged(A, PutD, m, n, false);
}

void JmPrintFMatrix(float** A, int m, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintPaged(A, PutF, m, n, false);
}

void JmPrintIMatrix(int** A, int m, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  PrintPaged(A, PutI, m, n, false);
}

//------------------------------------------------------------------ arrays

// title, then each of the l matrices under "Matrix %d\n"
void JmPrintArray(double*** A, int l, int m, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  for (int k = 1; k <= l; k++) JmPrintMatrix(A[k - 1], m, n, "Matrix %d\n", k);
}

void JmPrintFArray(float*** A, int l, int m, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  for (int k = 1; k <= l; k++) JmPrintFMatrix(A[k - 1], m, n, "Matrix %d\n", k);
}

void JmPrintIArray(int*** A, int l, int m, int n, const char* title, ...) {
  va_list ap;
  va_start(ap, title);  vprintf(title, ap);  va_end(ap);
  for (int k = 1; k <= l; k++) JmPrintIMatrix(A[k - 1], m, n, "Matrix %d\n", k);
}
