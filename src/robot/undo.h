// undo.h -- the undo history: a ring of states, each a robot-file text (or none) and the
// joint values, stepped back and forth by Undo and Redo
#ifndef VELMORA_UNDO_H
#define VELMORA_UNDO_H

// states kept; the oldest falls out when one more is recorded
#define UNDO_MAX 128

typedef struct _UndoState_ {
  char* text;                 // the robot file's text, or NULL when only the pose counts
  int n;                      // joint values in q
  float* q;
} UndoState;

// forget every state (a robot load)
void UndoClear(void);
// record the state after a change: the states Redo would reach are dropped; a state equal to
// the current one (same text, same values) is not recorded again. 0, or -1 when memory ran
// out (the history is then cleared)
int UndoRecord(const char* text, const float* q, int n);
// step back (Undo) or forward (Redo): the state to restore, or NULL when there is none
const UndoState* UndoBack(void);
const UndoState* UndoForward(void);
// states behind and ahead of the current one
int UndoDepth(void);
int RedoDepth(void);

#endif
