// Wrist_gl.cpp -- drawing functions of the Wrist model
#include "links/Wrist.h"

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&wrist, 0); }
static void link1() { ModelDrawLink(&wrist, 1); }
static void link2() { ModelDrawLink(&wrist, 2); }
static void link3() { ModelDrawLink(&wrist, 3); }

//------------------------------------------------------------------ registration
// fill WristLinks
void RegisterWristDrawing(void) {
  LinkDrawProc procs[4] = {base, link1, link2, link3};
  for (int i = 0; i < 4; i++) WristLinks[i] = procs[i];
}
