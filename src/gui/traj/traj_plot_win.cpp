// traj_plot_win.cpp -- the Plot window: the loaded trajectory's joint values against point
// index and 1/kappa along it, a cursor at the point posed last, clicks that pose a point,
// "Solve all" for a Cartesian path, and the picture exported as SVG or PNG
#include <FL/Fl.H>                // for: Fl::add_timeout(), Fl::event_x()
#include <FL/Fl_Button.H>         // for: Fl_Button
#include <FL/Fl_Double_Window.H>  // for: Fl_Double_Window
#include <FL/Fl_Image_Surface.H>  // for: Fl_Image_Surface
#include <FL/Fl_Input.H>          // for: Fl_Input
#include <FL/Fl_Slider.H>         // for: Fl_Slider
#include <FL/fl_draw.H>           // for: fl_line(), fl_draw()
#include <math.h>                 // for: lround()
#include <string.h>               // for: memcpy()

#include "robot/app_state.h"        // for: R, JC, CT, JT, ErrStatus
#include "base/export_name.h"      // for: ExportFileName()
#include "base/fileio.h"           // for: WriteFileSafely()
#include "gui/export/analysis_wins.h"
#include "gui/shell/hubs.h"
#include "gui/shell/written.h"     // for: WrittenText()
#include "gui/traj/traj_panels.h"  // for: the progress sliders and their callbacks
#include "base/png_file.h"         // for: WritePngRgb()
#include "traj/traj_plot_draw.h"   // for: DrawTrajPlot(), SaveTrajPlotSvg()
#include "gui/view/collisions.h"   // for: PlotClearance(), CollisionsSceneStamp()

//------------------------------------------------------------------ window state
Fl_Window* traj_plot_win = nullptr;
Fl_Widget* traj_plot_view = nullptr;
Fl_Button* traj_plot_solve_b = nullptr;
Fl_Input* traj_plot_name = nullptr;
Fl_Button *traj_plot_svg_b = nullptr, *traj_plot_png_b = nullptr;

static TrajPlot* plot = nullptr;      // the data the picture shows
static const double PollSeconds = 0.25;

//------------------------------------------------------------------ the painter on screen

typedef struct _FlPen_ {
  int ox, oy;                         // the picture's origin in the window
  double px, py;                      // the last point of the curve being drawn
} FlPen;

static void Pen(void*, int r, int g, int b, double width, int dashed) {
  fl_color((uchar)r, (uchar)g, (uchar)b);
  fl_line_style(dashed ? FL_DASH : FL_SOLID, (int)lround(width));
}

static void Line(void* d, double x0, double y0, double x1, double y1) {
  FlPen* p = (FlPen*)d;
  fl_line(p->ox + (int)lround(x0), p->oy + (int)lround(y0), p->ox + (int)lround(x1),
          p->oy + (int)lround(y1));
}

static void Text(void* d, double x, double y, int align, const char* s) {
  FlPen* p = (FlPen*)d;
  fl_font(FL_HELVETICA, 11);
  double w = fl_width(s);
  double left = align < 0 ? x : align == 0 ? x - w/2 : x - w;
  fl_draw(s, p->ox + (int)lround(left), p->oy + (int)lround(y) + fl_height()/2 - fl_descent());
}

static void CurveBegin(void*, const char*, int) {}

static void CurvePoint(void* d, double x, double y, int move) {
  FlPen* p = (FlPen*)d;
  if (!move && x == p->px && y == p->py)      // a lone point: a dot
    fl_rectf(p->ox + (int)lround(x) - 1, p->oy + (int)lround(y) - 1, 3, 3);
  else if (!move)
    Line(d, p->px, p->py, x, y);
  p->px = x;  p->py = y;
}

static void CurveEnd(void*) {}

// the picture w x h with its top left at (ox, oy) of the current drawing surface
static void Paint(int ox, int oy, int w, int h) {
  FlPen pen = {ox, oy, 0, 0};
  PlotPainter pa = {&pen, Pen, Line, Text, CurveBegin, CurvePoint, CurveEnd};
  fl_color(FL_WHITE);
  fl_rectf(ox, oy, w, h);
  DrawTrajPlot(plot, w, h, &pa);
  fl_line_style(0);
}

//------------------------------------------------------------------ the picture widget

class TrajPlotView : public Fl_Widget {
 public:
  TrajPlotView(int X, int Y, int W, int H) : Fl_Widget(X, Y, W, H) {}
  void draw() {
    fl_push_clip(x(), y(), w(), h());
    Paint(x(), y(), w(), h());
    fl_pop_clip();
  }
  // a press inside either frame poses the point of its column
  int handle(int event) {
    if (event != FL_PUSH || !plot || plot->ntp < 1) return Fl_Widget::handle(event);
    PlotFrame fj, fk, fc;
    TrajPlotLayout(plot, w(), h(), &fj, &fk, &fc);
    int px = Fl::event_x() - x(), py = Fl::event_y() - y();
    int in_j = py >= fj.y && py <= fj.y + fj.h, in_c = py >= fc.y && py <= fc.y + fc.h;
    int in_k = fk.h > 0 && py >= fk.y && py <= fk.y + fk.h;
    if (px < fj.x - 3 || px > fj.x + fj.w + 3 || !(in_j || in_k || in_c)) return 1;
    TrajPlotPosePoint(TrajPlotPointAt(plot, &fj, px));
    return 1;
  }
};

//------------------------------------------------------------------ static helpers

// the plot from the loaded trajectory; "Solve all" only for a Cartesian one
static void Sync(void) {
  if (TrajPlotSync(plot, R, &JT, &CT)) traj_plot_view->redraw();
  if (plot->cartesian && plot->ntp > 0) traj_plot_solve_b->activate();
  else traj_plot_solve_b->deactivate();
}

// loads and unloads reach no refresher: the shown window looks a few times a second
static void Poll(void*) {
  if (!traj_plot_win || !traj_plot_win->shown()) return;
  Sync();
  Fl::repeat_timeout(PollSeconds, Poll);
}

// the file name for extension ext, or NULL after the refusal on the message line
static const char* ExportPath(char name[ExportNameSize], const char* ext) {
  if (plot->ntp < 1) {
    ShowMessage("No trajectory to plot");
    ErrStatus = 1;
    return nullptr;
  }
  const char* why = ExportFileName(name, traj_plot_name->value(), ext);
  if (why) {
    ShowMessage("%s", why);
    ErrStatus = 1;
    return nullptr;
  }
  return name;
}

static void Written(int rc, const char* name) {
  if (rc != 0) {
    ErrStatus = 1;                    // the writer said why
    return;
  }
  ErrStatus = 0;
  char text[WRITTEN_TEXT_MAX];
  ShowMessage("%s", WrittenText(text, "Plot written to %s", name));
}

typedef struct _PngJob_ {
  const unsigned char* rgb;
  int w, h;
} PngJob;

static int PngBody(FILE* f, const void* data) {
  const PngJob* j = (const PngJob*)data;
  return WritePngRgb(f, j->rgb, j->w, j->h, 0);
}

//------------------------------------------------------------------ public API

void traj_plot(void) {
  plot = NewTrajPlot();
  SetTrajPlotClearance(PlotClearance, CollisionsSceneStamp);
  traj_plot_win = new Fl_Double_Window(100, 100, 680, 560, "Trajectory Plot");
    traj_plot_view = new TrajPlotView(5, 5, 670, 515);
    traj_plot_solve_b = new Fl_Button(10, 530, 80, 25, "Solve all");
    traj_plot_solve_b->callback(traj_plot_solve_cb);
    traj_plot_solve_b->deactivate();
    traj_plot_name = new Fl_Input(150, 530, 130, 25, "File:");
    traj_plot_name->value("plot");
    traj_plot_svg_b = new Fl_Button(290, 530, 50, 25, "SVG");
    traj_plot_svg_b->callback(traj_plot_svg_cb);
    traj_plot_png_b = new Fl_Button(345, 530, 50, 25, "PNG");
    traj_plot_png_b->callback(traj_plot_png_cb);
    close_win(traj_plot_win);
  traj_plot_win->end();
  traj_plot_win->resizable(traj_plot_view);
}

void ShowTrajPlot(void) {
  if (!traj_plot_win) return;
  ShowWindow(traj_plot_win);
  Sync();
  Fl::remove_timeout(Poll);
  Fl::add_timeout(PollSeconds, Poll);
}

void UpdateTrajPlot(void) {
  if (traj_plot_win && traj_plot_win->shown()) Sync();
}

void TrajPlotNewRobot(void) {
  if (!plot || !TrajPlotSync(plot, nullptr, nullptr, nullptr)) return;
  if (traj_plot_view) traj_plot_view->redraw();
}

const TrajPlot* TrajPlotData(void) { return plot; }

// through the panel's slider: the same stop, pose, progress and refresh as a drag
void TrajPlotPosePoint(int k) {
  if (!R || k < 0) return;
  if (CT.active && cart_traj_progress && k <= CT.last) {
    if (CT.ctp == -1) CT.ctp = k;     // the slider waits for a first point; a click is one
    cart_traj_progress->value(k);
    cart_traj_progress_cb(cart_traj_progress, nullptr);
  } else if (JT.active && joint_traj_progress && k <= JT.last) {
    if (JT.ctp == -1) JT.ctp = k;
    joint_traj_progress->value(k);
    joint_traj_progress_cb(joint_traj_progress, nullptr);
  }
  UpdateTrajPlot();
}

// from the current joints, without moving the robot; refused points stay gaps
void traj_plot_solve_cb(Fl_Widget*, void*) {
  if (!R || !JC || !CT.active) return;
  int refused = SolveTrajForPlot(R, JC, &CT);
  if (refused) {
    ShowMessage("%d of %d points not solved", refused, CT.ntp);
    ErrStatus = 1;
  } else {
    ClearMessage();
    ErrStatus = 0;
  }
  UpdateTrajPlot();
}

void traj_plot_svg_cb(Fl_Widget*, void*) {
  char name[ExportNameSize];
  if (!ExportPath(name, ".svg")) return;
  Written(SaveTrajPlotSvg(name, plot, traj_plot_view->w(), traj_plot_view->h()), name);
}

// the picture drawn off screen at the size it has in the window
void traj_plot_png_cb(Fl_Widget*, void*) {
  char name[ExportNameSize];
  if (!ExportPath(name, ".png")) return;
  int w = traj_plot_view->w(), h = traj_plot_view->h();
  Fl_Image_Surface* surface = new Fl_Image_Surface(w, h);
  surface->set_current();
  Paint(0, 0, w, h);
  Fl_RGB_Image* image = surface->image();
  Fl_Display_Device::display_device()->set_current();
  delete surface;
  int rc = -1;
  if (image && image->d() == 3 && image->w() == w && image->h() == h) {
    const unsigned char* src = (const unsigned char*)image->data()[0];
    int ld = image->ld() ? image->ld() : 3*w;
    unsigned char* rgb = new unsigned char[(size_t)3*w*h];   // rows packed, as PNG wants
    for (int y = 0; y < h; y++) memcpy(rgb + (size_t)3*w*y, src + (size_t)ld*y, (size_t)3*w);
    PngJob job = {rgb, w, h};
    rc = WriteFileSafely(name, PngBody, &job);
    delete[] rgb;
  } else {
    ShowMessage("Unable to draw the plot for %s", name);
  }
  delete image;
  Written(rc, name);
}
