// figure_export.cpp -- the figure command: a robot's scene written to a file without a window.
// The robot is loaded and posed as the program would, the view's frame (the scene walk) draws
// it into an off-screen buffer of the view's size, and the file gets the dialog's export code
// (.eps, .ps, .pdf, .svg) or the rendered pixels (.png); with a trajectory, that trajectory
// played into an animation (.gif, .mp4, .webm).
#include "gui/export/figure_export.h"

#include <FL/Fl.H>     // for: Fl
#include <FL/gl.h>     // for: GL calls
#include <FL/x.H>      // for: fl_display, fl_open_display()
#include <GL/glx.h>    // for: glXChooseFBConfig(), glXCreatePbuffer()
#include <stdarg.h>    // for: va_list
#include <stdio.h>     // for: fprintf()
#include <stdlib.h>    // for: strtod(), malloc()
#include <math.h>      // for: isfinite()
#include <string.h>    // for: strcmp(), strrchr()
#include <unistd.h>    // for: getcwd()

#include "base/number.h"  // for: ParseFinite()

#include "robot/app_state.h"          // for: R, JC, CC, ShowScene
#include "base/data_dir.h"           // for: DataDirStart()
#include "base/export_name.h"        // for: ExportFormatOfPath()
#include "base/fileio.h"             // for: WriteFileQuietly()
#include "base/user_path.h"          // for: UserPath(), ShownPath()
#include "gui/view/opengl_win.h"     // for: DrawViewFrame(), the camera globals
#include "gui/export/scene_export.h"   // for: ExportSceneFile()
#include "kin/ikp.h"                // for: FwdKin()
#include "links/links.h"        // for: RegisterModelDrawing()
#include "base/png_file.h"           // for: WritePngRgb()
#include "load/robot_load.h"         // for: LoadRobotRecords()
#include "gui/export/anim_export.h"  // for: AnimRecord()
#include "media/media_writer.h"      // for: MEDIA_SIZE_MIN, MEDIA_FPS_MIN
#include "traj/ctraj.h"              // for: CTFind()
#include "traj/traj_file.h"          // for: LoadCartesianTrajectory(), LoadJointTrajectory()
#include "base/consts.h"  // for: VM_PI

// the text with the vector and pixel formats of the table filled in
static const char* usage_form =
  "\nFigures: velmora --export FILE [--pose q1 ... qn] [--view theta gamma scale]\n"
  "                         [--ortho] [--background r g b] [--scene] [--data DIR]\n"
  "                         [--size WxH] [--traj NAME | --jtraj NAME] [--frames]\n"
  "                         [--trail] [--fps F] [--every K] ROBOT\n"
  "Writes a figure of ROBOT (a robot of the data folder, found as the window finds it;\n"
  "--data DIR names another; a ROBOT holding \"/\" is a file read where it is) without\n"
  "opening a window: the view's scene at 600 x 600\n"
  "(--size another), as %s (vector, as Export does) or %s\n"
  "(pixels), or a trajectory played into an animation, %s, chosen by FILE's\n"
  "extension. --traj names a Cartesian trajectory (a file in Ctraj or a built-in path,\n"
  "with or without the robot's name and \".\"), --jtraj a joint one (in Jtraj): a figure\n"
  "shows its path, an animation plays it from the pose, --fps frames a second (default\n"
  "30, 1 to 60), every K-th point a frame (default 1); --frames shows the path's frames,\n"
  "--trail the end effector's trail. --pose sets the n joint values (degrees or lengths);\n"
  "--view the camera: elevation and azimuth in degrees, and the distance scale (default\n"
  "-28.6 -28.6 and four times the mean link length; with --ortho the two turns about y\n"
  "and z, default 20 20, and the half-width of the view); --ortho an orthographic view;\n"
  "--background the clear colour, each 0 to 1 (default black); --scene the Puma560's\n"
  "demonstration cell. It needs an X display, e.g. under Xvfb:\n"
  "  xvfb-run -a velmora --export puma.pdf --scene Puma560\n";

enum { FigureSize = 600, PoseMax = 64 };

//------------------------------------------------------------------ module state
typedef struct _FigureArgs_ {
  const char* file;
  const char* robot;
  int format;
  int npose;
  double pose[PoseMax];
  int view_set;
  double view[3];               // elevation, azimuth, scale
  int ortho, scene, background_set;
  double background[3];
  const char* data;             // --data DIR, else the program's own (NULL: the usual lookup)
  char path[4096];              // the file, absolute: the robot is read in the data folder
  char robot_path[4096];        // a ROBOT given by its path ("/" in it), absolute
  int w, h;                     // frame size
  const char* traj;             // --traj: a Cartesian trajectory
  const char* jtraj;            // --jtraj: a joint trajectory
  int frames, trail;            // the path's frames, the end effector's trail
  double fps;                   // animations: frames a second, every k-th point
  int every, fps_set, every_set;
} FigureArgs;


//------------------------------------------------------------------ static helpers

// "velmora: " and the message on standard error; returns status
static int Fail(int status, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  fputs("velmora: ", stderr);
  vfprintf(stderr, format, ap);
  fputc('\n', stderr);
  va_end(ap);
  return status;
}

// a whole argument as a number
static int Number(const char* s, double* v) { return ParseFinite(s, v) == 0; }

// a number that is not finite ("nan", "inf", "1e999")
static int NotFinite(const char* s) {
  char* end;
  double v = strtod(s, &end);
  return end != s && *end == '\0' && !isfinite(v);
}

// k numbers after option argv[*i] into v; 0, -1 when they are missing, or 2 after a message
// for one that is not finite
static int Numbers(int argc, char** argv, int* i, int k, double* v) {
  for (int j = 0; j < k; j++) {
    if (*i + 1 + j < argc && NotFinite(argv[*i + 1 + j]))
      return Fail(2, "%s: %s is not a finite number", argv[*i], argv[*i + 1 + j]);
    if (*i + 1 + j >= argc || !Number(argv[*i + 1 + j], &v[j])) return -1;
  }
  *i += k;
  return 0;
}

// "WxH" as two whole numbers; 0 or -1
static int SizeArg(const char* s, int* w, int* h) {
  char* end;
  long a = strtol(s, &end, 10);
  if (end == s || (*end != 'x' && *end != 'X')) return -1;
  const char* t = end + 1;
  long b = strtol(t, &end, 10);
  if (end == t || *end != '\0' || a < 0 || b < 0 || a > 1 << 20 || b > 1 << 20) return -1;
  *w = (int)a;
  *h = (int)b;
  return 0;
}

// the options only animations and trajectories have; 1 when argv[*i] was one of them, 0
// when not, 2 after a message
static int AnimationArg(int argc, char** argv, int* i, FigureArgs* a) {
  const char* o = argv[*i];
  const char* next = *i + 1 < argc ? argv[*i + 1] : nullptr;
  double v;
  if (!strcmp(o, "--traj") || !strcmp(o, "--jtraj")) {
    if (!next) return Fail(2, "%s needs a trajectory name", o);
    if (o[2] == 't') a->traj = next;
    else a->jtraj = next;
    (*i)++;
  } else if (!strcmp(o, "--fps")) {
    if (!next || !Number(next, &v)) return Fail(2, "--fps needs frames a second");
    if (!(v >= MEDIA_FPS_MIN && v <= MEDIA_FPS_MAX))
      return Fail(2, "--fps: the frame rate lies in %g to %g", MEDIA_FPS_MIN, MEDIA_FPS_MAX);
    a->fps = v;
    a->fps_set = 1;
    (*i)++;
  } else if (!strcmp(o, "--every")) {
    if (!next || !Number(next, &v) || !(v >= 1 && v <= 1e6) || v != (int)v)
      return Fail(2, "--every needs a whole number of points, at least 1");
    a->every = (int)v;
    a->every_set = 1;
    (*i)++;
  } else if (!strcmp(o, "--size")) {
    if (!next || SizeArg(next, &a->w, &a->h) != 0)
      return Fail(2, "--size needs WxH, two whole numbers (600x600)");
    if (a->w < MEDIA_SIZE_MIN || a->h < MEDIA_SIZE_MIN || a->w > MEDIA_SIZE_MAX ||
        a->h > MEDIA_SIZE_MAX)
      return Fail(2, "--size: width and height lie in %d to %d", MEDIA_SIZE_MIN,
                  MEDIA_SIZE_MAX);
    (*i)++;
  } else if (!strcmp(o, "--frames")) {
    a->frames = 1;
  } else if (!strcmp(o, "--trail")) {
    a->trail = 1;
  } else {
    return 0;
  }
  return 1;
}

// 0, or 2 after a message
static int ParseArgs(int argc, char** argv, const char* data, FigureArgs* a) {
  memset(a, 0, sizeof(*a));
  a->data = data;
  a->w = a->h = FigureSize;
  a->fps = ANIM_FPS_DEFAULT;
  a->every = ANIM_EVERY_DEFAULT;
  if (argc < 2) return Fail(2, "--export needs a file name");
  a->file = argv[1];
  for (int i = 2; i < argc; i++) {
    const char* o = argv[i];
    double v;
    int k = AnimationArg(argc, argv, &i, a);
    if (k == 2) return 2;
    if (k == 1) continue;
    if (!strcmp(o, "--pose")) {
      while (i + 1 < argc && Number(argv[i + 1], &v)) {
        if (a->npose == PoseMax) return Fail(2, "--pose: more than 64 joint values");
        a->pose[a->npose++] = v;
        i++;
      }
      if (i + 1 < argc && NotFinite(argv[i + 1]))
        return Fail(2, "--pose: %s is not a finite number", argv[i + 1]);
      if (a->npose == 0) return Fail(2, "--pose needs the joint values");
    } else if (!strcmp(o, "--view")) {
      int rc = Numbers(argc, argv, &i, 3, a->view);
      if (rc) return rc > 0 ? rc : Fail(2, "--view needs theta gamma scale");
      a->view_set = 1;
    } else if (!strcmp(o, "--background")) {
      int rc = Numbers(argc, argv, &i, 3, a->background);
      if (rc) return rc > 0 ? rc : Fail(2, "--background needs r g b");
      for (int k = 0; k < 3; k++)
        if (!(a->background[k] >= 0 && a->background[k] <= 1))
          return Fail(2, "--background: each of r g b lies in 0 to 1");
      a->background_set = 1;
    } else if (!strcmp(o, "--data")) {
      if (++i >= argc) return Fail(2, "--data needs a folder");
      a->data = argv[i];
    } else if (!strncmp(o, "--data=", 7)) {
      a->data = o + 7;
    } else if (!strcmp(o, "--ortho")) {
      a->ortho = 1;
    } else if (!strcmp(o, "--scene")) {
      a->scene = 1;
    } else if (o[0] == '-' && !Number(o, &v)) {
      return Fail(2, "unknown option %s", o);
    } else if (a->robot) {
      return Fail(2, "one robot only: %s", o);
    } else {
      a->robot = o;
    }
  }
  if (!a->robot) return Fail(2, "--export needs a robot name");
  a->format = ExportFormatOfPath(a->file);
  if (a->format < 0) {
    char list[128];
    return Fail(2, "%s: the extension names no format (%s)", a->file,
                ExportFormatList(list, sizeof(list), ExportListAll, ", "));
  }
  int animation = ExportFormatRowOf(a->format)->animation;
  if (a->traj && a->jtraj) return Fail(2, "--traj and --jtraj: one trajectory at a time");
  if (animation && !a->traj && !a->jtraj)
    return Fail(2, "%s: an animation needs --traj or --jtraj", a->file);
  if (!animation && (a->fps_set || a->every_set || a->trail)) {
    char list[64];
    return Fail(2, "--fps, --every and --trail belong to animations (%s)",
                ExportFormatList(list, sizeof(list), ExportListAnimation, ", "));
  }
  if (a->view_set && !(a->view[2] >= VIEW_SCALE_MIN))
    return Fail(2, "--view: the scale is at least 0.1");
  return 0;
}

// an off-screen RGBA buffer of w x h pixels with depth, its context current; 0 or -1
static int OffscreenContext(int w, int h) {
  static const int depths[2] = {24, 16};
  for (int k = 0; k < 2; k++) {
    int attrs[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT,
                   GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_ALPHA_SIZE, 8,
                   GLX_DEPTH_SIZE, depths[k], GLX_DOUBLEBUFFER, True, None};
    int n = 0;
    GLXFBConfig* cfg = glXChooseFBConfig(fl_display, fl_screen, attrs, &n);
    if (!cfg || n == 0) {
      if (cfg) XFree(cfg);
      continue;
    }
    int pb_attrs[] = {GLX_PBUFFER_WIDTH, w, GLX_PBUFFER_HEIGHT, h, None};
    GLXPbuffer pb = glXCreatePbuffer(fl_display, cfg[0], pb_attrs);
    GLXContext ctx = glXCreateNewContext(fl_display, cfg[0], GLX_RGBA_TYPE, nullptr, True);
    XFree(cfg);
    if (pb && ctx && glXMakeContextCurrent(fl_display, pb, pb, ctx)) return 0;
  }
  return -1;
}

// the Cartesian trajectory's name as given, else with the robot's name and "." before it
// when only that names a file in Ctraj or a built-in path
static const char* CartesianName(const char* name, char* full, int size) {
  char path[TOK_PATH_MAX + 1];
  if (MakePath(path, CTRAJ_DIR, name) == 0 && TrajFileExists(path)) return name;
  if (CTFind(name) || name[0] == '/' || name[0] == '~') return name;
  if (snprintf(full, size, "%s.%s", R->name, name) >= size) return name;
  if (MakePath(path, CTRAJ_DIR, full) == 0 && TrajFileExists(path)) return full;
  return CTFind(full) ? full : name;
}

// the joint trajectory's name the same way in Jtraj
static const char* JointName(const char* name, char* full, int size) {
  char path[TOK_PATH_MAX + 1];
  if (name[0] == '/' || name[0] == '~') return name;
  if (MakePath(path, JTRAJ_DIR, name) == 0 && TrajFileExists(path)) return name;
  if (snprintf(full, size, "%s.%s", R->name, name) >= size) return name;
  return MakePath(path, JTRAJ_DIR, full) == 0 && TrajFileExists(path) ? full : name;
}

// --traj or --jtraj loaded with its path shown, as the trajectory panels load them; 0, or 1
// after a message
static int LoadTrajectory(const FigureArgs* a) {
  char full[TOK_PATH_MAX + 1];
  if (a->traj) {
    if (LoadCartesianTrajectory(R, CartesianName(a->traj, full, sizeof(full)), &CT) != 0)
      return Fail(1, "--traj: trajectory %s did not load", a->traj);
    CT.ShowPoints = 1;
    CT.ShowFrames = a->frames;
  }
  if (a->jtraj) {
    if (LoadJointTrajectory(R, JointName(a->jtraj, full, sizeof(full)), &JT) != 0)
      return Fail(1, "--jtraj: trajectory %s did not load", a->jtraj);
    JT.ShowPoints = 1;
    JT.ShowFrames = a->frames;
  }
  return 0;
}

// the robot loaded and posed, the camera and background set, the trajectory loaded; 0 or 1
// after a message
static int SetScene(const FigureArgs* a) {
  RegisterModelDrawing();
  if (!LoadRobotRecords(a->robot)) return Fail(1, "robot %s did not load", a->robot);
  if (a->npose) {
    if (a->npose != R->n) {
      return Fail(1, "--pose: %s has %d joints, %d values given", R->name, R->n, a->npose);
    }
    for (int i = 0; i < R->n; i++) {
      float q = (float)a->pose[i];
      if (R->limits && (q < R->L[i].q_limit[0] || q > R->L[i].q_limit[1])) {
        return Fail(1, "--pose: joint %d value %g lies outside [%g, %g]", i + 1, a->pose[i],
                    R->L[i].q_limit[0], R->L[i].q_limit[1]);
      }
      JC->q[i] = q;
    }
    FwdKin(R, JC, CC);
  }
  prespectiv_mode = a->ortho ? 0 : 1;
  if (a->view_set) {
    if (a->ortho) {
      cameraTheta = a->view[0];  cameraGamma = a->view[1];
    } else {
      theta = VmDegToRad(a->view[0]);  gamma_cam = VmDegToRad(a->view[1]);
    }
    scale = a->view[2];
  }
  if (a->background_set) {
    bg_red = a->background[0];  bg_green = a->background[1];  bg_blue = a->background[2];
  }
  ShowScene = a->scene;
  return LoadTrajectory(a);
}

// one frame of the view's scene walk into the off-screen buffer
static void DrawFigure(void) { DrawViewFrame(); }

// a PNG of w x h pixels, bottom row first
typedef struct _PngPixels_ {
  const unsigned char* rgb;
  int w, h;
} PngPixels;

// the pixels of one drawn frame
static int PngBody(FILE* f, const void* data) {
  const PngPixels* p = (const PngPixels*)data;
  return WritePngRgb(f, p->rgb, p->w, p->h, 1);
}

// the pixels into path; messages name the file as given
static int WritePng(const char* path, const char* given, int w, int h) {
  unsigned char* rgb = (unsigned char*)malloc((size_t)w*h*3);
  if (!rgb) return Fail(1, "%s: out of memory", given);
  DrawFigure();
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  PngPixels px = {rgb, w, h};
  int e = WriteFileQuietly(path, PngBody, &px);
  free(rgb);
  return e ? Fail(1, "%s not written: %s", given, strerror(e)) : 0;
}

static int WriteAnimation(const FigureArgs* a) {
  AnimJob job;
  memset(&job, 0, sizeof(job));
  job.path = a->path;
  job.w = a->w;
  job.h = a->h;
  job.fps = a->fps;
  job.every = a->every;
  job.trail = a->trail;
  job.joint = a->jtraj != nullptr;
  glReadBuffer(GL_BACK);
  if (AnimRecord(&job) != 0) return Fail(1, "%s", AnimFailure());
  printf("%s: %d frames at %g a second, %d x %d\n", a->file, job.frames, a->fps, a->w, a->h);
  if (job.unreachable)
    printf("%d of them show points the robot cannot reach\n", job.unreachable);
  return 0;
}

// the title of a vector file: its last path part without the extension
static void TitleOf(const char* path, char* title, int size) {
  const char* base = strrchr(path, '/');
  base = base ? base + 1 : path;
  snprintf(title, size, "%s", base);
  char* dot = strrchr(title, '.');
  if (dot && dot != title) *dot = '\0';
}

// the view's scene as a vector file; 0, or 1 after a message
static int WriteVector(const FigureArgs* a) {
  char title[256];
  TitleOf(a->file, title, sizeof(title));
  glClearColor(bg_red, bg_green, bg_blue, 1);
  if (ExportSceneFile(a->path, title, a->format, DrawFigure))
    return Fail(1, "%s not written: %s", a->file, ExportFailure());
  return 0;
}

//------------------------------------------------------------------ public API

const char* FigureUsage(void) {
  static char text[2200];
  char vec[128], pix[64], mov[64];
  snprintf(text, sizeof(text), usage_form, ExportFormatList(vec, sizeof(vec), ExportListVector,
           " or "), ExportFormatList(pix, sizeof(pix), ExportListPixels, " or "),
           ExportFormatList(mov, sizeof(mov), ExportListAnimation, " or "));
  return text;
}

int FigureCommand(int argc, char** argv, const char* data) {
  static FigureArgs a;
  int rc = ParseArgs(argc, argv, data, &a);
  if (rc) return rc;
  // the file is written where the shell is; the robot comes from the data folder, or from
  // its path (read where it is: a figure writes nothing beside it)
  char cwd[4096];
  if (!getcwd(cwd, sizeof(cwd))) cwd[0] = '\0';
  if (a.file[0] == '/') snprintf(a.path, sizeof(a.path), "%s", a.file);
  else if (!cwd[0] ||
           snprintf(a.path, sizeof(a.path), "%s/%s", cwd, a.file) >= (int)sizeof(a.path))
    return Fail(1, "%s: the working directory is not known", a.file);
  if (IsUserPath(a.robot)) {
    if (UserPath(a.robot, cwd, a.robot_path, sizeof(a.robot_path)) != 0)
      return Fail(1, "%s: the path cannot be used", a.robot);
    a.robot = a.robot_path;
  }
  if (DataDirStart(a.data) != 0) return 1;
  Display* d = XOpenDisplay(nullptr);
  if (!d) return Fail(1, "--export needs an X display (try xvfb-run -a velmora --export ...)");
  fl_open_display(d);
  if (OffscreenContext(a.w, a.h))
    return Fail(1, "no off-screen OpenGL buffer on this display");
  if (SetScene(&a)) return 1;
  InitViewGL();
  glViewport(0, 0, a.w, a.w);   // w x w from the bottom row, as the view's viewport
  DrawFigure();   // the first frame builds the scene's solids and lists
  printf("File -> %s\n", a.file);
  if (a.format == ExportPNG) rc = WritePng(a.path, a.file, a.w, a.h);
  else if (ExportFormatRowOf(a.format)->animation) rc = WriteAnimation(&a);
  else rc = WriteVector(&a);
  char shown[USER_PATH_MAX];
  if (rc == 0) printf("Exported %s\n", ShownPath(a.path, shown, sizeof(shown)));
  return rc;
}
