// links_gl.cpp -- drawing side of the geometry registry: the standard end-effector drawer
#include "links/links.h"
#include "links/model_parts.h"
#include "links/Puma560.h"
#include "links/Yaskawa.h"
#include "links/FanucS300.h"
#include "links/Kerrow.h"
#include "links/REKERROW.h"
#include "links/REKERROWB.h"
#include "links/C3Manip.h"
#include "links/ZireVoro.h"
#include "links/Wrist.h"
#include "graphics/primitives.h"

//------------------------------------------------------------------ static helpers
// P[0] ... P[nP - 1] in order, each in its own colour (a hose or a plate would otherwise
// take the colour of the solid drawn before it)
static void StdDrawEE_gl(EndEffectorPtr ee) {
  for (int i = 0; i < ee->nP; i++) ModelDrawSolid(ee->P[i]);
}

//------------------------------------------------------------------ public API
//------------------------------------------------------------------ registration
// fill every model's drawing table and every drawer slot; calling it again changes nothing
void RegisterModelDrawing(void) {
  SetEEDrawer(EEDrawStd, StdDrawEE_gl);
  RegisterPuma560Drawing();
  RegisterYaskawaDrawing();
  RegisterFanucS300Drawing();
  RegisterKerrowDrawing();
  RegisterREKERROWDrawing();
  RegisterREKERROWBDrawing();
  RegisterC3ManipDrawing();
  RegisterZireVoroDrawing();
  RegisterWristDrawing();
}
