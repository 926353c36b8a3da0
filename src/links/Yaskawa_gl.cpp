// Yaskawa_gl.cpp -- drawing functions of the Yaskawa model
#include "links/Yaskawa.h"

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&yaskawa, 0); }
static void link1() { ModelDrawLink(&yaskawa, 1); }
static void link2() { ModelDrawLink(&yaskawa, 2); }
static void link3() { ModelDrawLink(&yaskawa, 3); }
static void link4() { ModelDrawLink(&yaskawa, 4); }
static void link5() { ModelDrawLink(&yaskawa, 5); }
static void link6() { ModelDrawLink(&yaskawa, 6); }

//------------------------------------------------------------------ registration
// fill YaskawaLinks
void RegisterYaskawaDrawing(void) {
  LinkDrawProc procs[7] = {base, link1, link2, link3, link4, link5, link6};
  for (int i = 0; i < 7; i++) YaskawaLinks[i] = procs[i];
}
