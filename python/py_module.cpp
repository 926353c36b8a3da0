// py_module.cpp -- the Python module velmora: its exceptions, result types and parts
#include "py_call.h"
#include "py_velmora.h"

//------------------------------------------------------------------ module state

py::object PoseType, IkResultType, CTrajType, PathSolutionType;

//------------------------------------------------------------------ static helpers

static py::object named_tuple(py::module_& m, const char* name, const char* fields,
                              const char* doc) {
  py::object t = py::module_::import("collections").attr("namedtuple")(name, fields);
  t.attr("__module__") = m.attr("__name__");
  t.attr("__doc__") = doc;
  m.attr(name) = t;
  return t;
}

//------------------------------------------------------------------ module

PYBIND11_MODULE(velmora, m) {
  m.doc() = "Velmora's kinematics core for scripts and notebooks: robots given by "
            "Denavit-Hartenberg parameters, forward and inverse kinematics, Jacobians, "
            "conditioning and trajectories, batched over numpy arrays.";
  m.attr("__version__") = VELMORA_VERSION;
  FindSamplesBesideModule();
  py::register_exception<RobotFileError>(m, "RobotFileError", PyExc_ValueError);
  py::register_exception<TrajectoryFileError>(m, "TrajectoryFileError", PyExc_ValueError);
  PoseType = named_tuple(m, "Pose", "position rotation angles",
                         "Pose of the task frame: position (3), rotation matrix (3 x 3, its "
                         "columns the frame's axes) and the angles (rx, ry, rz) in degrees "
                         "with rotation = Rx(rx) Ry(ry) Rz(rz); batched: N x ... arrays.");
  IkResultType = named_tuple(m, "IkResult", "q code message",
                             "Joint values, the solver's result code (>= 0: converged, the "
                             "steps taken) and its message; batched: arrays and a list.");
  CTrajType = named_tuple(m, "CTraj", "position rotation",
                          "Cartesian trajectory: N x 3 positions and N x 3 x 3 rotations.");
  PathSolutionType = named_tuple(m, "PathSolution", "q code rcond",
                                 "A Cartesian trajectory solved point by point: N x n joint "
                                 "values, N result codes and N values of 1/kappa.");
  // the named tuples outlive the module's objects: drop the references at exit
  py::module_::import("atexit").attr("register")(py::cpp_function([]() {
    PoseType = py::object();
    IkResultType = py::object();
    CTrajType = py::object();
    PathSolutionType = py::object();
  }));
  BindRobot(m);
  BindTraj(m);
}
