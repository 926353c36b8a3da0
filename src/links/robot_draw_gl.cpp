// robot_draw_gl.cpp -- the walk that draws a robot's bodies; the view, the export and the
// gallery all call it
#include "links/robot_draw_gl.h"

#include <FL/gl.h>     // for: GL calls

#include "graphics/axes.h"        // for: JwAxes_xyz()
#include "graphics/light.h"       // for: JwSetColorOverride()
#include "graphics/primitives.h"  // for: JwDrawPrimitive()
#include "links/links.h"          // for: ModelRow()

//------------------------------------------------------------------ module state
static const JwColor* tints = nullptr;   // SetRobotPartTints

//------------------------------------------------------------------ static helpers

// part k's tint on (0 base, i link i, n + 1 end effector), or off again
static void Tint(int k) { JwSetColorOverride(tints ? tints[k] : 0); }

static void Draw(JwPrimitive p) {
  if (p) JwDrawPrimitive(p);
}

// generic bodies: a prismatic joint draws its rod only for q != 0, from 0 to q along z
static void WalkGeneric(Robot r, const float* q, int show_joint) {
  for (int i = 0; i < r->n; i++) {
    Link* l = &r->L[i];
    float zstep = 0;
    glLoadName(i);
    if (show_joint) JwAxes_xyz(r->avg_len, 0xff1e90ffu);
    Tint(i + 1);
    if (l->joint == 1) {
      glRotatef(l->th, 0, 0, 1);
      Draw(l->hinge);
      glPushMatrix();
        if (q[i] > 0) { glScalef(1, 1, q[i]);  Draw(l->linkz); }
        if (q[i] < 0) { glTranslatef(0, 0, q[i]);  glScalef(1, 1, -q[i]);  Draw(l->linkz); }
      glPopMatrix();
      glTranslatef(0, 0, q[i]);
      Draw(l->linkx);
    } else {
      if (r->geom_type == 1) glRotatef(q[i], 0, 0, 1);
      Draw(l->hinge);  Draw(l->linkz);
      if (r->geom_type == 0) glRotatef(q[i], 0, 0, 1);
      Draw(l->elbow);  Draw(l->linkx);
      zstep = l->b;
    }
    JwSetColorOverride(0);
    glTranslatef(l->a, 0, zstep);
    glRotatef(l->al, 1, 0, 0);
  }
  Tint(r->n + 1);
  DrawDefaultEE(r);
  JwSetColorOverride(0);
}

// first link offset as the named models are built: their registry row's correction
float ModelFirstOffset(Robot r) {
  const GeomMatch* g = ModelRow(r->name);
  return r->L[0].b + (g ? g->first_offset : 0.0f);
}

// the model's drawing table, link after link, then end effector and tool frame
static void WalkFull(Robot r, const float* q, int show_joint, int show_flange) {
  if (!r->links) return;
  Tint(0);
  r->links[0]();
  JwSetColorOverride(0);
  for (int i = 0; i < r->n; i++) {
    Link* l = &r->L[i];
    glLoadName(i);
    if (l->joint == 1) {
      glRotatef(l->th, 0, 0, 1);
      if (show_joint) JwAxes_xyz(r->avg_len, 0xff1e90ffu);
      glTranslatef(0, 0, q[i]);
      Tint(i + 1);
      r->links[i + 1]();
      JwSetColorOverride(0);
      if (i < r->n - 1) glTranslatef(l->a, 0, 0);
    } else {
      if (show_joint) JwAxes_xyz(r->avg_len, 0xff1e90ffu);
      glRotatef(q[i], 0, 0, 1);
      Tint(i + 1);
      r->links[i + 1]();
      JwSetColorOverride(0);
      glTranslatef(l->a, 0, i == 0 ? ModelFirstOffset(r) : l->b);
    }
    glRotatef(l->al, 1, 0, 0);
  }
  if (show_flange) JwAxes_xyz(r->avg_len, 0xff00ff00u);
  Tint(r->n + 1);
  if (r->EE.DrawProc) r->EE.DrawProc(&r->EE);
  JwSetColorOverride(0);
  glMultMatrixf(&r->EE.Qee_gl[0][0]);
}

//------------------------------------------------------------------ public API

void SetRobotPartTints(const JwColor* tint) { tints = tint; }

void DrawDefaultEE(Robot r) {
  Draw(r->dEE.h1);  Draw(r->dEE.h2);  Draw(r->dEE.h3);
}

void DrawRobotBodies(Robot r, const float* q, int show_joint, int show_flange) {
  if (!r || !q) return;
  if (r->geom_type == 2) WalkFull(r, q, show_joint, show_flange);
  else WalkGeneric(r, q, show_joint);
}
