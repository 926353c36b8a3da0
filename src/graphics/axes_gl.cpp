// axes_gl.cpp -- drawing of the coordinate-frame markers and their bitmap labels
#include "graphics/axes.h"

#include <FL/Enumerations.H>  // for: FL_HELVETICA
#include <FL/gl.h>            // for: gl_font(), gl_draw(), GL calls
#include <gl2ps.h>            // for: gl2psText()

#include "graphics/light.h"   // for: JwLineMaterial()

//------------------------------------------------------------------ module state
static float axes[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // origin, tips
static int firsttime_xyz = 1, firsttime_XYZ = 1, firsttime_prime = 1;

//------------------------------------------------------------------ static helpers
// Materials and lights use the fixed lists 1 ... 17; mark the unused names among them as
// taken before the toolkit allocates its font lists, so a later JwInitLight cannot overwrite
// a glyph. An empty list behaves as an undefined one when called.
static void ReserveFixedLists() {
  for (GLuint k = 1; k <= 17; k++) {
    if (glIsList(k)) continue;
    glNewList(k, GL_COMPILE);
    glEndList();
  }
}

// font for the labels; on the first use the toolkit leaves a GL error behind, which is cleared
static void LabelFont(int* firsttime) {
  if (*firsttime) ReserveFixedLists();
  gl_font(FL_HELVETICA, 12);
  if (*firsttime) {
    while (glGetError() != GL_NO_ERROR) {}
    *firsttime = 0;
  }
}

// one label in colour (r, g, b) at raster position p. Bitmaps never reach an export, so
// the text goes to gl2ps as well, at the same raster position (outside an export the call
// does nothing)
static void Label(const char* s, float r, float g, float b, float x, float y, float z) {
  glColor3f(r, g, b);
  glRasterPos3f(x, y, z);
  gl2psText(s, "Helvetica", 12);
  gl_draw(s);
}

// axes of length len with labels lx, ly, lz at distance d; restores the current colour
static void DrawMarker(float len, float d, const char* lx, const char* ly, const char* lz,
                       int* firsttime) {
  axes[1][0] = len;  axes[2][1] = len;  axes[3][2] = len;
  float saved[4];
  glGetFloatv(GL_CURRENT_COLOR, saved);
  JwLineMaterial();                 // one look, whatever was drawn before
  glColor3f(1, 0, 0);
  glBegin(GL_LINE_STRIP);
    glVertex3fv(axes[0]);  glVertex3fv(axes[1]);
  glEnd();
  glColor3f(0, 1, 0);
  glBegin(GL_LINE_STRIP);
    glVertex3fv(axes[0]);  glVertex3fv(axes[2]);
  glEnd();
  glColor3f(0, 0, 1);
  glBegin(GL_LINE_STRIP);
    glVertex3fv(axes[0]);  glVertex3fv(axes[3]);
  glEnd();
  LabelFont(firsttime);
  Label(lx, 1, 0, 0, d, 0, 0);
  Label(ly, 0, 1, 0, 0, d, 0);
  Label(lz, 0, 0, 1, 0, 0, d);
  glColor4fv(saved);                // all four components, alpha included
}

//------------------------------------------------------------------ public API
// labels "x", "y", "z" at 1.13 len
void JwAxes_xyz(float len, JwColor) {
  DrawMarker(len, 1.13f*len, "x", "y", "z", &firsttime_xyz);
}

// labels "X", "Y", "Z" at 1.14 len
void JwAxes_XYZ(float len, JwColor) {
  DrawMarker(len, 1.14f*len, "X", "Y", "Z", &firsttime_XYZ);
}

// labels "x'", "y'", "z'" at 1.13 len
void JwAxes_xyz_Prime(float len, JwColor) {
  DrawMarker(len, 1.13f*len, "x'", "y'", "z'", &firsttime_prime);
}
