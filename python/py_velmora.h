// py_velmora.h -- what the parts of the Python module share: its exceptions, its result
// types, the checks of arrays handed in, and the robot object
#ifndef VELMORA_PY_VELMORA_H
#define VELMORA_PY_VELMORA_H

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <stdexcept>
#include <string>

#include "robot/robot.h"

namespace py = pybind11;

//------------------------------------------------------------------ exceptions
// raised as velmora.RobotFileError and velmora.TrajectoryFileError with the core's words
struct RobotFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
struct TrajectoryFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

//------------------------------------------------------------------ result types
// named tuples made at import: Pose(position, rotation, angles), IkResult(q, code, message),
// CTraj(position, rotation), PathSolution(q, code, rcond)
extern py::object PoseType, IkResultType, CTrajType, PathSolutionType;

//------------------------------------------------------------------ arrays handed in
typedef py::array_t<double, py::array::c_style | py::array::forcecast> Doubles;

// rows of width numbers: one vector (single) or an N x width array, every number finite
// and within float range when joints is set (joint values are floats in the core);
// ValueError or TypeError naming what otherwise
struct Rows {
  Doubles a;
  const double* p;
  py::ssize_t n;      // rows
  bool single;
};
Rows CheckRows(py::handle obj, int width, const char* what, bool joints);
// a Rows whose width is any of the widths given (0 ends the list); *width gets it
Rows CheckRowsOf(py::handle obj, const int* widths, const char* what, int* width);
// an N x 3 x 3 (or 3 x 3) array of rotation matrices, each orthonormal within 1e-5 (the
// files keep six decimals) with determinant 1
Rows CheckRotations(py::handle obj, const char* what);

//------------------------------------------------------------------ the robot object
struct PyRobot {
  Robot r = nullptr;
  JointConfig jc = nullptr;       // the joints the calls work on
  CartesianConfig cc = nullptr;   // the pose record of the robot's task kind
  double** jm = nullptr;          // 6 x n, the Jacobian as the J window shows it
  double char_length = 0.0, max_reach = 0.0;
  PyRobot(const std::string& name, py::object data);
  ~PyRobot();
  PyRobot(const PyRobot&) = delete;
  PyRobot& operator=(const PyRobot&) = delete;
  void Home();                    // jc back at the home joint values
};

// the joint trajectory reader and the Cartesian one, with a stand-in robot when r is NULL
void BindRobot(py::module_& m);
void BindTraj(py::module_& m);
// path, "~" expanded and a relative one made absolute from the working directory
std::string AbsolutePath(const std::string& path);
// a str or path-like argument as text: TypeError for another type, ValueError when empty or
// holding a NUL character (what names the argument)
std::string PathArgument(py::object obj, const char* what);

#endif
