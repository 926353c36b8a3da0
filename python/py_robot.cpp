// py_robot.cpp -- velmora.Robot: a robot file read as the programs read it, and its batched
// forward and inverse kinematics, Jacobian, conditioning, path solving and URDF document
#include <math.h>    // for: isfinite()
#include <stdio.h>   // for: open_memstream(), fclose()
#include <stdlib.h>  // for: free()

#include "py_call.h"
#include "py_velmora.h"

#include "kin/ikp.h"           // for: FwdKin(), InvKin(), InvErr(), GetJacobianCondOf()
#include "kin/pose_edit.h"     // for: JacobianDisplay()
#include "matrix/matrix.h"     // for: JmMatrix(), JmFreeMatrix()
#include "robot/app_state.h"   // for: R, m_homogenous_length, m_maximum_reach
#include "load/robot_load.h"   // for: ReadRobot()
#include "robot/urdf_export.h" // for: PutUrdfScaled()
#include "traj/traj_file.h"    // for: LoadCartesianTrajectory()
#include "traj/traj_solve.h"   // for: SolveTrajPoint()

//------------------------------------------------------------------ static helpers

static const char* task_name(int type) {
  return type == 0 ? "spatial" : type == 2 ? "orientation" : "position";
}

std::string PathArgument(py::object obj, const char* what) {
  py::object s = py::module_::import("os").attr("fspath")(obj);
  if (!py::isinstance<py::str>(s)) throw py::type_error(std::string(what) + ": a str expected");
  std::string t = s.cast<std::string>();
  if (t.empty()) throw py::value_error(std::string(what) + ": empty");
  if (t.find('\0') != std::string::npos)
    throw py::value_error(std::string(what) + ": holds a NUL character");
  return t;
}

// the robot's task pose after FwdKin into the three arrays at row k: the tool frame for a
// spatial robot, the last link frame for a positioning robot or a spherical wrist (its
// position or its orientation is then taken from the frames FwdKin left)
static void put_pose(const PyRobot* s, double* p, double* q, double* a) {
  Robot r = s->r;
  CartesianConfig cc = s->cc;
  if (cc->type == 4) {
    CartesianConfigRec t;
    double** Qn = r->L[r->n - 1].Q_1;
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) t.Q[i][j] = Qn[i][j];
    DecomposeQ(&t);
    for (int i = 0; i < 3; i++) {
      p[i] = cc->r[i];
      a[i] = t.ang[i];
      for (int j = 0; j < 3; j++) q[3*i + j] = t.Q[i][j];
    }
    return;
  }
  const double* pos = cc->type == 2 ? r->L[0].r_1 : cc->r;
  for (int i = 0; i < 3; i++) {
    p[i] = pos[i];
    a[i] = cc->ang[i];
    for (int j = 0; j < 3; j++) q[3*i + j] = cc->Q[i][j];
  }
}

static void set_joints(PyRobot* s, const double* q) {
  for (int j = 0; j < s->r->n; j++) s->jc->q[j] = (float)q[j];
}

// an array of rows: (n) when single, else (N, n)
static py::array_t<double> rows_array(py::ssize_t N, py::ssize_t n, bool single) {
  if (single) return py::array_t<double>({n});
  return py::array_t<double>({N, n});
}

// the targets of ik or solve_path: Pose, CTraj or any (position, rotation) pair; else rows
// of numbers as velmora-kin ik takes them
struct Targets {
  bool pair;                   // position and rotation given
  Rows pos, rot;               // pair: either may be unused by the task kind
  Rows rows;                   // numbers: 6 (x y z rx ry rz) or 3 per row
  int width;
  py::ssize_t n;
  bool single;
};

static bool is_pair(py::object obj) {
  return py::hasattr(obj, "position") && py::hasattr(obj, "rotation") &&
         !py::isinstance<py::array>(obj);
}

static Targets check_targets(const PyRobot* s, py::object pose, const char* what) {
  Targets t;
  int type = s->cc->type;
  t.pair = is_pair(pose);
  if (t.pair) {
    std::string w = what;
    t.pos = CheckRows(pose.attr("position"), 3, (w + ".position").c_str(), false);
    t.rot = CheckRotations(pose.attr("rotation"), (w + ".rotation").c_str());
    if (t.pos.n != t.rot.n || t.pos.single != t.rot.single)
      throw py::value_error(w + ": position and rotation differ in their number of rows");
    t.n = t.pos.n;
    t.single = t.pos.single;
    t.width = 0;
    return t;
  }
  static const int spatial[] = {6, 0}, partial[] = {3, 6, 0};
  t.rows = CheckRowsOf(pose, type == 0 ? spatial : partial, what, &t.width);
  t.n = t.rows.n;
  t.single = t.rows.single;
  return t;
}

// target k into cc (typed as the robot's task)
static void set_target(const Targets& t, py::ssize_t k, CartesianConfig cc) {
  int type = cc->type;
  if (t.pair) {
    const double* p = t.pos.p + 3*k;
    const double* q = t.rot.p + 9*k;
    for (int i = 0; i < 3; i++) {
      cc->r[i] = p[i];
      for (int j = 0; j < 3; j++) cc->Q[i][j] = q[3*i + j];
    }
    return;
  }
  const double* v = t.rows.p + (py::ssize_t)t.width*k;
  if (type == 2) {                       // orientation only: the last three numbers
    const double* a = t.width == 6 ? v + 3 : v;
    for (int i = 0; i < 3; i++) cc->ang[i] = a[i];
    ConstructQ(cc);
  } else {
    for (int i = 0; i < 3; i++) cc->r[i] = v[i];
    if (t.width == 6) {
      for (int i = 0; i < 3; i++) cc->ang[i] = v[3 + i];
      ConstructQ(cc);
    }
  }
}

// the start joints: home when q0 is None, one vector, or one row per target (*per_row)
static Rows check_start(PyRobot* s, py::object q0, py::ssize_t n, bool* given, bool* per_row) {
  Rows r = {};
  *given = !q0.is_none();
  *per_row = false;
  if (!*given) return r;
  r = CheckRows(q0, s->r->n, "q0", true);
  if (!r.single) {
    if (r.n != n)
      throw py::value_error("q0: " + std::to_string(r.n) + " rows for " + std::to_string(n) +
                            " targets");
    *per_row = true;
  }
  return r;
}

static const char* code_text(int code) {
  return code >= 0 ? "Converged" : InvErr(code);
}

//------------------------------------------------------------------ the robot object

PyRobot::PyRobot(const std::string& name, py::object data) {
  if (name.empty()) throw py::value_error("name_or_path: empty");
  if (name.find('\0') != std::string::npos)
    throw py::value_error("name_or_path: holds a NUL character");
  // a name with "/" or a leading "~" is a path; a relative one starts at the working directory
  std::string file = name;
  if (name.find('/') != std::string::npos || name[0] == '~') file = AbsolutePath(name);
  std::string given;
  if (!data.is_none()) given = AbsolutePath(PathArgument(data, "data"));
  double l0 = m_homogenous_length, m0 = m_maximum_reach;
  int c0 = m_converge_flag, a0 = allRevolute;
  {
    CoreCall call(nullptr, true);
    DataFolder folder(given.empty() ? nullptr : given.c_str());
    if (folder.ok) {
      m_homogenous_length = 0;
      m_maximum_reach = 0;
      r = ReadRobot(file.c_str());
    }
    if (r) {
      char_length = m_homogenous_length;
      max_reach = m_maximum_reach;
      R = r;                               // the call puts the previous robot back
      jc = JointConfigFromRobot(r);
      cc = CartesianConfigFromRobot(r, jc);
      jm = JmMatrix(6, r->n);
    }
    m_homogenous_length = l0;
    m_maximum_reach = m0;
    m_converge_flag = c0;
    allRevolute = a0;
    if (!r) {
      std::string why = call.Refusal(folder.ok ? "Unable to open the robot file"
                                               : "Cannot use the data folder");
      throw RobotFileError(why);
    }
  }
}

PyRobot::~PyRobot() {
  if (!r) return;
  CoreCallForget(r);
  if (R == r) R = nullptr;
  if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  JmFreeMatrix(jm);
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  FreeRobot(r);
}

void PyRobot::Home() {
  for (int j = 0; j < r->n; j++) jc->q[j] = r->L[j].h_q;
}

//------------------------------------------------------------------ calls

static py::object fk(PyRobot* s, py::object q) {
  int n = s->r->n;
  Rows in = CheckRows(q, n, "q", true);
  py::ssize_t N = in.n;
  py::array_t<double> P = rows_array(N, 3, in.single), A = rows_array(N, 3, in.single);
  py::array_t<double> Q = in.single ? py::array_t<double>({3, 3})
                                    : py::array_t<double>({N, (py::ssize_t)3, (py::ssize_t)3});
  double *p = P.mutable_data(), *rq = Q.mutable_data(), *a = A.mutable_data();
  {
    CoreCall call(s->r);
    for (py::ssize_t k = 0; k < N; k++) {
      set_joints(s, in.p + k*n);
      FwdKin(s->r, s->jc, s->cc);
      put_pose(s, p + 3*k, rq + 9*k, a + 3*k);
    }
  }
  return PoseType(P, Q, A);
}

static py::object ik(PyRobot* s, py::object pose, py::object q0, py::object tol,
                     py::object max_iter, bool fallback) {
  int n = s->r->n;
  Targets t = check_targets(s, pose, "pose");
  bool given, per_row;
  Rows start = check_start(s, q0, t.n, &given, &per_row);
  double tl = 0.0;
  int mx = 0;
  if (!tol.is_none()) {
    tl = tol.cast<double>();
    if (!isfinite(tl) || tl <= 0.0) throw py::value_error("tol: a finite number above 0 expected");
  }
  if (!max_iter.is_none()) {
    if (!py::isinstance<py::int_>(max_iter)) throw py::type_error("max_iter: an int expected");
    long long v = max_iter.cast<long long>();
    if (v < 1 || v > 100000) throw py::value_error("max_iter: 1 to 100000 expected");
    mx = (int)v;
  }
  py::ssize_t N = t.n;
  py::array_t<double> Qout = rows_array(N, n, t.single);
  py::array_t<int> codes({N});
  double* qo = Qout.mutable_data();
  int* co = codes.mutable_data();
  {
    CoreCall call(s->r);
    if (!tol.is_none()) SetInvTol(tl);
    if (mx) SetInvMax(mx);
    SetInvFallback(fallback ? 1 : 0);
    if (given) set_joints(s, start.p);
    else s->Home();
    CartesianConfigRec target = *s->cc;
    for (py::ssize_t k = 0; k < N; k++) {
      if (per_row) set_joints(s, start.p + k*n);
      set_target(t, k, &target);
      co[k] = InvKin(s->r, s->jc, &target);
      for (int j = 0; j < n; j++) qo[k*n + j] = s->jc->q[j];
    }
  }
  if (t.single) return IkResultType(Qout, co[0], code_text(co[0]));
  py::list msgs(N);
  py::str ok("Converged");
  for (py::ssize_t k = 0; k < N; k++) msgs[k] = co[k] >= 0 ? ok : py::str(code_text(co[k]));
  return IkResultType(Qout, codes, msgs);
}

static py::object jacobian(PyRobot* s, py::object q) {
  int n = s->r->n, rows = s->cc->type == 0 ? 6 : 3;
  Rows in = CheckRows(q, n, "q", true);
  py::ssize_t N = in.n;
  py::array_t<double> J = in.single ? py::array_t<double>({(py::ssize_t)rows, (py::ssize_t)n})
                                    : py::array_t<double>({N, (py::ssize_t)rows, (py::ssize_t)n});
  double* o = J.mutable_data();
  CoreCall call(s->r);                     // no Python object is made while it lives
  for (py::ssize_t k = 0; k < N; k++) {
    set_joints(s, in.p + k*n);
    JacobianDisplay(s->r, s->jc, s->cc, s->jm);
    for (int i = 0; i < rows; i++)
      for (int j = 0; j < n; j++) o[(k*rows + i)*n + j] = s->jm[i][j];
    // a slide's position column is its axis: the window shows it times avg_len
    if (s->cc->type == 2) continue;
    int p0 = s->cc->type == 0 ? 3 : 0;
    for (int j = 0; j < n; j++) {
      if (s->r->L[j].joint == 0) continue;
      for (int i = p0; i < p0 + 3; i++) o[(k*rows + i)*n + j] /= s->r->avg_len;
    }
  }
  return J;
}

static py::object rcond(PyRobot* s, py::object q) {
  int n = s->r->n;
  Rows in = CheckRows(q, n, "q", true);
  py::ssize_t N = in.n;
  py::array_t<double> K({N});
  double* o = K.mutable_data();
  {
    CoreCall call(s->r);
    for (py::ssize_t k = 0; k < N; k++) {
      set_joints(s, in.p + k*n);
      o[k] = GetJacobianCondOf(s->r, s->jc, s->cc);
    }
  }
  if (in.single) return py::float_(o[0]);
  return K;
}

// every point from the start joints on, as velmora-kin solve and continuous playback do
static py::object solve_path(PyRobot* s, py::object traj, py::object q0) {
  int n = s->r->n;
  bool named = py::isinstance<py::str>(traj);
  Targets t = {};
  CartesianTrajectory loaded = {};
  std::string name;
  if (named) {
    name = PathArgument(traj, "traj");
    if (name.find('/') != std::string::npos || name[0] == '~') name = AbsolutePath(name);
  } else {
    if (!is_pair(traj))
      throw py::type_error("traj: a trajectory name, or a CTraj (position, rotation) expected");
    t = check_targets(s, traj, "traj");
  }
  bool given, per_row;
  Rows start = check_start(s, q0, 1, &given, &per_row);
  if (per_row) throw py::value_error("q0: one vector of joint values expected");
  py::ssize_t N = t.n;
  if (named) {
    CoreCall call(s->r, true);
    DataFolder folder(nullptr);
    if (!folder.ok || LoadCartesianTrajectory(s->r, name.c_str(), &loaded) != 0) {
      ClearCartesianTrajectory(&loaded);
      throw TrajectoryFileError(call.Refusal("Cannot open the trajectory"));
    }
    N = loaded.ntp;
  }
  py::array_t<double> Qout({N, (py::ssize_t)n});
  py::array_t<int> codes({N});
  py::array_t<double> kappa({N});
  double *qo = Qout.mutable_data(), *ko = kappa.mutable_data();
  int* co = codes.mutable_data();
  {
    CoreCall call(s->r);
    if (given) set_joints(s, start.p);
    else s->Home();
    CartesianConfigRec one = *s->cc;
    CartesianTrajectory single = {};
    single.ntp = 1;
    single.CC = &one;
    for (py::ssize_t k = 0; k < N; k++) {
      if (named) {
        co[k] = SolveTrajPoint(s->r, s->jc, &loaded, (int)k, &ko[k]);
      } else {
        set_target(t, k, &one);
        co[k] = SolveTrajPoint(s->r, s->jc, &single, 0, &ko[k]);
      }
      for (int j = 0; j < n; j++) qo[k*n + j] = s->jc->q[j];
    }
  }
  ClearCartesianTrajectory(&loaded);
  return PathSolutionType(Qout, codes, kappa);
}

static std::string urdf(PyRobot* s, double scale) {
  if (!isfinite(scale) || scale <= 0.0)
    throw py::value_error("scale: a finite number above 0 expected");
  char* text = nullptr;
  size_t size = 0;
  FILE* f = open_memstream(&text, &size);
  if (!f) throw std::bad_alloc();
  int rc = PutUrdfScaled(f, s->r, scale);
  if (fclose(f) != 0) rc = -1;
  std::string out = rc == 0 && text ? std::string(text, size) : std::string();
  free(text);
  if (rc != 0) throw std::runtime_error("urdf: the document could not be written");
  return out;
}

//------------------------------------------------------------------ binding

void BindRobot(py::module_& m) {
  py::class_<PyRobot>(m, "Robot",
      "A robot read from its file as the programs read it: \"Arch/\" + name in the data "
      "folder (data when given, else the working directory when it holds Arch, else the "
      "user folder), or a path when the name holds \"/\" or starts with \"~\".\n"
      "Joint values are degrees (revolute) or lengths (prismatic). Every method takes one "
      "vector or an N x n array and answers in one call over the array.")
    .def(py::init([](py::object name, py::object data) {
           return new PyRobot(PathArgument(name, "name_or_path"), data);
         }),
         py::arg("name_or_path"), py::arg("data") = py::none())
    .def_property_readonly("name", [](const PyRobot& s) { return std::string(s.r->name); })
    .def_property_readonly("n", [](const PyRobot& s) { return s.r->n; })
    .def_property_readonly("joint_types", [](const PyRobot& s) {
        py::list t;
        for (int j = 0; j < s.r->n; j++) t.append(s.r->L[j].joint == 0 ? "revolute" : "prismatic");
        return py::tuple(t);
      }, "'revolute' or 'prismatic' per joint")
    .def_property_readonly("limits", [](const PyRobot& s) {
        py::array_t<double> L({(py::ssize_t)s.r->n, (py::ssize_t)2});
        double* o = L.mutable_data();
        for (int j = 0; j < s.r->n; j++) {
          const float* q = s.r->L[j].q_limit;
          o[2*j] = q[0] <= JOINT_UNLIMITED_MIN ? -INFINITY : q[0];
          o[2*j + 1] = q[1] >= JOINT_UNLIMITED_MAX ? INFINITY : q[1];
        }
        return L;
      }, "n x 2: minimum and maximum of each joint (infinite for no limit)")
    .def_property_readonly("limits_enforced", [](const PyRobot& s) { return s.r->limits == 1; },
                           "whether the solvers hold the joints within their limits")
    .def_property_readonly("home", [](const PyRobot& s) {
        py::array_t<double> h({(py::ssize_t)s.r->n});
        for (int j = 0; j < s.r->n; j++) h.mutable_data()[j] = s.r->L[j].h_q;
        return h;
      }, "the home joint values of the robot file")
    .def_property_readonly("task_kind", [](const PyRobot& s) { return task_name(s.cc->type); },
                           "'spatial' (position and orientation), 'orientation' (a spherical "
                           "wrist) or 'position'")
    .def_property_readonly("char_length", [](const PyRobot& s) { return s.char_length; },
                           "characteristic length (0 when not computed)")
    .def_property_readonly("max_reach", [](const PyRobot& s) { return s.max_reach; },
                           "maximum reach (0 when not computed)")
    .def_property_readonly("avg_len", [](const PyRobot& s) { return (double)s.r->avg_len; },
                           "the length the solvers normalise by")
    .def("fk", &fk, py::arg("q"),
         "Pose(position, rotation, angles) of the task frame at q: the tool frame of a spatial "
         "robot, the last link frame of a positioning robot or a spherical wrist")
    .def("ik", &ik, py::arg("pose"), py::arg("q0") = py::none(), py::arg("tol") = py::none(),
         py::arg("max_iter") = py::none(), py::arg("fallback") = true,
         "IkResult(q, code, message) reaching pose: rows of x y z rx ry rz (x y z for a "
         "positioning robot, rx ry rz for a spherical wrist), or a Pose from fk. Each row is "
         "solved from the previous solution (the first from q0, else home) unless q0 has one "
         "row per target. A failed row keeps its start joints and a negative code")
    .def("jacobian", &jacobian, py::arg("q"),
         "the Jacobian of the last link frame the J window shows: angular rows (the joint "
         "axes; 0 for a slide) over position rows (6 x n) for a spatial robot, the angular "
         "rows (3 x n) for a spherical wrist, the position rows (3 x n) for a positioning "
         "robot; per radian for a revolute joint, per length for a slide (whose column the "
         "window shows times avg_len). The position is that of the last link frame's origin, "
         "before any tool offset")
    .def("rcond", &rcond, py::arg("q"),
         "1/kappa, the reciprocal condition number the Conditioning panel shows")
    .def("solve_path", &solve_path, py::arg("traj"), py::arg("q0") = py::none(),
         "PathSolution(q, code, rcond): each point solved from the last, the first from q0 "
         "(else home), as velmora-kin solve does; traj is a name (\"Ctraj/\" + name in the "
         "data folder, else a built-in path) or a CTraj")
    .def("urdf", &urdf, py::arg("scale") = 1.0,
         "the robot as the URDF document of velmora-kin urdf, every length times scale")
    .def("__repr__", [](const PyRobot& s) {
        return "<velmora.Robot '" + std::string(s.r->name) + "': " + std::to_string(s.r->n) +
               " joints, " + task_name(s.cc->type) + ">";
      });
}
