// test_undo.cpp -- covers src/robot/undo.cpp
#include <gtest/gtest.h>
#include <stdio.h>

#include "robot/undo.h"

// three poses then back twice and forward once: each step returns the recorded values
// exactly; a new record drops the redo branch; a repeat of the current state is no step
TEST(Undo, StepsBackAndForthExactly) {
  UndoClear();
  const float a[2] = {0, 0}, b[2] = {10.5f, -3.25f}, c[2] = {1e-7f, 179.99f}, d[2] = {5, 5};
  EXPECT_EQ(UndoBack(), nullptr);
  EXPECT_EQ(UndoRecord(nullptr, a, 2), 0);
  EXPECT_EQ(UndoBack(), nullptr);                 // the first state has nothing before it
  UndoRecord(nullptr, b, 2);
  UndoRecord(nullptr, b, 2);                      // the same again: not a step
  UndoRecord("robot 1\n", c, 2);
  EXPECT_EQ(UndoDepth(), 2);
  const UndoState* s = UndoBack();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->q[0], 10.5f);  EXPECT_EQ(s->q[1], -3.25f);  EXPECT_EQ(s->text, nullptr);
  s = UndoBack();
  EXPECT_EQ(s->q[0], 0.0f);
  EXPECT_EQ(UndoBack(), nullptr);
  s = UndoForward();
  EXPECT_EQ(s->q[1], -3.25f);
  EXPECT_EQ(RedoDepth(), 1);
  UndoRecord(nullptr, d, 2);                      // the branch to c goes
  EXPECT_EQ(UndoForward(), nullptr);
  EXPECT_EQ(RedoDepth(), 0);
  EXPECT_EQ(UndoBack()->q[0], 10.5f);
  EXPECT_EQ(UndoForward()->q[0], 5.0f);
  UndoClear();
  EXPECT_EQ(UndoDepth(), 0);
  EXPECT_EQ(UndoForward(), nullptr);
}

// 300 states: the newest UNDO_MAX stay, so at least 100 steps back are there, and the
// oldest reachable is state 300 - UNDO_MAX; texts come back byte for byte
TEST(Undo, KeepsTheNewestStates) {
  UndoClear();
  char text[32];
  for (int i = 0; i < 300; i++) {
    float q[1] = {(float)i};
    snprintf(text, sizeof text, "state %d\n", i);
    ASSERT_EQ(UndoRecord(text, q, 1), 0);
  }
  EXPECT_EQ(UndoDepth(), UNDO_MAX - 1);
  EXPECT_GE(UNDO_MAX - 1, 100);
  const UndoState* s = nullptr;
  for (int k = 0; k < UNDO_MAX - 1; k++) s = UndoBack();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->q[0], (float)(300 - UNDO_MAX));
  snprintf(text, sizeof text, "state %d\n", 300 - UNDO_MAX);
  EXPECT_STREQ(s->text, text);
  EXPECT_EQ(UndoBack(), nullptr);
  EXPECT_EQ(UndoRecord(nullptr, nullptr, 2), -1);   // values missing: refused
  UndoClear();
}
