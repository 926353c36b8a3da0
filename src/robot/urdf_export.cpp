// urdf_export.cpp -- a DH robot written as a URDF document for simulators and planners
#include "robot/urdf_export.h"

#include <math.h>    // for: atan2(), sqrt(), fabs(), isfinite()
#include <stdio.h>   // for: fprintf(), snprintf(), fputs(), ferror()
#include <string.h>  // for: strchr(), strlen(), strcmp()

#include <charconv>  // for: std::to_chars(), std::from_chars()

#include "base/file_name.h"      // for: FileNameProblem()
#include "base/fileio.h"         // for: WriteFileSafely(), TOK_PATH_MAX
#include "graphics/misc.h"  // for: JwWarning()
#include "base/consts.h"  // for: VM_PI


// a joint has no motion data in the DH model: these stand in so consumers accept the file
#define URDF_EFFORT "1000"
#define URDF_VELOCITY "1"

//------------------------------------------------------------------ static helpers

// the shortest decimal text that reads back as v: as a float when v is one, else as the
// double; with exact 0 six digits, for the visual bodies, which nothing computes with
static void num(char* buf, int size, double v, int exact = 1) {
  if (v == 0.0) v = 0.0;                                   // no "-0"
  if (!exact) {
    snprintf(buf, size, "%.6g", v);
    return;
  }
  float fv = (float)v;
  std::to_chars_result res = (double)fv == v ? std::to_chars(buf, buf + size - 1, fv)
                                             : std::to_chars(buf, buf + size - 1, v);
  *(res.ec == std::errc() ? res.ptr : buf) = '\0';
}

// a length of the model times k: the decimal its float stands for (the shortest text that
// reads back as the float: 6.6, not 6.599999904632568), times k to 15 digits (1.5 times 0.1
// is 0.15, not 0.15000000000000002)
static double length(float v, double k) {
  char text[40];
  std::to_chars_result res = std::to_chars(text, text + sizeof(text), v);
  double d = v;
  if (res.ec == std::errc()) std::from_chars(text, res.ptr, d);
  if (k == 1.0) return d;
  res = std::to_chars(text, text + sizeof(text), d*k, std::chars_format::general, 15);
  if (res.ec == std::errc()) std::from_chars(text, res.ptr, d);
  return d;
}

// three numbers separated by blanks, as xyz and rpy take them
static void put3(FILE* f, const char* attr, double x, double y, double z, int exact = 1) {
  char a[32], b[32], c[32];
  num(a, sizeof a, x, exact);  num(b, sizeof b, y, exact);  num(c, sizeof c, z, exact);
  fprintf(f, "%s=\"%s %s %s\"", attr, a, b, c);
}

// robot names come from file names: anything but the markup characters goes through
static void put_escaped(FILE* f, const char* s) {
  for (; *s; s++) {
    if (*s == '&') fputs("&amp;", f);
    else if (*s == '<') fputs("&lt;", f);
    else if (*s == '>') fputs("&gt;", f);
    else if (*s == '"') fputs("&quot;", f);
    else if (*s == '\'') fputs("&apos;", f);
    else fputc(*s, f);
  }
}

// the fixed part of link l's transform: Tz(d) Rz(t) Tx(a) Rx(al), as rotation T[0..2][0..2]
// and translation T[i][3] times the length scale k; cosines and sines are the link's own
static void fixed_part(const Link* l, double T[3][4], double k) {
  double d = l->joint == 0 ? length(l->b, k) : 0.0, a = length(l->a, k);
  double c = l->joint == 0 ? 1.0 : l->cth, s = l->joint == 0 ? 0.0 : l->sth;
  double ca = l->cal, sa = l->sal;
  T[0][0] = c;  T[0][1] = -ca*s;  T[0][2] = sa*s;   T[0][3] = a*c;
  T[1][0] = s;  T[1][1] = ca*c;   T[1][2] = -sa*c;  T[1][3] = a*s;
  T[2][0] = 0;  T[2][1] = sa;     T[2][2] = ca;     T[2][3] = d;
}

// origin of a transform: xyz and the roll, pitch, yaw with R = Rz(yaw) Ry(pitch) Rx(roll)
static void put_origin(FILE* f, double T[3][4]) {
  double cp = sqrt(T[0][0]*T[0][0] + T[1][0]*T[1][0]);
  double roll, pitch = atan2(-T[2][0], cp), yaw;
  if (cp > 1e-12) {
    roll = atan2(T[2][1], T[2][2]);
    yaw = atan2(T[1][0], T[0][0]);
  } else {                                                // pitch of +-90 degrees
    roll = atan2(-T[1][2], T[1][1]);
    yaw = 0.0;
  }
  fputs("    <origin ", f);
  put3(f, "xyz", T[0][3], T[1][3], T[2][3]);
  fputs(" ", f);
  put3(f, "rpy", roll, pitch, yaw);
  fputs("/>\n", f);
}

// a cylinder of radius rad from p along the unit direction of (dx, dy, dz) for length len
static void put_cylinder(FILE* f, double rad, const double p[3], const double u[3], double len,
                         const char* material) {
  char r[32], l[32];
  num(r, sizeof r, rad, 0);  num(l, sizeof l, len, 0);
  // the cylinder's axis is z: turn it by pitch then yaw onto u
  double pitch = atan2(sqrt(u[0]*u[0] + u[1]*u[1]), u[2]), yaw = atan2(u[1], u[0]);
  fputs("    <visual>\n      <origin ", f);
  put3(f, "xyz", p[0] + u[0]*len/2, p[1] + u[1]*len/2, p[2] + u[2]*len/2, 0);
  fputs(" ", f);
  put3(f, "rpy", 0.0, pitch, yaw, 0);
  fprintf(f, "/>\n      <geometry><cylinder radius=\"%s\" length=\"%s\"/></geometry>\n"
             "      <material name=\"%s\"/>\n    </visual>\n", r, l, material);
}

// link k's bodies in its own frame: a hinge at the joint, then the offset along z and the
// length along the turned x axis up to the next joint
static void put_link_visuals(FILE* f, const Link* l, double rad, double k) {
  double T[3][4];
  fixed_part(l, T, k);
  double o[3] = {0, 0, 0}, z[3] = {0, 0, 1};
  double hinge[3] = {0, 0, -1.5*rad};
  put_cylinder(f, 1.5*rad, hinge, z, 3*rad, "joint");
  double d = T[2][3];
  if (fabs(d) > 1e-9) {
    double u[3] = {0, 0, d > 0 ? 1.0 : -1.0};
    put_cylinder(f, rad, o, u, fabs(d), "link");
  }
  double a = length(l->a, k);
  if (fabs(a) > 1e-9) {
    double p[3] = {0, 0, d};
    double sg = l->a > 0 ? 1.0 : -1.0;
    double u[3] = {sg*T[0][0], sg*T[1][0], 0};
    put_cylinder(f, rad, p, u, fabs(a), "link");
  }
}

// limits in radians (revolute) or lengths (prismatic); an unlimited revolute joint is
// continuous, an unlimited prismatic one keeps the wide marker values
static void put_joint(FILE* f, const RobotRec* r, int i, double s) {
  const Link* l = &r->L[i];
  int unlimited = l->q_limit[0] <= JOINT_UNLIMITED_MIN && l->q_limit[1] >= JOINT_UNLIMITED_MAX;
  const char* type = l->joint != 0 ? "prismatic" : unlimited ? "continuous" : "revolute";
  fprintf(f, "  <joint name=\"joint%d\" type=\"%s\">\n", i + 1, type);
  if (i == 0) {
    fprintf(f, "    <parent link=\"base_link\"/>\n");
  } else {
    fprintf(f, "    <parent link=\"link%d\"/>\n", i);
  }
  fprintf(f, "    <child link=\"link%d\"/>\n", i + 1);
  double T[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
  if (i > 0) fixed_part(&r->L[i - 1], T, s);
  put_origin(f, T);
  fputs("    <axis xyz=\"0 0 1\"/>\n", f);
  if (l->joint == 0 && unlimited) {
    fprintf(f, "    <limit effort=\"%s\" velocity=\"%s\"/>\n", URDF_EFFORT, URDF_VELOCITY);
  } else {
    double lo_v = l->joint == 0 ? l->q_limit[0]*(VM_PI/180.0) : length(l->q_limit[0], s);
    double hi_v = l->joint == 0 ? l->q_limit[1]*(VM_PI/180.0) : length(l->q_limit[1], s);
    char lo[32], hi[32];
    num(lo, sizeof lo, lo_v);  num(hi, sizeof hi, hi_v);
    fprintf(f, "    <limit lower=\"%s\" upper=\"%s\" effort=\"%s\" velocity=\"%s\"/>\n", lo, hi,
            URDF_EFFORT, URDF_VELOCITY);
  }
  fputs("  </joint>\n", f);
}

// the last fixed part times Qee: the tool frame in the frame of the last link body
static void put_tool_joint(FILE* f, const RobotRec* r, double s) {
  double F[3][4], T[3][4];
  fixed_part(&r->L[r->n - 1], F, s);
  const Matrix& E = r->EE.Qee;
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 4; j++) {
      double t = j == 3 ? F[i][3] : 0.0;
      for (int k = 0; k < 3; k++) t += F[i][k]*(j == 3 ? length(E[k][j], s) : (double)E[k][j]);
      T[i][j] = t;
    }
  }
  fprintf(f, "  <joint name=\"tool_joint\" type=\"fixed\">\n"
             "    <parent link=\"link%d\"/>\n    <child link=\"tool\"/>\n", r->n);
  put_origin(f, T);
  fputs("  </joint>\n", f);
}

static int put_body(FILE* f, const void* data) {
  return PutUrdf(f, (const RobotRec*)data);
}

//------------------------------------------------------------------ public API

int PutUrdf(FILE* f, const RobotRec* r) {
  return PutUrdfScaled(f, r, 1.0);
}

int PutUrdfScaled(FILE* f, const RobotRec* r, double s) {
  if (!r || r->n < 1 || !(s > 0.0) || !isfinite(s)) return -1;
  double rad = (r->rad > 0 ? r->rad : 0.05)*s;
  fputs("<?xml version=\"1.0\"?>\n<robot name=\"", f);
  put_escaped(f, r->name);
  fputs("\">\n", f);
  if (s == 1.0) {
    fputs("  <!-- Denavit-Hartenberg links; lengths in the unit of the robot file. Effort and "
          "velocity limits\n       are placeholders: the model carries none. -->\n", f);
  } else {
    char k[32];
    num(k, sizeof k, s);
    fprintf(f, "  <!-- Denavit-Hartenberg links; lengths are those of the robot file times %s. "
               "Effort and\n       velocity limits are placeholders: the model carries none. "
               "-->\n", k);
  }
  fputs("  <material name=\"link\"><color rgba=\"0.7 0.7 0.72 1\"/></material>\n"
        "  <material name=\"joint\"><color rgba=\"0.9 0.55 0.1 1\"/></material>\n", f);
  fputs("  <link name=\"base_link\">\n", f);
  double o[3] = {0, 0, -rad}, z[3] = {0, 0, 1};
  put_cylinder(f, 3*rad, o, z, rad, "link");
  fputs("  </link>\n", f);
  for (int i = 0; i < r->n; i++) {
    fprintf(f, "  <link name=\"link%d\">\n", i + 1);
    put_link_visuals(f, &r->L[i], rad, s);
    fputs("  </link>\n", f);
  }
  fputs("  <link name=\"tool\"/>\n", f);
  for (int i = 0; i < r->n; i++) put_joint(f, r, i, s);
  put_tool_joint(f, r, s);
  fputs("</robot>\n", f);
  return ferror(f) ? -1 : 0;
}

int UrdfSavePath(char* path, const char* dir, const char* text) {
  size_t k = text ? strlen(text) : 0;
  const char* ext = k >= 5 && strcmp(text + k - 5, ".urdf") == 0 ? "" : ".urdf";
  // dir, "/" and the extension come around the typed part
  const char* why = FileNameProblem(text, TOK_PATH_MAX - (int)(strlen(dir) + strlen(ext)) - 1);
  if (why) {
    JwWarning("%s\n", why);
    return -1;
  }
  snprintf(path, TOK_PATH_MAX + 1, "%s/%s%s", dir, text, ext);
  return 0;
}

int SaveUrdf(const char* path, const RobotRec* r) {
  if (!r || r->n < 1) {
    JwWarning("No robot to export\n");
    return -1;
  }
  return WriteFileSafely(path, put_body, r);
}
