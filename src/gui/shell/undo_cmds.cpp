// undo_cmds.cpp -- Undo and Redo of pose changes: every pose the panels settle on is
// recorded in the undo history (robot/undo), a robot load starts it afresh
#include <string.h>  // for: memcpy()

#include "gui/shell/hubs.h"
#include "kin/ikp.h"          // for: FwdKin()
#include "robot/app_state.h"  // for: R, JC, CC
#include "robot/jconfig.h"    // for: InterpolateConfig_ani
#include "robot/undo.h"

//------------------------------------------------------------------ static helpers

// the pose of s in JC, then every display and the view
static void Restore(const UndoState* s) {
  if (!s || !R || !JC || !CC || s->n != R->n) return;
  memcpy(JC->q, s->q, sizeof(float)*s->n);
  FwdKin(R, JC, CC);
  UpdateAll();
  gl_win_redraw();
}

//------------------------------------------------------------------ public API

void UndoRecordPose(void) {
  if (!R || !JC || InterpolateConfig_ani) return;   // a move records where it ends
  UndoRecord(nullptr, JC->q, R->n);
}

void UndoAfterLoad(void) {
  UndoClear();
  UndoRecordPose();
}

void UndoCommand(void) { Restore(UndoBack()); }
void RedoCommand(void) { Restore(UndoForward()); }
