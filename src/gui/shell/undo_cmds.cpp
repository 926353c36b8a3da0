// undo_cmds.cpp -- Undo and Redo of robot edits and pose changes: every edit of the robot
// dialogs and every pose the panels settle on is recorded in the undo history (robot/undo),
// a robot load starts it afresh
#include <FL/Fl_Light_Button.H>  // for: Fl_Light_Button
#include <stdio.h>   // for: snprintf()
#include <stdlib.h>  // for: malloc(), free()
#include <string.h>  // for: memcpy(), memcmp(), strcmp(), strdup()

#include "gui/robot/robot_dlg.h"  // for: edit_robot_text(), joint_limits_refresh()
#include "gui/shell/hubs.h"
#include "kin/ikp.h"              // for: FwdKin()
#include "load/robot_load.h"      // for: LoadRobotText()
#include "robot/app_state.h"      // for: R, JC, CC
#include "robot/jconfig.h"        // for: InterpolateConfig_ani
#include "robot/undo.h"

//------------------------------------------------------------------ module state
static int restoring = 0;            // a restore is under way: its refreshes record nothing
// the robot last loaded or saved: its text and active limits (n pairs)
static char* saved_text = nullptr;
static float* saved_lim = nullptr;
static int saved_n = 0;
static int loaded_full = 0;          // the robot was loaded with its full geometry

//------------------------------------------------------------------ static helpers

// the active limits of R, n pairs; the caller frees them; NULL when memory ran out
static float* ActiveLimits(void) {
  float* lim = (float*)malloc(sizeof(float)*2*(R->n > 0 ? R->n : 1));
  for (int k = 0; lim && k < R->n; k++) {
    lim[2*k] = R->L[k].q_limit[0];
    lim[2*k + 1] = R->L[k].q_limit[1];
  }
  return lim;
}

// the robot now, as a state of the history: its text and active limits
static int RecordRobot(void) {
  char* text = edit_robot_text();
  float* lim = ActiveLimits();
  int rc = text && lim ? UndoRecordRobot(text, R->limits, lim, JC->q, R->n) : -1;
  free(text);  free(lim);
  return rc;
}

static void RememberSaved(void) {
  free(saved_text);  free(saved_lim);
  saved_text = R ? edit_robot_text() : nullptr;
  saved_lim = R ? ActiveLimits() : nullptr;
  saved_n = R ? R->n : 0;
}

// the robot of state rs is the one last loaded or saved: the same text and active limits
static int IsSaved(const UndoState* rs) {
  if (!rs || !saved_text || strcmp(rs->text, saved_text) != 0) return 0;
  if (!rs->lim || !saved_lim) return rs->lim == saved_lim;
  return rs->n == saved_n && memcmp(rs->lim, saved_lim, sizeof(float)*2*saved_n) == 0;
}

// the robot of rs in place of R: rebuilt from the text when R's text differs, under R's
// name; then its enforcement and active limits; 0, or -1 when the text was refused
static int RestoreRobot(const UndoState* rs) {
  char* now = edit_robot_text();
  int differs = !now || strcmp(now, rs->text) != 0;
  free(now);
  if (differs) {
    char name[sizeof R->name];
    snprintf(name, sizeof name, "%s", R->name);
    Robot r = LoadRobotText(rs->text, name);
    RobotRestored();
    if (!r) return -1;
    if (loaded_full && geom_full) geom_full->activate();   // as after the edit to up or down
    edit_robot_text_limits();
  }
  if (rs->lim && rs->n == R->n) {
    for (int k = 0; k < R->n; k++) {
      R->L[k].q_limit[0] = rs->lim[2*k];
      R->L[k].q_limit[1] = rs->lim[2*k + 1];
    }
    R->limits = rs->limits;
    joint_limits_refresh();
  }
  R->changed = IsSaved(rs) ? 0 : 1;
  return 0;
}

// the robot in force at s, then the pose of s in JC, then every display and the view
static void Restore(const UndoState* s) {
  if (!s || !R || !JC || !CC) return;
  restoring = 1;
  const UndoState* rs = UndoRobot();
  if (rs && RestoreRobot(rs) != 0) {
    restoring = 0;
    UndoClear();                        // the history no longer matches the robot
    if (R && JC) RecordRobot();
    return;
  }
  if (R && JC && CC && s->n == R->n) {
    memcpy(JC->q, s->q, sizeof(float)*s->n);
    FwdKin(R, JC, CC);
  }
  UpdateAll();
  restoring = 0;
  gl_win_redraw();
}

//------------------------------------------------------------------ public API

void UndoRecordPose(void) {
  if (restoring || !R || !JC || InterpolateConfig_ani) return;   // a move records where it ends
  UndoRecord(nullptr, JC->q, R->n);
}

void UndoRecordEdit(void) {
  if (restoring || !R || !JC) return;
  RecordRobot();
}

void UndoAfterLoad(void) {
  UndoClear();
  loaded_full = R && R->geom_type == 2;
  RememberSaved();
  if (R && JC) RecordRobot();
}

void UndoAfterSave(void) { RememberSaved(); }

void UndoCommand(void) { Restore(UndoBack()); }
void RedoCommand(void) { Restore(UndoForward()); }
