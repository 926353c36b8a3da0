// light_gl.cpp -- material and light display lists, colour selection
#include "graphics/light.h"

#include <GL/gl.h>  // for: glNewList(), glLightfv(), glMaterialfv(), glColor4f()

//------------------------------------------------------------------ module state
// one light: its GL name and list, then position, diffuse, specular, ambient
typedef struct _JwLightDef_ {
  GLenum light;
  int list;
  float pos[4], diffuse[4], specular[4], ambient[4];
} JwLightDef;

// compiled in this order; positions with w = 0.01 are far point lights, w = 0 directional
static const JwLightDef lights[7] = {
  {GL_LIGHT7, 17, {0, 0, 10, 0}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0.25f, 0.25f, 0.25f, 1}},
  {GL_LIGHT1, 11, {8.7f, -5, -10, 0.01f}, {0.5f, 0.5f, 0.5f, 1}, {3, 3, 3, 1},
   {0.5f, 0.5f, 0.5f, 1}},
  {GL_LIGHT2, 12, {-8.7f, -5, -10, 0.01f}, {0.5f, 0.5f, 0.5f, 1}, {3, 3, 3, 1},
   {0.5f, 0.5f, 0.5f, 1}},
  {GL_LIGHT3, 13, {0, 10, -10, 0.01f}, {0.5f, 0.5f, 0.5f, 1}, {3, 3, 3, 1},
   {0.5f, 0.5f, 0.5f, 1}},
  {GL_LIGHT4, 14, {8.7f, 5, 7, 0.01f}, {1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 1},
   {0.4f, 0.4f, 0.4f, 1}},
  {GL_LIGHT5, 15, {-8.7f, 5, 7, 0.01f}, {1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 1},
   {0.4f, 0.4f, 0.4f, 1}},
  {GL_LIGHT6, 16, {0, -10, 7, 0.01f}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0.4f, 0.4f, 0.4f, 1}},
};

//------------------------------------------------------------------ public API
// ambient, diffuse, specular, shininess on both faces; colour drives diffuse; enables
// GL_COLOR_MATERIAL
void nJwInitMaterial(nJwMaterialStruct* m) {
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m->ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m->diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m->specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m->shininess);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
}

// (re)compile material lists 1, 3, 4, 5, 6 and light lists 17, 11 ... 16; enables nothing.
// List 2 is kept as an empty list, so no other code is handed that name and selecting
// material 2 always leaves the current material as it is.
void JwInitLight(void) {
  if (!glIsList(2)) {
    glNewList(2, GL_COMPILE);
    glEndList();
  }
  static nJwMaterialStruct* mats[5] = {&jwdefault, &jwmetalmat, &jwshinymetalmat,
                                       &jwmattemat, &jwtransparentmat};
  static const int matlist[5] = {JwMatDefault, JwMatMetal, JwMatShinyMetal, JwMatMatte,
                                 JwMatTransparent};
  for (int k = 0; k < 5; k++) {
    glNewList(matlist[k], GL_COMPILE);
      nJwInitMaterial(mats[k]);
    glEndList();
  }
  for (int k = 0; k < 7; k++) {
    const JwLightDef* l = &lights[k];
    glNewList(l->list, GL_COMPILE);
      glLightfv(l->light, GL_POSITION, l->pos);
      glLightfv(l->light, GL_DIFFUSE, l->diffuse);
      glLightfv(l->light, GL_SPECULAR, l->specular);
      glLightfv(l->light, GL_AMBIENT, l->ambient);
    glEndList();
  }
}

// glCallList(mat); an undefined list (2) does nothing
void JwMatType(int mat) {
  glCallList((GLuint)mat);
}

static JwColor override_color = 0;   // JwSetColorOverride; 0: none

// colour drives ambient and diffuse, then glColor4f of the decoded colour (of the override
// colour instead while one is set)
void JwMatColor(JwColor color) {
  float c[4];
  JwColorToFloat(override_color ? override_color : color, c);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glColor4f(c[0], c[1], c[2], c[3]);
}

// every later JwMatColor takes c instead of its own colour, and c becomes current now
void JwSetColorOverride(JwColor c) {
  override_color = c;
  if (c) JwMatColorOpaque(c);
}

// glColor4f of the decoded colour only
void JwSetColor(JwColor color) {
  float c[4];
  JwColorToFloat(color, c);
  glColor4f(c[0], c[1], c[2], c[3]);
}

void JwMatColorOpaque(JwColor color) {
  float c[4];
  if (override_color) color = override_color;
  JwColorToFloat(color, c);
  if ((color >> 24) == 0xffu) c[3] = 1;
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glColor4f(c[0], c[1], c[2], c[3]);
}

void JwSetColorOpaque(JwColor color) {
  float c[4];
  JwColorToFloat(color, c);
  if ((color >> 24) == 0xffu) c[3] = 1;
  glColor4f(c[0], c[1], c[2], c[3]);
}

void JwLineMaterial(void) {
  nJwInitMaterial(&jwmattemat);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glNormal3f(0, 0, 1);
}

// nothing: solids drawn with it take the current material and colour
void nJwUseMaterial(int) {}
