// REKERROWB_gl.cpp -- drawing functions of the REKERROWB model
#include "links/REKERROWB.h"

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&rekerrowb, 0); }
static void linkm2v() { ModelDrawLink(&rekerrowb, 1); }
static void linkm2h() { ModelDrawLink(&rekerrowb, 2); }
static void linkm1v() { ModelDrawLink(&rekerrowb, 3); }
static void linkm1h() { ModelDrawLink(&rekerrowb, 4); }
static void link0v() { ModelDrawLink(&rekerrowb, 5); }
static void link0h() { ModelDrawLink(&rekerrowb, 6); }
static void link1() { ModelDrawLink(&rekerrowb, 7); }
static void link2() { ModelDrawLink(&rekerrowb, 8); }
static void link3() { ModelDrawLink(&rekerrowb, 9); }
static void link4() { ModelDrawLink(&rekerrowb, 10); }
static void link5() { ModelDrawLink(&rekerrowb, 11); }
static void link6() { ModelDrawLink(&rekerrowb, 12); }
static void link7() { ModelDrawLink(&rekerrowb, 13); }

//------------------------------------------------------------------ registration
// fill REKERROWBLinks
void RegisterREKERROWBDrawing(void) {
  LinkDrawProc procs[14] = {base, linkm2v, linkm2h, linkm1v, linkm1h, link0v, link0h, link1,
    link2, link3, link4, link5, link6, link7};
  for (int i = 0; i < 14; i++) REKERROWBLinks[i] = procs[i];
}
