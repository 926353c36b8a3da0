// things_gl.cpp -- drawing of scene things through the GL matrix stack and the solid drawing
#include <GL/gl.h>  // for: glPushMatrix(), glMultMatrixf(), glPopMatrix()

#include "graphics/primitives.h"
#include "scene/things.h"

// new things get StdThingDrawProc once this file is part of the program
static const bool std_proc_registered = (SetStdThingDrawProc(StdThingDrawProc), true);

void StdThingDrawProc(Thing thing) {
  glPushMatrix();
  glMultMatrixf(&thing->Q[0][0]);
  for (int i = 0; i < thing->np; i++) JwDrawPrimitive(thing->P[i]);
  glPopMatrix();
}

void DrawThing(Thing thing) {
  (void)std_proc_registered;
  if (!thing) return;
  if (!thing->DrawProc) thing->DrawProc = StdThingDrawProc;
  thing->DrawProc(thing);
}
