// undo.h -- the undo history: a ring of states, each the robot (a robot-file text and its
// active joint limits) when it changed, and the joint values, stepped back and forth by Undo
// and Redo
#ifndef VELMORA_UNDO_H
#define VELMORA_UNDO_H

// states kept; the oldest falls out when one more is recorded
#define UNDO_MAX 128

typedef struct _UndoState_ {
  char* text;                 // the robot file's text, or NULL: the robot of the state before
  int limits;                 // with a text: 1 while the joint limits are enforced
  float* lim;                 // with a text: n pairs (minimum, maximum) of active limits, or NULL
  int n;                      // joint values in q
  float* q;
} UndoState;

// forget every state (a robot load)
void UndoClear(void);
// record the state after a change: the states Redo would reach are dropped; a robot equal
// to the one in force (same text, enforcement and limits) is kept as none; a state that
// changes nothing (no robot, the same values) is not recorded. 0, or -1 when the values are
// missing or memory ran out (the history is then cleared)
int UndoRecordRobot(const char* text, int limits, const float* lim, const float* q, int n);
// the same without joint limits (text NULL: a pose change)
int UndoRecord(const char* text, const float* q, int n);
// step back (Undo) or forward (Redo): the state to restore, or NULL when there is none
const UndoState* UndoBack(void);
const UndoState* UndoForward(void);
// the state whose robot is in force at the current one: the nearest at or before it with a
// text (the oldest kept state gets the text of one that falls out); NULL when none has one
const UndoState* UndoRobot(void);
// states behind and ahead of the current one
int UndoDepth(void);
int RedoDepth(void);

#endif
