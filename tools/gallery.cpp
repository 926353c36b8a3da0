// gallery.cpp -- renders every solid, generic up and down robots, the Puma560 and the other
// built-in models (from their sample robots) into a PPM
//
// usage: gallery out.ppm [DATA]   (needs a display; DATA is the sample folder, default "data";
//   under Xvfb: xvfb-run -a -s "-screen 0 1280x1600x24" build/tools/gallery out/gallery.ppm)
#include <FL/Fl.H>            // for: Fl::wait()
#include <FL/Fl_Gl_Window.H>  // for: Fl_Gl_Window
#include <FL/gl.h>            // for: gl_font(), gl_draw(), GL calls
#include <GL/glu.h>           // for: gluPerspective(), gluLookAt()
#include <math.h>             // for: sqrtf()
#include <stdio.h>            // for: fopen(), fprintf()
#include <stdlib.h>           // for: malloc(), free()
#include <string.h>           // for: memset()

#include "graphics/light.h"
#include "graphics/primitives.h"
#include "links/Puma560.h"
#include "links/links.h"
#include "kin/ikp.h"
#include "links/robot_draw_gl.h"
#include "robot/reader.h"
#include "robot/robot.h"
#include "base/consts.h"  // for: VM_PI
#include "scene/scene_gl.h"

//------------------------------------------------------------------ layout
static const int cell = 130;                 // primitive cells: 9 by 4
static const int cols = 9, rows = 4;
static const int big = 390;                  // robot cells: one row of 3
static const int model = 292;                // built-in models: two rows of 4
static const int W = cols*cell, H = rows*cell + big + 2*model;

// the built-in models besides the Puma560, drawn from their sample robots
static const char* const model_names[8] = {
  "Wrist", "Yaskawa", "KERROW", "FanucS300", "REKERROW", "REKERROWB", "Rozivi+Rudov",
  "ZireVoro"};

typedef struct _Item_ {
  const char* name;
  JwPrimitive p;
} Item;

static Item items[40];
static int nitems = 0;

static void Add(const char* name, JwPrimitive p) {
  items[nitems].name = name;
  items[nitems].p = p;
  nitems++;
}

//------------------------------------------------------------------ the solids
static float flat_pts[12][2] = {
  {4.37f, -0.75f}, {4.89f, -0.533f}, {5.1f, 0.0f}, {4.89f, 0.533f}, {4.37f, 0.75f},
  {0.26f, 1.485f}, {-1.69f, 1.485f}, {-2.1f, 0.79f}, {-2.24f, 0.0f}, {-2.1f, -0.79f},
  {-1.69f, -1.485f}, {0.26f, -1.485f}};
static int flat_flags[12] = {2, 0, 0, 0, 1, 1, 2, 0, 0, 0, 1, 1};
static float wire_pts[5][4] = {{-1.5f, 0, 0, 0}, {-0.5f, 1, 0.5f, 0}, {0.5f, -1, 1, 0},
                               {1.5f, 0, 1.5f, 0}, {2, 1, 0.5f, 0}};
static float lomp_T[4][3] = {{-0.6f, -0.6f, 1}, {0.6f, -0.6f, 1}, {0.6f, 0.6f, 1},
                             {-0.6f, 0.6f, 1}};
static float lomp_B[4][3] = {{-1, -1, 0}, {1, -1, 0}, {1.2f, 1, 0}, {-1, 1, 0}};

static void MakeSolids() {
  const int m = 3;
  const JwColor c = 0xff12a8ffu, g = 0xff148030u, b = 0xff1f669cu, gr = 0xffc0c0c0u;
  Add("cylinder", JwDefCylinder(24, 1, 2, m, c));
  Add("pivot", JwDefPivot(16, 1, 1.5f, 0.6f, m, g));
  Add("prism", JwDefPrism(2, 1.4f, 1, m, b));
  Add("toroid", JwDefToroid(16, 12, 270, 1.5f, 0.4f, m, c));
  Add("cone", JwDefCone(24, 1, 2, m, g));
  Add("sphere", JwDefSphere(12, 24, 1, 4, b));
  Add("sector", JwDefSector(16, 120, 1.2f, 0.6f, m, c));
  Add("cylfillet", JwDefCylFillet(24, 1, 1.6f, 0.3f, 0.3f, m, g));
  Add("ring", JwDefRing(24, 1.2f, 0.8f, 0.8f, m, b));
  Add("squarering", JwDefSquareRing(24, 0.5f, 2, 1.6f, 0.4f, m, c));
  Add("arc", JwDefArc(16, 120, 1.2f, 0.5f, m, g));
  Add("support", JwDefSupport(16, 0.5f, 0.6f, m, b));
  Add("dish", JwDefDish(8, 24, 120, 1.2f, 1.0f, m, c));
  Add("stump", JwDefStump(24, 1, 0.5f, 1.5f, m, g));
  Add("elbow", JwDefElbow(24, 1, 0.4f, m, b));
  Add("elbowPR", JwDefElbowPR(24, 1, 0.4f, m, c));
  Add("flat", JwDefFlat(12, flat_pts, flat_flags, 1.02f, m, g));
  Add("box", JwDefBox(1.5f, 1, 1, m, b));
  Add("gripperH", JwDefTamsellGripperH(1, 4, 0xff3b472eu));
  Add("gripperHFR", JwDefTamsellGripperHFR(1, 4, 0xff3b472eu));
  Add("finger-F1", JwDefTamsellGripperF1(1, 4, 0xff696969u));
  Add("finger-F2", JwDefTamsellGripperF2(1, 4, 0xff696969u));
  Add("spherecurve", JwDefSphereCurve(12, 12, 1.5f, 0.4f, 0.6f, 90, m, c));
  Add("ujoint", JwDefUJointR(16, 0.5f, 0.2f, 0.6f, 0.3f, 2, m, g));
  Add("ujoint-pin-in", JwDefUJointRPinIn(16, 0.5f, 0.2f, 0.6f, 0.3f, 2, 0.3f, m, b));
  Add("ujoint-pin-out", JwDefUJointRPinOut(16, 0.5f, 0.2f, 0.6f, 0.3f, 2, 0.3f, m, c));
  Add("gusset", JwDefGusset(1.5f, 1.2f, 0.3f, m, g));
  Add("hemisphere", JwDefHemiSphere(6, 24, 1, m, b));
  Add("motor", JwDefMotor(0.6f, 1.5f, 0.5f, m, 0xff3b472eu));
  Add("prismfillet", JwDefPrismFillet(4, 2, 1.4f, 0.8f, 0.3f, m, c));
  Add("flatcylinder", JwDefFlatCylinder(8, 1, 1.5f, m, g));
  Add("pyr", JwDefPyr(2, 1.6f, 1, 0.8f, 1, m, b));
  Add("lomp", JwDefLomp(lomp_T, lomp_B, 4, m, c));
  Add("wire", JwDefWire(12, wire_pts, 5, 0.15f, 0, m, g));
  Add("wheel", JwDefWheel(1, 0.3f, 8, m, 0xff0000ffu, gr));
  Add("tetrahedron", JwDefTetrahedron(1, 0.08f, 12, m, b));
}

// bounding box of a solid's vertices: centre and half diagonal
static void Frame(JwPrimitive p, float ctr[3], float* size) {
  float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
  for (int u = 0; u < p->nu; u++)
    for (int i = 0; i < p->U[u]->nv; i++)
      for (int k = 0; k < 3; k++) {
        float v = p->U[u]->V[4*i + k];
        if (v < lo[k]) lo[k] = v;
        if (v > hi[k]) hi[k] = v;
      }
  float d = 0;
  for (int k = 0; k < 3; k++) {
    ctr[k] = (lo[k] + hi[k])/2;
    d += (hi[k] - lo[k])*(hi[k] - lo[k]);
  }
  *size = sqrtf(d)/2;
}

//------------------------------------------------------------------ the robots
static Robot up_robot, down_robot, puma;

static const DHRow up_rows[6] = {
  {0, 0, 2, -90, 0, -100000, 100000}, {0, 3, 0.8f, 0, -30, -100000, 100000},
  {0, 0.4f, 0, 90, 60, -100000, 100000}, {0, 0, 2.5f, -90, 0, -100000, 100000},
  {0, 0, 0, 90, 40, -100000, 100000}, {0, 0, 0.8f, 0, 0, -100000, 100000}};
static const DHRow down_rows[5] = {
  {0, 0, 2, -90, 30, -100000, 100000}, {0, 2.5f, 0.6f, 0, -20, -100000, 100000},
  {1, 0.8f, 1.2f, 90, 0, -100000, 100000}, {0, 0, 1.5f, -90, 40, -100000, 100000},
  {0, 1.2f, 0, 0, 0, -100000, 100000}};
static const DHRow puma_rows[6] = {     // the robot file's values, posed by th
  {0, 0, 6.6f, -90, 30, -160, 160}, {0, 4.318f, 1.5f, 0, -30, -225, 45},
  {0, 0.203f, 0, -90, 20, -45, 225}, {0, 0, 4.318f, 90, 0, -110, 170},
  {0, 0, 0, -90, 45, -100, 100}, {0, 0, 0.5625f, 0, 0, -266, 266}};

static Robot Generic(const char* name, int n, const DHRow* rows, int geom) {
  Robot r = RobotFromDH(name, n, rows);
  r->geom_type = geom;
  MakeLinks(r->n, r->L, r->rad, geom);
  MakeEE(&r->dEE, r->rad, r->L[n - 1].a, r->L[n - 1].b);
  return r;
}

static void MakeRobots() {
  up_robot = Generic("up", 6, up_rows, 0);
  down_robot = Generic("down", 5, down_rows, 1);
  puma = RobotFromDH("Puma560", 6, puma_rows);
  puma->geom_type = 2;
  puma->EE.type = 1;
  LinkMatchName(puma);
}

static void Draw(JwPrimitive p) {
  if (p) JwDrawPrimitive(p);
}

// the scene walk's robot at the home joint values, with the flange frame, and the last link
// frame of a generic robot
static void DrawRobot(Robot r) {
  float q[16];
  for (int i = 0; i < r->n && i < 16; i++) q[i] = r->L[i].h_q;
  SceneView v = {r, q, nullptr, nullptr, 0, 0, 1, r->geom_type != 2, 0, 0, nullptr, nullptr,
                 nullptr};
  DrawSceneRobot(&v);
}

// centre and half diagonal of the joint frame origins of r at its home pose
static void RobotFrame(Robot r, float ctr[3], float* size) {
  JointConfig jc = JointConfigFromRobot(r);
  EvalQr_i(r, jc);
  EvalQr_1(r);
  double p[3] = {0, 0, 0}, lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  for (int i = 0; i < r->n; i++) {
    for (int k = 0; k < 3; k++) {
      double s = 0;                   // Q_1 of the previous frame times the link vector
      for (int j = 0; j < 3; j++) s += (i ? r->L[i - 1].Q_1[k][j] : (k == j))*r->L[i].a_i[j];
      p[k] += s;
      if (p[k] < lo[k]) lo[k] = p[k];
      if (p[k] > hi[k]) hi[k] = p[k];
    }
  }
  FreeJointConfig(jc);
  float d = 0;
  for (int k = 0; k < 3; k++) {
    ctr[k] = (float)(lo[k] + hi[k])/2;
    d += (float)((hi[k] - lo[k])*(hi[k] - lo[k]));
  }
  ctr[2] += ModelFirstOffset(r) - r->L[0].b;   // where the model draws its first link
  *size = sqrtf(d)/2 + r->avg_len;     // room for the bodies around the frames
}

//------------------------------------------------------------------ rendering
// camera from the front right, above, at a distance that fits a sphere of radius size
static void Camera(int x, int y, int w, int h, const float ctr[3], float size) {
  glViewport(x, y, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  float dist = size/sinf(15*VM_PI_F/180)*1.05f;
  gluPerspective(30, (double)w/h, dist*0.05, dist*4);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  float dir[3] = {0.75f, -1.0f, 0.6f}, n = sqrtf(0.75f*0.75f + 1 + 0.36f);
  gluLookAt(ctr[0] + dist*dir[0]/n, ctr[1] + dist*dir[1]/n, ctr[2] + dist*dir[2]/n,
            ctr[0], ctr[1], ctr[2], 0, 0, 1);
  for (int k = 11; k <= 17; k++) glCallList(k);
  glEnable(GL_LIGHTING);
  for (int k = 1; k <= 7; k++) glEnable(GL_LIGHT0 + k);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
}

// a caption at the lower left of a cell (the label font draws no space: use hyphens)
static void Caption(int x, int y, int w, int h, const char* s) {
  glViewport(x, y, w, h);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, w, 0, h, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(1, 1, 0.85f);
  gl_font(FL_HELVETICA, 12);
  glRasterPos2i(4, 4);
  gl_draw(s);
}

static void RenderAll() {
  glClearColor(0.18f, 0.2f, 0.24f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  JwInitLight();
  glEnable(GL_NORMALIZE);
  for (int i = 0; i < nitems; i++) {
    int cx = (i % cols)*cell, cy = H - (i/cols + 1)*cell;
    float ctr[3], size;
    Frame(items[i].p, ctr, &size);
    Camera(cx, cy, cell, cell, ctr, size);
    JwMatType(3);
    JwMatColor(0xff9c6c1fu);          // for the solids that take the current colour
    Draw(items[i].p);
    Caption(cx, cy, cell, cell, items[i].name);
  }
  Robot robots[3] = {up_robot, down_robot, puma};
  const char* names[3] = {"generic-up", "generic-down", "Puma560-with-hand"};
  const float ctrs[3][3] = {{2.4f, 0.2f, 3.6f}, {2.2f, 0.9f, 3.2f}, {2.5f, 1.5f, 6}};
  const float sizes[3] = {3.2f, 3.0f, 7.0f};
  for (int k = 0; k < 3; k++) {
    Camera(k*big, 2*model, big, big, ctrs[k], sizes[k]);
    glLineWidth(1);
    DrawRobot(robots[k]);
    Caption(k*big, 2*model, big, big, names[k]);
  }
  glFinish();
}

// one built-in model at a time (a model's solids live until the next one is matched)
static int RenderModels(const char* data) {
  int drawn = 0;
  for (int k = 0; k < 8; k++) {
    char path[512];
    snprintf(path, sizeof(path), "%s/Arch/%s", data, model_names[k]);
    Robot r = ParseRobot(path);
    if (!r) continue;
    r->geom_type = 2;
    if (!r->EE.type) r->EE.type = 1;   // the default hand
    LinkMatchName(r);
    float ctr[3], size;
    RobotFrame(r, ctr, &size);
    int x = (k % 4)*model, y = (1 - k/4)*model;
    Camera(x, y, model, model, ctr, size);
    DrawRobot(r);
    Caption(x, y, model, model, model_names[k]);
    if (r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
    FreeFullGeom(r);
    FreeRobot(r);
    drawn++;
  }
  glFinish();
  return drawn;
}

class GalleryWindow : public Fl_Gl_Window {
public:
  GalleryWindow() : Fl_Gl_Window(0, 0, W, H, "gallery") { mode(FL_RGB | FL_DOUBLE | FL_DEPTH); }
  void draw() override {}
};

static int WritePPM(const char* path) {
  unsigned char* rgb = (unsigned char*)malloc((size_t)W*H*3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  FILE* fp = fopen(path, "wb");
  if (!fp) {
    fprintf(stderr, "gallery: cannot write %s\n", path);
    free(rgb);
    return 1;
  }
  fprintf(fp, "P6\n%d %d\n255\n", W, H);
  for (int y = H - 1; y >= 0; y--) fwrite(rgb + (size_t)y*W*3, 1, (size_t)W*3, fp);
  fclose(fp);
  free(rgb);
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    fprintf(stderr, "usage: gallery out.ppm [DATA]\n");
    return 2;
  }
  RegisterModelDrawing();
  MakeSolids();
  MakeRobots();
  GalleryWindow* win = new GalleryWindow();
  win->show();
  for (int i = 0; i < 50 && !win->shown(); i++) Fl::wait(0.02);
  Fl::wait(0.1);
  win->make_current();
  RenderAll();
  int models = RenderModels(argc == 3 ? argv[2] : "data");
  int rc = WritePPM(argv[1]);
  for (int i = 0; i < nitems; i++) JwFreePrimitive(items[i].p);
  if (puma->EE.DestroyProc) puma->EE.DestroyProc(&puma->EE);
  FreeRobot(up_robot);
  FreeRobot(down_robot);
  FreeRobot(puma);
  if (rc == 0) printf("gallery: %d solids, %d robots, %d x %d written to %s\n", nitems,
                      3 + models, W, H, argv[1]);
  return rc;
}
