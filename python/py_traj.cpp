// py_traj.cpp -- trajectories for the Python module: Cartesian and joint trajectory files
// through the programs' readers, and the built-in paths
#include <stdio.h>   // for: fopen(), getc(), fclose()
#include <stdlib.h>  // for: calloc(), free()

#include "py_call.h"
#include "py_velmora.h"

#include "robot/app_state.h"   // for: allRevolute, ClearCartesianTrajectory()
#include "robot/reader.h"      // for: ROBOT_MAX_LINKS
#include "robot/tokenizer.h"   // for: IsSpace()
#include "traj/ctraj.h"        // for: CTFind(), CTSampleList(), CTlist
#include "traj/traj_file.h"    // for: ReadCartesianTrajectory(), ReadJointTrajectory()

//------------------------------------------------------------------ static helpers

// a robot of n revolute joints standing in for none: the readers need a joint count and a
// task kind; six joints with lengths along x are spatial (type 0)
static Robot stand_in(int n) {
  DHRow rows[ROBOT_MAX_LINKS];
  for (int i = 0; i < n; i++) rows[i] = {0, 1.0f, 0.0f, 0.0f, 0.0f, -100000.0f, 100000.0f};
  int a0 = allRevolute;
  Robot r = RobotFromDH("trajectory", n, rows);
  allRevolute = a0;
  return r;
}

// numbers on the first line that holds any: how many joints a joint trajectory has; 0 when
// the file cannot be read or holds none (the reader then says why)
static int first_line_width(const char* path) {
  FILE* f = fopen(path, "r");
  if (!f) return 0;
  int c, count = 0, in_word = 0;
  while ((c = getc(f)) != EOF) {
    if (c == '\n') {
      if (count) break;
      in_word = 0;
    } else if (IsSpace(c)) {
      in_word = 0;
    } else if (!in_word) {
      in_word = 1;
      if (++count > ROBOT_MAX_LINKS) break;
    }
  }
  fclose(f);
  return count;
}

static Robot robot_of(py::object robot) {
  if (robot.is_none()) return nullptr;
  if (!py::isinstance<PyRobot>(robot)) throw py::type_error("robot: a velmora.Robot expected");
  return robot.cast<PyRobot*>()->r;
}

// the poses of t as a CTraj; a positioning layout carries no rotation: identity then
static py::object ctraj_of(const CartesianConfigRec* cc, int ntp, int type) {
  py::ssize_t N = ntp;
  py::array_t<double> P({N, (py::ssize_t)3});
  py::array_t<double> Q({N, (py::ssize_t)3, (py::ssize_t)3});
  double *p = P.mutable_data(), *q = Q.mutable_data();
  for (py::ssize_t k = 0; k < N; k++) {
    for (int i = 0; i < 3; i++) {
      p[3*k + i] = cc[k].r[i];
      for (int j = 0; j < 3; j++)
        q[9*k + 3*i + j] = type == 4 ? (i == j ? 1.0 : 0.0) : cc[k].Q[i][j];
    }
  }
  return CTrajType(P, Q);
}

//------------------------------------------------------------------ calls

static py::object read_ctraj(py::object path, py::object robot) {
  std::string file = AbsolutePath(PathArgument(path, "path"));
  Robot r = robot_of(robot);
  Robot own = r ? nullptr : stand_in(6);
  CartesianTrajectory t = {};
  std::string why;
  {
    CoreCall call(r ? r : own);
    if (ReadCartesianTrajectory(r ? r : own, file.c_str(), &t) != 0)
      why = call.Refusal("Cannot open the trajectory");
  }
  int type = (r ? r : own)->type;
  FreeRobot(own);
  if (!why.empty()) throw TrajectoryFileError(why);
  py::object out = ctraj_of(t.CC, t.ntp, type);
  ClearCartesianTrajectory(&t);
  return out;
}

static py::object read_jtraj(py::object path, py::object robot) {
  std::string file = AbsolutePath(PathArgument(path, "path"));
  Robot r = robot_of(robot);
  Robot own = nullptr;
  if (!r) {
    int n = first_line_width(file.c_str());
    if (n > ROBOT_MAX_LINKS)
      throw TrajectoryFileError(file + ": more than " + std::to_string(ROBOT_MAX_LINKS) +
                                " joint values on a line");
    own = stand_in(n > 0 ? n : 1);
  }
  Robot use = r ? r : own;
  JointTrajectory t = {};
  std::string why;
  {
    CoreCall call(use);
    if (ReadJointTrajectory(use, file.c_str(), &t) != 0)
      why = call.Refusal("Cannot open the trajectory");
  }
  if (!why.empty()) {
    FreeRobot(own);
    throw TrajectoryFileError(why);
  }
  int n = use->n;
  FreeRobot(own);
  py::array_t<double> Q({(py::ssize_t)t.ntp, (py::ssize_t)n});
  double* q = Q.mutable_data();
  for (int k = 0; k < t.ntp; k++)
    for (int j = 0; j < n; j++) q[(py::ssize_t)k*n + j] = t.JC[k].q[j];
  ClearJointTrajectory(&t);
  return Q;
}

static py::object builtin_path(const std::string& name) {
  const CTData* row = CTFind(name.c_str());
  if (!row || row->ntp < 1) {
    std::string names;
    for (int i = 0; CTlist[i].ntp; i++) names += (i ? ", " : "") + std::string(CTlist[i].name);
    throw py::value_error("no built-in path named '" + name + "' (there are: " + names + ")");
  }
  CartesianConfigRec* cc = (CartesianConfigRec*)calloc(row->ntp, sizeof(CartesianConfigRec));
  if (!cc) throw std::bad_alloc();
  int n = CTSampleList(row, cc);
  py::object out = ctraj_of(cc, n, 0);
  free(cc);
  return out;
}

static py::list path_names() {
  py::list names;
  for (int i = 0; CTlist[i].ntp; i++) names.append(std::string(CTlist[i].name));
  return names;
}

//------------------------------------------------------------------ public API

std::string AbsolutePath(const std::string& path) {
  py::module_ os = py::module_::import("os.path");
  return os.attr("abspath")(os.attr("expanduser")(path)).cast<std::string>();
}

void BindTraj(py::module_& m) {
  m.def("read_ctraj", &read_ctraj, py::arg("path"), py::arg("robot") = py::none(),
        "CTraj(position, rotation) of a Cartesian trajectory file, read as the Cartesian "
        "Trajectory panel reads it: four lines per point (x y z, then the rows of the "
        "rotation) for a spatial robot or without robot, three (the rows) for a spherical "
        "wrist, one (x y z) for a positioning robot (rotation identity)");
  m.def("read_jtraj", &read_jtraj, py::arg("path"), py::arg("robot") = py::none(),
        "N x n joint values of a joint trajectory file, one line per point; n is the robot's "
        "joint count, or without robot the count of numbers on the first line");
  m.def("path", &builtin_path, py::arg("name"),
        "CTraj(position, rotation) of a built-in path, as velmora-kin path prints it");
  m.def("path_names", &path_names, "the names of the built-in paths");
}
