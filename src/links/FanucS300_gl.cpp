// FanucS300_gl.cpp -- drawing functions of the FanucS300 model
#include "links/FanucS300.h"

//------------------------------------------------------------------ link drawing
static void base() { ModelDrawLink(&fanuc, 0); }
static void link1() { ModelDrawLink(&fanuc, 1); }
static void link2() { ModelDrawLink(&fanuc, 2); }
static void link3() { ModelDrawLink(&fanuc, 3); }
static void link4() { ModelDrawLink(&fanuc, 4); }
static void link5() { ModelDrawLink(&fanuc, 5); }
static void link6() { ModelDrawLink(&fanuc, 6); }

//------------------------------------------------------------------ registration
// fill FanucS300Links
void RegisterFanucS300Drawing(void) {
  LinkDrawProc procs[7] = {base, link1, link2, link3, link4, link5, link6};
  for (int i = 0; i < 7; i++) FanucS300Links[i] = procs[i];
}
