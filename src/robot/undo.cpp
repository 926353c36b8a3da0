// undo.cpp -- the undo history: a ring of states, each the robot (a robot-file text and its
// active joint limits) when it changed, and the joint values, stepped back and forth by Undo
// and Redo
#include "robot/undo.h"

#include <stdlib.h>  // for: malloc(), free()
#include <string.h>  // for: memcpy(), memcmp(), strcmp(), strdup()

//------------------------------------------------------------------ module state
// ring[(first + k) % UNDO_MAX] is the k-th oldest of count states; cur counts from the oldest
static UndoState ring[UNDO_MAX];
static int first = 0, count = 0, cur = -1;

//------------------------------------------------------------------ static helpers

static UndoState* At(int k) { return &ring[(first + k) % UNDO_MAX]; }

static void FreeState(UndoState* s) {
  free(s->text);  free(s->lim);  free(s->q);
  s->text = nullptr;  s->lim = nullptr;  s->q = nullptr;  s->n = 0;  s->limits = 0;
}

// the state holding the robot in force at state k, or NULL
static const UndoState* RobotAt(int k) {
  for (; k >= 0; k--)
    if (At(k)->text) return At(k);
  return nullptr;
}

static int SameRobot(const UndoState* s, const char* text, int limits, const float* lim, int n) {
  if (!s || !text || strcmp(s->text, text) != 0 || s->limits != limits) return 0;
  if ((!s->lim) != (!lim)) return 0;
  return !lim || (s->n == n && memcmp(s->lim, lim, sizeof(float)*2*n) == 0);
}

// the oldest state falls out; its robot moves to the next one when that has none
static void DropOldest(void) {
  UndoState* a = At(0);
  UndoState* b = count > 1 ? At(1) : nullptr;
  if (b && a->text && !b->text) {
    b->text = a->text;  b->limits = a->limits;  b->lim = a->lim;
    a->text = nullptr;  a->lim = nullptr;
  }
  FreeState(a);
  first = (first + 1) % UNDO_MAX;
  count--;
  cur--;
}

//------------------------------------------------------------------ public API

void UndoClear(void) {
  for (int k = 0; k < count; k++) FreeState(At(k));
  first = 0;  count = 0;  cur = -1;
}

int UndoRecordRobot(const char* text, int limits, const float* lim, const float* q, int n) {
  if (n < 0 || (n > 0 && !q)) return -1;
  if (cur >= 0 && SameRobot(RobotAt(cur), text, limits, lim, n)) text = nullptr;
  if (!text && cur >= 0 && At(cur)->n == n &&
      (n == 0 || memcmp(At(cur)->q, q, sizeof(float)*n) == 0))
    return 0;
  while (count > cur + 1) FreeState(At(--count));   // the redo branch goes
  if (count == UNDO_MAX) DropOldest();
  UndoState* s = At(count);
  s->q = (float*)malloc(sizeof(float)*(n > 0 ? n : 1));
  s->text = text ? strdup(text) : nullptr;
  s->lim = text && lim ? (float*)malloc(sizeof(float)*2*(n > 0 ? n : 1)) : nullptr;
  if (!s->q || (text && !s->text) || (text && lim && !s->lim)) {
    FreeState(s);
    UndoClear();
    return -1;
  }
  if (n > 0) memcpy(s->q, q, sizeof(float)*n);
  if (s->lim && n > 0) memcpy(s->lim, lim, sizeof(float)*2*n);
  s->limits = text ? limits : 0;
  s->n = n;
  cur = count++;
  return 0;
}

int UndoRecord(const char* text, const float* q, int n) {
  return UndoRecordRobot(text, 0, nullptr, q, n);
}

const UndoState* UndoBack(void) {
  if (cur <= 0) return nullptr;
  return At(--cur);
}

const UndoState* UndoForward(void) {
  if (cur < 0 || cur >= count - 1) return nullptr;
  return At(++cur);
}

const UndoState* UndoRobot(void) { return cur >= 0 ? RobotAt(cur) : nullptr; }

int UndoDepth(void) { return cur > 0 ? cur : 0; }
int RedoDepth(void) { return cur >= 0 ? count - 1 - cur : 0; }
