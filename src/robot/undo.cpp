// undo.cpp -- the undo history: a ring of states, each a robot-file text (or none) and the
// joint values, stepped back and forth by Undo and Redo
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
  free(s->text);  free(s->q);
  s->text = nullptr;  s->q = nullptr;  s->n = 0;
}

static int Same(const UndoState* s, const char* text, const float* q, int n) {
  if (s->n != n || (!s->text) != (!text)) return 0;
  if (text && strcmp(s->text, text) != 0) return 0;
  return n == 0 || memcmp(s->q, q, sizeof(float)*n) == 0;
}

//------------------------------------------------------------------ public API

void UndoClear(void) {
  for (int k = 0; k < count; k++) FreeState(At(k));
  first = 0;  count = 0;  cur = -1;
}

int UndoRecord(const char* text, const float* q, int n) {
  if (n < 0 || (n > 0 && !q)) return -1;
  if (cur >= 0 && Same(At(cur), text, q, n)) return 0;
  while (count > cur + 1) FreeState(At(--count));   // the redo branch goes
  if (count == UNDO_MAX) {                           // the oldest falls out
    FreeState(At(0));
    first = (first + 1) % UNDO_MAX;
    count--;
  }
  UndoState* s = At(count);
  s->q = (float*)malloc(sizeof(float)*(n > 0 ? n : 1));
  s->text = text ? strdup(text) : nullptr;
  if (!s->q || (text && !s->text)) {
    FreeState(s);
    UndoClear();
    return -1;
  }
  if (n > 0) memcpy(s->q, q, sizeof(float)*n);
  s->n = n;
  cur = count++;
  return 0;
}

const UndoState* UndoBack(void) {
  if (cur <= 0) return nullptr;
  return At(--cur);
}

const UndoState* UndoForward(void) {
  if (cur < 0 || cur >= count - 1) return nullptr;
  return At(++cur);
}

int UndoDepth(void) { return cur > 0 ? cur : 0; }
int RedoDepth(void) { return cur >= 0 ? count - 1 - cur : 0; }
