// test_export.cpp -- covers src/gui/export/menu_export_gl.cpp, scene_export.cpp and the figure
// command: files of each format checked by outside tools, an export rasterised and compared
// with the pixels of the same view
#include <gtest/gtest.h>

#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>
#include <FL/fl_draw.H>
#include <gl2ps.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "robot/app_state.h"
#include "gui/export/menu_export_gl.h"
#include "gui/export/scene_export.h"
#include "gui_window.h"
#include "load/robot_load.h"
#include "support/data_copy.h"

//------------------------------------------------------------------ helpers

// "Save" of the open dialog pressed
static void PressSave() {
  for (int i = 0; i < export_win->children(); i++)
    if (!strcmp(export_win->child(i)->label() ? export_win->child(i)->label() : "", "Save"))
      return export_win->child(i)->do_callback();
  ADD_FAILURE() << "no Save button";
}

// the dialog as a user meets it: Export from the menu, a format picked, "Save" pressed
static void ExportFromDialog(const char* title, int format_item) {
  RunMenu(MENU_EXPORT);
  ASSERT_NE(export_win, nullptr);
  export_gl_filename->value(title);
  if (format_item >= 0) {
    export_gl_format->value(format_item);
    export_gl_format->do_callback();
  }
  PressSave();
}

static bool Shell(const std::string& cmd) { return system(cmd.c_str()) == 0; }

// by outside tools: PostScript header, EPS box of the 600 x 600 viewport, PDF rendered by
// pdftoppm, SVG parsed as XML holding polygons
static void ExpectWellFormed(const std::string& path, int format) {
  std::string s = ReadTextFile(path);
  if (format == GL2PS_PS) {
    EXPECT_EQ(s.rfind("%!PS-Adobe-3.0\n", 0), 0u) << path;
  }
  if (format == GL2PS_EPS) {
    EXPECT_EQ(s.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u) << path;
    EXPECT_NE(s.find("\n%%BoundingBox: 0 0 600 600\n"), std::string::npos) << path;
  }
  if (format == GL2PS_PDF) {
    EXPECT_TRUE(Shell("pdftoppm -r 10 " + path + " > /dev/null")) << path;
  }
  if (format == GL2PS_SVG) {
    EXPECT_TRUE(Shell("xmllint --noout " + path)) << path;
    EXPECT_NE(s.find("<polygon"), std::string::npos) << path;
  }
}

// the drawn pixels (not the background 128, 77, 26 within 6 units) of rows of w rgb pixels,
// bottom row first; rows from the top when top_down
static std::vector<char> Silhouette(const unsigned char* rgb, int w, int rows, int top_down) {
  std::vector<char> m((size_t)w*rows);
  const int bg[3] = {128, 77, 26};
  for (int y = 0; y < rows; y++)
    for (int x = 0; x < w; x++) {
      const unsigned char* p = rgb + ((size_t)(top_down ? rows - 1 - y : y)*w + x)*3;
      m[(size_t)y*w + x] = abs(p[0] - bg[0]) > 6 || abs(p[1] - bg[1]) > 6 ||
                           abs(p[2] - bg[2]) > 6;
    }
  return m;
}

// the share of a's drawn pixels with one of b's within a pixel (a 1-pixel line of the view
// comes out of the rasteriser as one or two pixels of a page)
static double Covered(const std::vector<char>& a, const std::vector<char>& b, int w, int rows) {
  long n = 0, near = 0;
  for (int y = 1; y < rows - 1; y++)
    for (int x = 1; x < w - 1; x++) {
      if (!a[(size_t)y*w + x]) continue;
      n++;
      bool found = false;
      for (int k = 0; k < 9; k++) found |= b[(size_t)(y + k/3 - 1)*w + x + k%3 - 1] != 0;
      near += found;
    }
  return n ? (double)near/n : 0;
}

class Export : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    EnsureMainWindow();
    dir = EnterDataCopy(1);
    ASSERT_NE(NewRobot("Puma560"), nullptr);
    ResetCamera(scale);
    theta = -0.4;  gamma_cam = -0.5;
  }
  void TearDown() override {
    ShowScene = 0;
    if (export_saved_win) export_saved_win->hide();
    UnloadRobot();
    LeaveDataCopy(dir);
  }
};

//------------------------------------------------------------------ tests

// the format of a file by its first bytes: EPS, PS, PDF, SVG or -1
static int FormatOfContents(const std::string& path) {
  std::string s = ReadTextFile(path);
  if (s.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0) == 0) return GL2PS_EPS;
  if (s.rfind("%!PS-Adobe-3.0\n", 0) == 0) return GL2PS_PS;
  if (s.rfind("%PDF-", 0) == 0) return GL2PS_PDF;
  if (s.rfind("<?xml", 0) == 0 && s.find("<svg") != std::string::npos) return GL2PS_SVG;
  return -1;
}

// first in this program the field shows ".eps" and EPS is written. After every earlier
// choice, each later one: picked from the list (the callback runs), or only shown in the
// field (no callback: picking the item already shown), the file holds the format its
// extension names, and a reopened dialog shows the last format. A typed extension of one's
// own is refused with a message and writes nothing. The three standard-output lines of a save
TEST_F(Export, DialogFormatsDefaultAndRemembered) {
  RunMenu(MENU_EXPORT);
  ASSERT_NE(export_win, nullptr);
  EXPECT_STREQ(export_win->label(), "OpenGL Scene Export");
  EXPECT_STREQ(export_gl_filename->value(), "Export-File");
  EXPECT_STREQ(export_gl_format->value(), ".eps");
  testing::internal::CaptureStdout();
  ExportFromDialog("Export-File", -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Export-File\nExport-File.eps\nFile -> Export-File.eps\n");
  EXPECT_EQ(export_win, nullptr);
  ASSERT_NE(export_saved_win, nullptr);
  EXPECT_TRUE(export_saved_win->shown());
  // the box and the message line name the file by its full path, the box wide enough for it
  std::string said = "Exported " + dir + "/Export-File.eps, written out in full";
  EXPECT_EQ(export_saved_win->child(0)->label(), said);
  EXPECT_EQ(MessageText(), said);
  int tw = 0, th = 0;
  fl_font(FL_BOLD, 16);
  fl_measure(said.c_str(), tw, th, 0);
  EXPECT_LE(tw, export_saved_win->child(0)->w());
  EXPECT_LE(export_saved_win->child(0)->w(), export_saved_win->w());
  ExpectWellFormed("Export-File.eps", GL2PS_EPS);

  const char* ext[4] = {".eps", ".ps", ".pdf", ".svg"};
  const int code[4] = {GL2PS_EPS, GL2PS_PS, GL2PS_PDF, GL2PS_SVG};
  for (int before = 0; before < 4; before++)
    for (int now = 0; now < 4; now++) {
      SCOPED_TRACE(std::string(ext[before]) + " then " + ext[now]);
      ExportFromDialog("first", before);
      EXPECT_EQ(FormatOfContents(std::string("first") + ext[before]), code[before]);
      RunMenu(MENU_EXPORT);
      EXPECT_STREQ(export_gl_format->value(), ext[before]);
      export_gl_filename->value("then");
      export_gl_format->value(now);   // shown only: no callback
      PressSave();
      std::string f = std::string("then") + ext[now];
      EXPECT_EQ(FormatOfContents(f), code[now]);
      remove(f.c_str());
    }
  ExpectWellFormed("first.svg", GL2PS_SVG);
  ExpectWellFormed("first.ps", GL2PS_PS);

  RunMenu(MENU_EXPORT);
  export_gl_filename->value("typed");
  export_gl_format->value(".foo");
  export_gl_format->do_callback();
  PressSave();
  EXPECT_STREQ(MessageText(), "Export: the format is one of .eps, .ps, .pdf or .svg");
  EXPECT_NE(export_win, nullptr);   // the dialog stays for another choice
  EXPECT_EQ(ListFiles(".").find("typed"), std::string::npos);
  DestroyExportWindow();
}

// the PDF of the view, rasterised at 72 dpi (one pixel a point), against the view's own
// pixels: the view shows the whole 600 x 600 viewport. The SVG's fills
// hold the arm's colour 0x8b3d48 (r 72, g 61, b 139) as lit, in proportion: r/b and g/b
// within 0.08 of 0.518 and 0.439; the same proportions with green in place of blue: none.
// The labels of the world and tool frames are texts of the SVG
TEST_F(Export, PdfSilhouetteAndSvgColours) {
  ShowScene = 1;
  DrawFrame();
  int h = opengl_window->h();
  std::vector<unsigned char> screen((size_t)600*h*3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 600, h, GL_RGB, GL_UNSIGNED_BYTE, screen.data());

  ExportFromDialog("view", 2);
  ASSERT_TRUE(Shell("pdftoppm -r 72 -aa no -aaVector no -singlefile view.pdf view"));
  std::string ppm = ReadTextFile("view.ppm");   // "P6\n600 600\n255\n" and the pixels
  ASSERT_EQ(ppm.size(), 15 + 600*600*3u);
  ASSERT_EQ(ppm.substr(0, 15), "P6\n600 600\n255\n");
  std::vector<char> a = Silhouette(screen.data(), 600, h, 0);
  const unsigned char* shown = (const unsigned char*)ppm.data() + 15 + (600 - h)*1800;
  std::vector<char> b = Silhouette(shown, 600, h, 1);
  EXPECT_GE(Covered(a, b, 600, h), 0.9);
  EXPECT_GE(Covered(b, a, 600, h), 0.9);

  ExportFromDialog("view", 3);
  std::string svg = ReadTextFile("view.svg");
  int arm = 0, control = 0;
  for (size_t p = svg.find("fill=\"#"); p != std::string::npos; p = svg.find("fill=\"#", p + 1)) {
    unsigned r, g, b;
    if (sscanf(svg.c_str() + p + 7, "%2x%2x%2x", &r, &g, &b) != 3) continue;
    arm += b && fabs(r/(double)b - 72/139.0) < 0.08 && fabs(g/(double)b - 61/139.0) < 0.08;
    control += g && fabs(r/(double)g - 72/139.0) < 0.08 && fabs(b/(double)g - 61/139.0) < 0.08;
  }
  EXPECT_GT(arm, 20);
  EXPECT_EQ(control, 0);
  for (const char* label : {">X</text>", ">Y</text>", ">Z</text>", ">x</text>", ">z</text>"})
    EXPECT_NE(svg.find(label), std::string::npos) << label;   // bitmaps alone never arrive
  // opaque materials, the floor and the axes come out opaque: no opacity attribute below 1
  int seethrough = 0;
  for (const char* key : {"fill-opacity=\"", "stroke-opacity=\""})
    for (size_t p = svg.find(key); p != std::string::npos; p = svg.find(key, p + 1))
      seethrough += atof(svg.c_str() + p + strlen(key)) < 1;
  EXPECT_EQ(seethrough, 0);
}

// 4000 flat triangles of distinct colours, 23 feedback entries each (polygon token, count,
// three vertices of xyz and rgba): 92000 entries need a second pass at 131072. Every colour
// is in the SVG. A scene of nothing is an error of gl2ps's, not a file
static void Triangles() {
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_LIGHTING);  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);  glLoadIdentity();
  for (int i = 0; i < 4000; i++) {
    float x = -1 + 0.025f*(i % 80), y = -1 + 0.04f*(i/80);
    glColor3ub(i % 256, 16*(i/256), 77);
    glBegin(GL_TRIANGLES);
      glVertex2f(x, y);  glVertex2f(x + 0.02f, y);  glVertex2f(x, y + 0.03f);
    glEnd();
  }
  glEnable(GL_DEPTH_TEST);
}
static void Nothing() {}

TEST_F(Export, FeedbackBufferGrowsUntilEverythingFits) {
  opengl_window->make_current();
  ASSERT_EQ(ExportSceneFile("triangles.svg", "triangles", GL2PS_SVG, Triangles), 0);
  EXPECT_EQ(ExportPasses(), 2);
  EXPECT_EQ(ExportBufferSize(), 131072);
  std::string svg = ReadTextFile("triangles.svg");
  std::set<unsigned> fills;
  for (size_t p = svg.find("fill=\"#"); p != std::string::npos; p = svg.find("fill=\"#", p + 1)) {
    unsigned c;
    if (sscanf(svg.c_str() + p + 7, "%6x", &c) == 1) fills.insert(c);
  }
  int missing = 0;
  for (int i = 0; i < 4000; i++)
    missing += !fills.count((unsigned)(i % 256) << 16 | (unsigned)(16*(i/256)) << 8 | 77);
  EXPECT_EQ(missing, 0);

  ASSERT_EQ(ExportSceneFile("empty.svg", "empty", GL2PS_SVG, Nothing), -1);
  EXPECT_STREQ(ExportFailure(), "nothing was drawn");
  EXPECT_EQ(ListFiles(".").find("empty"), std::string::npos);
  gl_win_redraw();
}

// 25 + ".eps" is written; 26 + ".eps" is refused on the message line, the dialog stays
// (until a robot load) and nothing is written; a name the system cannot write gets a
// message and no confirmation
TEST_F(Export, NamesOf29And30CharactersAndUnwritableFile) {
  std::string n25(25, 'n'), n26(26, 'n');
  ExportFromDialog(n25.c_str(), 0);
  EXPECT_TRUE(ReadTextFile(n25 + ".eps").size() > 0);
  export_saved_win->hide();
  std::string before = ListFiles(".");
  ExportFromDialog(n26.c_str(), 0);
  EXPECT_STREQ(MessageText(), "File name is too long (at most 25 characters)");
  EXPECT_NE(export_win, nullptr);
  EXPECT_FALSE(export_saved_win->shown());
  EXPECT_EQ(ListFiles("."), before);
  NewRobot("Puma560");   // a robot load takes the dialog away
  EXPECT_EQ(export_win, nullptr);

  ASSERT_EQ(mkdir("Blocked.svg", 0755), 0);   // a directory in the way of the rename
  ExportFromDialog("Blocked", 3);
  EXPECT_EQ(std::string(MessageText()).rfind("Export of Blocked.svg failed: ", 0), 0u);
  EXPECT_FALSE(export_saved_win->shown());
  ClearMessage();
}

// the figure command in each format from a copy of the data (the five run side by side):
// well-formed files, the PNG 600 x 600 (its header's big-endian width and height); failures
// end non-zero with a message and write nothing
TEST_F(Export, FigureCommandFormatsAndFailures) {
  std::string run = ProgramCommand() + " --export ", all;
  std::string opts = " --pose 10 -40 160 0 30 0 --view -20 -30 10 Puma560 > /dev/null";
  const char* ext[5] = {".eps", ".ps", ".pdf", ".svg", ".png"};
  const int code[4] = {GL2PS_EPS, GL2PS_PS, GL2PS_PDF, GL2PS_SVG};
  for (int k = 0; k < 5; k++) {
    std::string f = std::string("fig") + ext[k];
    all += "(" + run + f + opts + " 2> " + f + ".err; echo $? > " + f + ".rc) & ";
  }
  ASSERT_TRUE(Shell(all + "wait"));
  for (int k = 0; k < 5; k++) {
    std::string f = std::string("fig") + ext[k];
    EXPECT_EQ(ReadTextFile(f + ".rc"), "0\n") << f << ": " << ReadTextFile(f + ".err");
    if (k < 4) ExpectWellFormed(f, code[k]);
  }
  EXPECT_EQ(ReadTextFile("fig.png").substr(12, 12),
            std::string("IHDR\0\0\2\x58\0\0\2\x58", 12));

  EXPECT_EQ(system((run + "no.pdf Nobody > /dev/null 2> err.txt").c_str()), 1 << 8);
  EXPECT_NE(ReadTextFile("err.txt").find("velmora: robot Nobody did not load"),
            std::string::npos);
  EXPECT_EQ(system((run + "no.pdf --pose 1 2 Puma560 > /dev/null 2> err.txt").c_str()), 1 << 8);
  EXPECT_NE(ReadTextFile("err.txt").find("6 joints, 2 values"), std::string::npos);
  EXPECT_EQ(system((run + "no.jpg Puma560 > /dev/null 2> err.txt").c_str()), 2 << 8);
  for (const char* bad : {"--pose nan 0 0 0 0 0", "--pose 1 2 inf 4 5 6", "--view inf 0 4",
                          "--background 0 nan 0"}) {
    EXPECT_EQ(system((run + "no.png " + bad + " Puma560 > /dev/null 2> err.txt").c_str()),
              2 << 8) << bad;
    EXPECT_NE(ReadTextFile("err.txt").find("is not a finite number"), std::string::npos) << bad;
  }
  EXPECT_EQ(ListFiles(".").find("no."), std::string::npos);

  // from another folder: the data folder named by --data, or the user folder (made with the
  // samples on first use); the file lands where the command ran
  ASSERT_TRUE(Shell("mkdir -p elsewhere"));
  std::string cd = "cd elsewhere && XDG_DATA_HOME=$PWD/xdg ";
  EXPECT_TRUE(Shell(cd + run + "a.pdf --data .. Puma560 > /dev/null 2> ../err.txt"))
      << ReadTextFile("err.txt");
  EXPECT_TRUE(Shell(cd + run + "b.png Puma560 > /dev/null 2> ../err.txt"))
      << ReadTextFile("err.txt");
  ExpectWellFormed("elsewhere/a.pdf", GL2PS_PDF);
  EXPECT_EQ(ReadTextFile("elsewhere/b.png").substr(1, 3), "PNG");
  EXPECT_EQ(ReadTextFile("elsewhere/xdg/velmora/Arch/Puma560"), ReadTextFile("Arch/Puma560"));
}
