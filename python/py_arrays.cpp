// py_arrays.cpp -- the checks of the arrays the module is handed: shape, finite values
#include <float.h>   // for: FLT_MAX
#include <math.h>    // for: isfinite(), fabs()

#include "py_velmora.h"

//------------------------------------------------------------------ static helpers

static std::string shape_text(const py::array& a) {
  std::string s = "(";
  for (py::ssize_t i = 0; i < a.ndim(); i++) {
    if (i) s += ", ";
    s += std::to_string(a.shape(i));
  }
  return s + (a.ndim() == 1 ? ",)" : ")");
}

static Doubles as_doubles(py::handle obj, const char* what) {
  if (obj.is_none()) throw py::type_error(std::string(what) + ": numbers expected, got None");
  Doubles a = Doubles::ensure(obj);
  if (!a) throw py::type_error(std::string(what) + ": numbers expected");
  return a;
}

// every value finite, and within float range for joint values
static void check_values(const Rows& r, int width, const char* what, bool joints) {
  py::ssize_t k = r.n*width;
  for (py::ssize_t i = 0; i < k; i++) {
    double v = r.p[i];
    if (isfinite(v) && (!joints || fabs(v) <= FLT_MAX)) continue;
    std::string where = r.single ? "value " + std::to_string(i % width + 1)
                                 : "row " + std::to_string(i/width) + ", value " +
                                   std::to_string(i % width + 1);
    throw py::value_error(std::string(what) + ": " + where +
                          (isfinite(v) ? " is out of range" : " is not a finite number"));
  }
}

//------------------------------------------------------------------ public API

Rows CheckRows(py::handle obj, int width, const char* what, bool joints) {
  Rows r;
  r.a = as_doubles(obj, what);
  if (r.a.ndim() == 1 && r.a.shape(0) == width) {
    r.single = true;
    r.n = 1;
  } else if (r.a.ndim() == 2 && r.a.shape(1) == width) {
    r.single = false;
    r.n = r.a.shape(0);
  } else {
    throw py::value_error(std::string(what) + ": " + std::to_string(width) +
                          " values or an N x " + std::to_string(width) +
                          " array expected, got shape " + shape_text(r.a));
  }
  r.p = r.a.data();
  check_values(r, width, what, joints);
  return r;
}

Rows CheckRowsOf(py::handle obj, const int* widths, const char* what, int* width) {
  Doubles a = as_doubles(obj, what);
  py::ssize_t w = a.ndim() == 1 || a.ndim() == 2 ? a.shape(a.ndim() - 1) : -1;
  std::string list;
  for (int i = 0; widths[i]; i++) {
    if (w == widths[i]) {
      *width = widths[i];
      return CheckRows(a, widths[i], what, false);
    }
    list += (i ? " or " : "") + std::to_string(widths[i]);
  }
  throw py::value_error(std::string(what) + ": " + list + " values per row expected, got "
                        "shape " + shape_text(a));
}

Rows CheckRotations(py::handle obj, const char* what) {
  Rows r;
  r.a = as_doubles(obj, what);
  if (r.a.ndim() == 2 && r.a.shape(0) == 3 && r.a.shape(1) == 3) {
    r.single = true;
    r.n = 1;
  } else if (r.a.ndim() == 3 && r.a.shape(1) == 3 && r.a.shape(2) == 3) {
    r.single = false;
    r.n = r.a.shape(0);
  } else {
    throw py::value_error(std::string(what) + ": a 3 x 3 or N x 3 x 3 array expected, got "
                          "shape " + shape_text(r.a));
  }
  r.p = r.a.data();
  check_values(r, 9, what, false);
  for (py::ssize_t k = 0; k < r.n; k++) {
    const double* Q = r.p + 9*k;
    double worst = 0.0;
    for (int i = 0; i < 3; i++) {
      for (int j = 0; j < 3; j++) {
        double s = Q[3*i]*Q[3*j] + Q[3*i + 1]*Q[3*j + 1] + Q[3*i + 2]*Q[3*j + 2];
        double e = fabs(s - (i == j ? 1.0 : 0.0));
        if (e > worst) worst = e;
      }
    }
    double det = Q[0]*(Q[4]*Q[8] - Q[5]*Q[7]) - Q[1]*(Q[3]*Q[8] - Q[5]*Q[6]) +
                 Q[2]*(Q[3]*Q[7] - Q[4]*Q[6]);
    if (worst > 1e-5 || det < 0.0) {
      throw py::value_error(std::string(what) + ": " +
                            (r.single ? std::string("the matrix")
                                      : "matrix " + std::to_string(k)) +
                            " is not a rotation (orthonormal, determinant 1)");
    }
  }
  return r;
}
