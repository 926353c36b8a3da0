// REKERROW_gl.cpp -- drawing functions of the REKERROW model
#include "links/REKERROW.h"

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&rekerrow, 0); }
static void link1() { ModelDrawLink(&rekerrow, 1); }
static void link2() { ModelDrawLink(&rekerrow, 2); }
static void link3() { ModelDrawLink(&rekerrow, 3); }
static void link4() { ModelDrawLink(&rekerrow, 4); }
static void link5() { ModelDrawLink(&rekerrow, 5); }
static void link6() { ModelDrawLink(&rekerrow, 6); }
static void link7() { ModelDrawLink(&rekerrow, 7); }

//------------------------------------------------------------------ registration
// fill REKERROWLinks
void RegisterREKERROWDrawing(void) {
  LinkDrawProc procs[8] = {base, link1, link2, link3, link4, link5, link6, link7};
  for (int i = 0; i < 8; i++) REKERROWLinks[i] = procs[i];
}
