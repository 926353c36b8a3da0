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

// robot states and pose states mixed: the robot in force at each step is the latest robot
// at or before it; a robot equal to the one in force is a pose step only; when the first
// robot state falls out of the ring its robot stays in force for the states after it
TEST(Undo, TheRobotInForceFollowsTheSteps) {
  UndoClear();
  const float q0[1] = {0}, q1[1] = {10}, q2[1] = {20};
  const float lim_a[2] = {-90, 90}, lim_b[2] = {-45, 90};
  ASSERT_EQ(UndoRecordRobot("arm A\n", 1, lim_a, q0, 1), 0);    // the load
  UndoRecord(nullptr, q1, 1);                                    // a move
  UndoRecordRobot("arm A\n", 1, lim_b, q1, 1);                   // a limit edit
  UndoRecordRobot("arm B\n", 1, lim_b, q1, 1);                   // a link edit
  UndoRecordRobot("arm B\n", 1, lim_b, q2, 1);                   // same robot, moved
  UndoRecordRobot("arm B\n", 1, lim_b, q2, 1);                   // nothing new
  EXPECT_EQ(UndoDepth(), 4);
  EXPECT_STREQ(UndoRobot()->text, "arm B\n");
  const UndoState* s = UndoBack();
  EXPECT_STREQ(s->text, "arm B\n");
  EXPECT_EQ(s->q[0], 10.0f);
  s = UndoForward();
  EXPECT_EQ(s->text, nullptr);                                   // kept as a pose step
  EXPECT_EQ(s->q[0], 20.0f);
  EXPECT_STREQ(UndoRobot()->text, "arm B\n");
  UndoBack();
  UndoBack();
  EXPECT_STREQ(UndoRobot()->text, "arm A\n");
  EXPECT_EQ(UndoRobot()->lim[0], -45.0f);
  s = UndoBack();
  EXPECT_EQ(s->q[0], 10.0f);
  EXPECT_EQ(UndoRobot()->lim[0], -90.0f);
  EXPECT_EQ(UndoRobot()->limits, 1);
  UndoBack();
  EXPECT_EQ(UndoBack(), nullptr);
  for (int k = 0; k < 4; k++) UndoForward();
  EXPECT_EQ(UndoForward(), nullptr);
  EXPECT_STREQ(UndoRobot()->text, "arm B\n");
  // the first robot state and the 127 poses after it: one more pose pushes it out
  UndoClear();
  UndoRecordRobot("arm A\n", 0, lim_a, q0, 1);
  for (int i = 1; i <= UNDO_MAX; i++) {
    float q[1] = {(float)i};
    ASSERT_EQ(UndoRecord(nullptr, q, 1), 0);
  }
  EXPECT_EQ(UndoDepth(), UNDO_MAX - 1);
  for (int k = 0; k < UNDO_MAX - 1; k++) s = UndoBack();
  EXPECT_EQ(s->q[0], 1.0f);
  ASSERT_NE(UndoRobot(), nullptr);
  EXPECT_STREQ(UndoRobot()->text, "arm A\n");
  EXPECT_EQ(UndoRobot()->lim[1], 90.0f);
  UndoClear();
  EXPECT_EQ(UndoRobot(), nullptr);
}
