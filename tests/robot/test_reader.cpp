// test_reader.cpp -- covers src/robot/reader.cpp and src/robot/tokenizer.cpp: robot files in and out
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>

#include <sstream>
#include <string>
#include <vector>

#include "robot/app_state.h"
#include "kin/ikp.h"
#include "robot/jconfig.h"
#include "robot/reader.h"
#include "load/robot_load.h"  // for: ReadRobot()
#include "robot/robot.h"
#include "support/data_copy.h"

// every case works in a private directory with empty data folders
class RobotFiles : public ::testing::Test {
 protected:
  std::string dir, out, err;
  void SetUp() override {
    dir = EnterDataCopy(0);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override { LeaveDataCopy(dir); }
  // write Arch/<name> and read it; full 0 parses only
  Robot Read(const std::string& text, int full = 0, const char* name = "t") {
    WriteTextFile(std::string("Arch/") + name, text);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Robot r = full ? ReadRobot(name) : ParseRobot(name);
    err = testing::internal::GetCapturedStderr();
    out = testing::internal::GetCapturedStdout();
    return r;
  }
  // the file is refused and the message appears (stderr or stdout)
  void Refused(const std::string& text, const std::string& message) {
    Robot r = Read(text);
    EXPECT_EQ(r, nullptr) << text;
    EXPECT_NE((err + out).find(message), std::string::npos)
      << "want: " << message << "\ngot: " << err << out;
    FreeRobot(r);
  }
};

static const char* kOneLink = "{ a = 2 }\n";

//------------------------------------------------------------------ values and defaults

TEST_F(RobotFiles, LinkValuesDefaultsAndDerivedFields) {
  Robot r = Read("/* two links */\ngeomtype = up\nHDtype = Craig\n"
                 "{ joint = rev a = 1.5 b = -0.25 al = 30 th = 90 }\n"
                 "{ joint = pris b = 0.5 limits = [0.1, 2] m = 3 cm = [1 2 3] "
                 "I = [1 2 3 4 5 6] }\n");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(r->n, 2);
  EXPECT_EQ(r->geom_type, 0);
  EXPECT_EQ(r->HD_type, 1);
  EXPECT_STREQ(r->name, "t");
  const Link& a = r->L[0];
  EXPECT_EQ(a.joint, 0);
  EXPECT_FLOAT_EQ(a.a, 1.5f);  EXPECT_FLOAT_EQ(a.b, -0.25f);
  EXPECT_FLOAT_EQ(a.abs_b, 0.25f);  EXPECT_EQ(a.sign_b, -1);
  EXPECT_NEAR(a.cal, sqrt(3.0)/2, 1e-6);  EXPECT_NEAR(a.sal, 0.5, 1e-6);
  EXPECT_NEAR(a.cth, 0.0, 1e-6);  EXPECT_NEAR(a.sth, 1.0, 1e-6);
  EXPECT_FLOAT_EQ(a.h_q, 90.0f);
  EXPECT_EQ(a.q_limit[0], -100000.0f);  EXPECT_EQ(a.h_q_limit[1], 100000.0f);
  EXPECT_FLOAT_EQ(a.m, 1.0f);  EXPECT_FLOAT_EQ(a.cm[0], 0.5f);  EXPECT_FLOAT_EQ(a.I[1], 0.1f);
  EXPECT_EQ(a.visible, 1);  EXPECT_EQ(a.show_axes, 0);  EXPECT_EQ(a.show_cm, 0);
  ASSERT_NE(a.Q_i, nullptr);  ASSERT_NE(a.Q_1, nullptr);
  const Link& b = r->L[1];
  EXPECT_EQ(b.joint, 1);
  EXPECT_FLOAT_EQ(b.a, 1.0f);                       // default length
  EXPECT_FLOAT_EQ(b.h_q, 0.5f);                     // a prismatic home is its offset
  EXPECT_FLOAT_EQ(b.q_limit[0], 0.1f);  EXPECT_FLOAT_EQ(b.h_q_limit[1], 2.0f);
  EXPECT_FLOAT_EQ(b.m, 3.0f);  EXPECT_FLOAT_EQ(b.cm[2], 3.0f);  EXPECT_FLOAT_EQ(b.I[5], 6.0f);
  EXPECT_EQ(r->limits, 1);
  // parse only: avg_len = (1.5 + 0.25 + 1 + 0.5) / (2 * 2), rad = avg_len / 8
  EXPECT_NEAR(r->avg_len, 3.25/4, 1e-6);
  EXPECT_NEAR(r->rad, 3.25/32, 1e-6);
  FreeRobot(r);
}

TEST_F(RobotFiles, DefaultsOfTheRobotLevel) {
  Robot r = Read(kOneLink);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->geom_type, 1);   // down
  EXPECT_EQ(r->HD_type, 0);
  EXPECT_EQ(r->limits, 0);
  EXPECT_EQ(r->EE.type, 0);
  EXPECT_EQ(r->links, nullptr);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(r->EE.Qee[i][j], i == j ? 1.0f : 0.0f);
  FreeRobot(r);
  r = Read("geomtype = full\n{}\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->limits, 1);      // full geometry enforces limits
  FreeRobot(r);
}

// the name is the path after its last "/", at most 63 characters; an over-long path is
// refused rather than cut
TEST_F(RobotFiles, RobotNameAndPath) {
  std::string n70(70, 'r');
  Robot r = Read(kOneLink, 0, n70.c_str());
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(std::string(r->name), std::string(63, 'r'));
  FreeRobot(r);
  std::string abs = dir + "/Arch/" + n70;
  testing::internal::CaptureStdout();
  r = ParseRobot(abs.c_str());
  testing::internal::GetCapturedStdout();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(std::string(r->name), std::string(63, 'r'));
  FreeRobot(r);
  testing::internal::CaptureStderr();
  EXPECT_EQ(ParseRobot(std::string(300, 'p').c_str()), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("Unable to open file `Arch/ppp", 0),
            0u);
}

TEST_F(RobotFiles, SynonymsSeparatorsAndLiterals) {
  Robot p = Read("{ joint = pris; b = 1e0, limits = [ -1.5 , 2.5 ] }");
  Robot q = Read("{joint=prismatic\nb=1;limits=[-1.5;2.5]}");
  ASSERT_NE(p, nullptr);
  ASSERT_NE(q, nullptr) << err;
  EXPECT_EQ(p->L[0].joint, q->L[0].joint);
  EXPECT_EQ(p->L[0].b, q->L[0].b);
  EXPECT_EQ(p->L[0].q_limit[0], q->L[0].q_limit[0]);
  EXPECT_EQ(p->L[0].q_limit[1], q->L[0].q_limit[1]);
  FreeRobot(p);  FreeRobot(q);
  Robot r = Read("{ a = 3 b = -.5e+1 al = +45. th = 1.25E-1 }");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_FLOAT_EQ(r->L[0].a, 3.0f);  EXPECT_FLOAT_EQ(r->L[0].b, -5.0f);
  EXPECT_FLOAT_EQ(r->L[0].al, 45.0f);  EXPECT_FLOAT_EQ(r->L[0].th, 0.125f);
  FreeRobot(r);
  // the last value may end the file
  r = Read("{ }\nEndEffector = hand");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(r->EE.type, 1);
  FreeRobot(r);
}

TEST_F(RobotFiles, NestedCommentIsSkippedWhole) {
  Robot r = Read("/* outer /* inner { a = 9 } */ still { a = 7 } comment */\n{ a = 2 }\n");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(r->n, 1);
  EXPECT_FLOAT_EQ(r->L[0].a, 2.0f);
  FreeRobot(r);
}

//------------------------------------------------------------------ classification

TEST_F(RobotFiles, WristFlagAndRobotClass) {
  std::string six = "{a=0 al=-90}{a=0 al=90}{a=0 al=-90}{a=0 al=90}{a=0 al=-90}{a=0.5 b=1}";
  Robot r = Read(six);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->wrist_partitioned, 1);
  EXPECT_EQ(r->type, 2);
  FreeRobot(r);
  r = Read("{a=0}{a=1}{a=0}{a=0}{a=0}{a=0}");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->type, 0);
  EXPECT_EQ(r->wrist_partitioned, 1);
  FreeRobot(r);
  r = Read("{a=0}{a=1}{a=0}{a=0}{a=0 b=0.1}{a=0}");
  EXPECT_EQ(r->wrist_partitioned, 0);
  FreeRobot(r);
  r = Read("{a=0}{a=1}{a=1}{a=0}{a=0}");
  EXPECT_EQ(r->type, 4);
  FreeRobot(r);
}

//------------------------------------------------------------------ trace

// each assignment: "%d: %s", " = ", the value, the delimiter, "\n"; braces "%d:  %c\n"
TEST_F(RobotFiles, TraceOnStandardOutput) {
  Robot r = Read("geomtype = up\n{\n a = 2,\n joint = pris\n limits = [-1, 2]\n}\n");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(out, "1: geomtype =  0 \n"
                 "2:  {\n"
                 "3: a =  2.000000 ,\n"
                 "4: joint =  1 \n"
                 "5: limits = [  -1.000000 , 2.000000  ]\n"
                 "6:  }\n");
  FreeRobot(r);
}

//------------------------------------------------------------------ messages

TEST_F(RobotFiles, EveryMessageWithItsLine) {
  Refused("{\n a = 1\n @ }", "Arch/t: syntax error at line 3\n");
  Refused("\n\n/* open /* nested */", "Arch/t: Unterminated comment\n");
  Refused("{\n\n b = .\n}", "Arch/t: syntax error at line 3\n");
  Refused("{ a = 1 }\n{\n bogus = 1\n}", "Unexpected name 'bogus' at line 3 in Arch/t\n");
  Refused("{\n a 1\n}", "'=' expected at line 2 in Arch/t\n");
  Refused("\ngeomtype = 2\n{}", "Type mismatch:Name expected at line 2 in Arch/t\n");
  Refused("{\n\n\n a = up }", "Type mismatch:Float expected at line 4 in Arch/t\n");
  Refused("{\n limits = 4 }", "Type mismatch: Vector expected at line 2 in Arch/t\n");
  Refused("geomtype = sideways\n{}", "Unrecognized value 'sideways' at line 1 in Arch/t\n");
  Refused("{ joint = Prismatic }", "Unrecognized value 'Prismatic' at line 1 in Arch/t\n");
  Refused("{\n a = 1x }", "Syntax error: at line 2 in Arch/t\n");
  Refused("{\n limits = [1 2]x }", "Syntax error: at line 2 in Arch/t\n");
  Refused("{\n limits = [1 2x] }", "Syntax error: at line 2 in Arch/t\n");
  Refused("{\n\n limits = [1] }", "Improper number of entries in vector on line 3 in Arch/t\n");
  Refused("{ limits = [1 2 3] }", "Improper number of entries in vector on line 1 in Arch/t\n");
  Refused("{ cm = [1 2 3 4] }", "Improper number of entries in vector on line 1 in Arch/t\n");
  Refused("{ I = [1 2 3 4 5] }", "Improper number of entries in vector on line 1 in Arch/t\n");
  Refused("{ limits = [1 ,, 2] }", "Bad float on line 1 in Arch/t\n");
  Refused("{ limits = [up 2] }", "Bad float on line 1 in Arch/t\n");
  // inside a vector the message names no file, wherever the comment opens
  for (const char* t : {"{ limits = [ /* no end", "{ limits = [1 /* no end", "{ limits = [1/*"}) {
    EXPECT_EQ(Read(t), nullptr);
    EXPECT_EQ(err, "Unterminated comment\n") << t;
  }
  EXPECT_EQ(Read("{ a = 1 /* no end"), nullptr);
  EXPECT_EQ(err, "Arch/t: Unterminated comment\n");
  Refused("{\n a = 1\n {", "Unexpected '{' at line 3 in Arch/t\n");
  Refused("{ a = 1 }\n\n}", "Unexpected '{' at line 3 in Arch/t\n");
  Refused("{ a = 1 }\n{ b = 2\n", "Unmatched '{'\n");
  Refused("{ a = 1 }\n\n= 4", "ERROR at line 3\n");
  Refused("{ a = 1 }\n5", "ERROR at line 2\n");
  Refused("{ a = 1 }\n[", "ERROR at line 2\n");
  Refused("/* nothing but a comment */\n", "Arch/t: no link block");
  Refused("geomtype = full\n", "Arch/t: no link block");
  // the robot-level table is not searched inside a block, nor the link table outside
  Refused("{ geomtype = up }", "Unexpected name 'geomtype' at line 1 in Arch/t\n");
  Refused("a = 1\n{}", "Unexpected name 'a' at line 1 in Arch/t\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(ReadRobot("missing"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to open file `Arch/missing'\n");
}

TEST_F(RobotFiles, LongNamesAndNumbersAreRefusedWithoutOverrun) {
  std::string n32(32, 'k'), n33(33, 'k'), n5000(5000, 'k');
  Refused("{ " + n32 + " = 1 }", "Unexpected name '" + n32 + "' at line 1");
  Refused("{\n " + n33 + " = 1 }", "Arch/t: Name: " + n32 + " too long on line 2\n");
  Refused("{ " + n5000 + " = 1 }", " too long on line 1\n");
  std::string d51 = "1." + std::string(49, '0');          // 51 characters
  Robot r = Read("{ a = " + d51 + " }");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_FLOAT_EQ(r->L[0].a, 1.0f);
  FreeRobot(r);
  Refused("{ a = " + d51 + "0 }", "Arch/t: syntax error at line 1\n");
  Refused("{ a = " + std::string(100000, '9') + " }", "Arch/t: syntax error at line 1\n");
  Refused("{ a = 1e39 }", "Arch/t: syntax error at line 1\n");   // beyond float range
}

TEST_F(RobotFiles, HostileInput) {
  // NUL bytes are bad characters
  Refused(std::string("{ a = 1 }\n\0\0{ }", 15), "Arch/t: syntax error at line 2\n");
  // deep nesting needs no stack
  std::string deep;
  for (int i = 0; i < 200000; i++) deep += "/*";
  for (int i = 0; i < 200000; i++) deep += "*/";
  Robot r = Read(deep + "\n{ a = 4 }\n");
  ASSERT_NE(r, nullptr) << err.substr(0, 200);
  EXPECT_FLOAT_EQ(r->L[0].a, 4.0f);
  FreeRobot(r);
  Refused(deep.substr(0, deep.size() - 2) + "{ a = 4 }", "Arch/t: Unterminated comment\n");
  // 10 MB of comment before the link
  std::string big = "/*" + std::string(10*1024*1024, 'x') + "*/\n{ a = 5 }\n";
  r = Read(big);
  ASSERT_NE(r, nullptr);
  EXPECT_FLOAT_EQ(r->L[0].a, 5.0f);
  FreeRobot(r);
  // 10 MB of text that is no robot
  Refused(std::string(10*1024*1024, '#'), "Arch/t: syntax error at line 1\n");
}

// 30 links are the most a robot has; the 31st block is refused where it opens, so a huge
// file ends there (its broken last block is never reached)
TEST_F(RobotFiles, ThirtyLinksAndNoMore) {
  std::string text = "{ joint = pris b = 1 a = 0.5 }\n";
  for (int i = 1; i < 30; i++) text += "{ a = 0.5 al = 90 th = " + std::to_string(i) + " }\n";
  Robot r = Read(text, 1);
  ASSERT_NE(r, nullptr) << err.substr(0, 200);
  EXPECT_EQ(r->n, 30);
  EXPECT_FLOAT_EQ(r->L[29].th, 29.0f);
  // prismatic robot: avg_len = (30 * 0.5 + 1) / 60
  EXPECT_NEAR(r->avg_len, 16.0/60, 1e-6);
  FreeRobot(r);
  Refused(text + "\n/* one more */ {}",
          "Too many links at line 32 in Arch/t: a robot has at most 30\n");
  std::string huge = text;
  for (int i = 30; i < 65536; i++) huge += "{ a = 0.5 }\n";
  Refused(huge + "{ a = x }", "Too many links at line 31 in Arch/t");
  EXPECT_EQ(err.find("Type mismatch"), std::string::npos);
}

TEST_F(RobotFiles, AFailedReadLeavesTheCurrentRobotAlone) {
  Robot cur = Read("{ a = 3 }{ a = 4 }");
  ASSERT_NE(cur, nullptr);
  R = cur;
  Refused("{ a = 1 }{ a = ", "Type mismatch:Float expected");
  EXPECT_EQ(R, cur);
  EXPECT_EQ(R->n, 2);
  EXPECT_FLOAT_EQ(R->L[1].a, 4.0f);
  R = nullptr;
  FreeRobot(cur);
}

//------------------------------------------------------------------ full read

TEST_F(RobotFiles, FullReadOfAPrismaticRobot) {
  int hook = -1;
  static int* seen;
  seen = &hook;
  SetLoadMenuHook([](int active) { *seen = active; });
  Robot r = Read("{ a = 1 b = 2 }{ joint = pris b = 3 a = 0 }", 1);
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(hook, 0);
  EXPECT_EQ(out.find("The avg_length is"), std::string::npos);
  EXPECT_NEAR(r->avg_len, 6.0/4, 1e-6);     // (1 + 2 + 0 + 3) / (2 * 2)
  EXPECT_NEAR(r->rad, 6.0/32, 1e-6);
  EXPECT_NE(r->L[0].hinge, nullptr);        // bodies were made
  EXPECT_NE(r->dEE.h1, nullptr);
  FreeRobot(r);
  SetLoadMenuHook(nullptr);
}

TEST_F(RobotFiles, FullReadOfARevoluteRobot) {
  int hook = -1;
  static int* seen;
  seen = &hook;
  SetLoadMenuHook([](int active) { *seen = active; });
  Robot r = Read("{ a = 0 b = 2 al = 90 }{ a = 3 }{ a = 2 }", 1, "arm3");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(hook, 1);
  EXPECT_NE(out.find("The avg_length is: 7.000000 \n"), std::string::npos) << out;
  EXPECT_GT(r->avg_len, 0.0f);
  EXPECT_FLOAT_EQ(r->rad, r->avg_len/8);
  FreeRobot(r);
  SetLoadMenuHook(nullptr);
}

//------------------------------------------------------------------ writers

// one DH table compared link by link
static void ExpectSameLinks(Robot a, Robot b) {
  ASSERT_EQ(a->n, b->n);
  for (int k = 0; k < a->n; k++) {
    EXPECT_EQ(a->L[k].joint, b->L[k].joint) << k;
    EXPECT_NEAR(a->L[k].a, b->L[k].a, 1e-6) << k;
    EXPECT_NEAR(a->L[k].al, b->L[k].al, 1e-6) << k;
  }
}

TEST_F(RobotFiles, NewRobotLayoutIsExact) {
  RobotFileRow rows[2] = {{0, 1, 0.5f, 90, 10, 1, -45, 45}, {1, 0, 2, 0, 0, 0, 0, 0}};
  ASSERT_EQ(SaveNewRobot("fresh", 2, rows), 0);
  EXPECT_EQ(ReadTextFile("Arch/fresh"),
            "/*************************\nfresh\n*************************/\n"
            "geomtype = up\n\n"
            "/** Link 1 **/\n{\n     a  = 1.000000\n     b  = 0.500000\n"
            "     al = 90.000000\n     th = 10.000000\n"
            "     limits = [ -45.000000,  45.000000]\n}\n"
            "/** Link 2 **/\n{\njoint = prismatic\n     a  = 0.000000\n     b  = 2.000000\n"
            "     al = 0.000000\n     th = 0.000000\n}\n");
  Robot r = Read(ReadTextFile("Arch/fresh"), 0, "fresh");
  ASSERT_NE(r, nullptr) << err;
  EXPECT_EQ(r->geom_type, 0);
  EXPECT_EQ(r->L[1].joint, 1);
  EXPECT_FLOAT_EQ(r->L[0].q_limit[0], -45.0f);
  EXPECT_EQ(r->L[1].q_limit[1], 100000.0f);
  EXPECT_FLOAT_EQ(r->L[0].h_q, 10.0f);
  EXPECT_FLOAT_EQ(r->L[1].h_q, 2.0f);
  EXPECT_EQ(r->limits, 1);
  FreeRobot(r);
}

TEST_F(RobotFiles, SaveStoresThePoseAsHome) {
  Robot r = Read("geomtype = down\n{ a = 1 al = 90 th = 5 }{ joint = pris a = 2 b = 1 th = 15 }"
                 "{ a = 0.5 b = -1 al = -90 limits = [-10, 10] }");
  ASSERT_NE(r, nullptr);
  float q[3] = {33.5f, 2.75f, -7.25f};
  int on[3] = {0, 1, 1};
  float lim[3][2] = {{0, 0}, {0.5f, 4}, {-20, 20}};
  ASSERT_EQ(SaveRobot(r, q, on, lim), 0);
  EXPECT_EQ(ReadTextFile("Arch/t").substr(0, 29), "/*************************\nt\n");
  Robot s = Read(ReadTextFile("Arch/t"));
  ASSERT_NE(s, nullptr) << err;
  ExpectSameLinks(r, s);
  EXPECT_EQ(s->geom_type, 1);
  EXPECT_FLOAT_EQ(s->L[0].th, 33.5f);   // revolute: pose into th
  EXPECT_FLOAT_EQ(s->L[0].b, 0.0f);
  EXPECT_FLOAT_EQ(s->L[1].b, 2.75f);    // prismatic: pose into b
  EXPECT_FLOAT_EQ(s->L[1].th, 15.0f);
  EXPECT_FLOAT_EQ(s->L[2].b, -1.0f);
  EXPECT_FLOAT_EQ(s->L[2].th, -7.25f);
  for (int k = 0; k < 3; k++) EXPECT_FLOAT_EQ(s->L[k].h_q, q[k]);
  EXPECT_EQ(s->L[0].q_limit[1], 100000.0f);
  EXPECT_FLOAT_EQ(s->L[1].q_limit[0], 0.5f);
  EXPECT_FLOAT_EQ(s->L[2].q_limit[1], 20.0f);
  EXPECT_EQ(s->EE.type, 0);
  FreeRobot(s);
  // Save As: full geometry is written as up; the file takes the new name
  r->geom_type = 2;
  ASSERT_EQ(SaveRobotAs(r, "other", q, nullptr, nullptr), 0);
  EXPECT_NE(ReadTextFile("Arch/other").find("\nother\n"), std::string::npos);
  s = Read(ReadTextFile("Arch/other"), 0, "other");
  ASSERT_NE(s, nullptr);
  ExpectSameLinks(r, s);
  EXPECT_EQ(s->geom_type, 0);
  EXPECT_EQ(s->limits, 0);
  FreeRobot(s);
  FreeRobot(r);
}

TEST_F(RobotFiles, WritersRefuseWhatTheyCannotWrite) {
  RobotFileRow rows[1] = {{0, 1, 0, 0, 0, 0, 0, 0}};
  testing::internal::CaptureStderr();
  EXPECT_EQ(SaveNewRobot("no/such/dir/x", 1, rows), -1);
  EXPECT_EQ(SaveNewRobot("", 1, rows), -1);
  EXPECT_EQ(SaveNewRobot("x", 0, rows), -1);
  std::string e = testing::internal::GetCapturedStderr();
  EXPECT_NE(e.find("Unable to write file `Arch/no/such/dir/x'"), std::string::npos) << e;
  EXPECT_EQ(ListFiles("Arch"), "");
}

//------------------------------------------------------------------ sample data

// a robot read in full, with its end effector, freed the way the program frees it
static void FreeReadRobot(Robot r) {
  if (r && r->EE.DestroyProc) r->EE.DestroyProc(&r->EE);
  FreeRobot(r);
}

static Robot ReadQuietly(const char* name) {
  testing::internal::CaptureStdout();
  Robot r = ReadRobot(name);
  testing::internal::GetCapturedStdout();
  return r;
}

class SampleData : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = EnterDataCopy(1);
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override { LeaveDataCopy(dir); }
};

// every robot file reads, with its description beside it; the expected class of each
TEST_F(SampleData, EveryRobotReadsAndHasADescription) {
  struct { const char* name; int n, type, allrev; } want[] = {
    {"Arm4R", 4, 4, 1}, {"Indus6", 6, 0, 1}, {"Posit3", 3, 4, 1}, {"Puma560", 6, 0, 1},
    {"Redund7", 7, 0, 1}, {"Slide6", 6, 0, 0}, {"SphWrist", 3, 2, 1}};
  // whatever else the folder holds reads too, each with a description
  std::istringstream names(ListFiles("Arch"));
  int count = 0;
  for (std::string f; std::getline(names, f);) {
    SCOPED_TRACE(f);
    Robot r = ReadQuietly(f.c_str());
    EXPECT_NE(r, nullptr);
    EXPECT_FALSE(ReadTextFile("Description/" + f).empty());
    FreeReadRobot(r);
    count++;
  }
  EXPECT_GE(count, 7);
  for (auto& w : want) {
    SCOPED_TRACE(w.name);
    Robot r = ReadQuietly(w.name);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->n, w.n);
    EXPECT_EQ(r->type, w.type);
    EXPECT_EQ(allRevolute, w.allrev);
    EXPECT_GT(r->avg_len, 0.0f);
    EXPECT_GT(ReadTextFile(std::string("Description/") + w.name).size(), 20u);
    FreeReadRobot(r);
  }
}

// the Puma560 file matches the built-in model: shoulder at the top of the base column
// (plate 0.6 + stump 5.1 + trunk 0.9), the wrist 4.32 along the forearm, the upper arm as
// long as its plate's rounded ends are apart (centres at 0 and about 4.35)
TEST_F(SampleData, Puma560MatchesItsModel) {
  Robot r = ReadQuietly("Puma560");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->geom_type, 2);
  EXPECT_EQ(r->limits, 1);
  EXPECT_EQ(r->wrist_partitioned, 1);
  EXPECT_NE(r->links, nullptr);
  EXPECT_EQ(r->EE.type, 1);
  EXPECT_NEAR(r->L[0].b, 0.6 + 5.1 + 0.9, 1e-6);
  EXPECT_NEAR(r->L[3].b, 4.32, 0.01);
  EXPECT_NEAR(r->L[1].a, 4.35, 0.05);
  for (int k = 0; k < 6; k++) EXPECT_EQ(r->L[k].joint, 0);
  FreeReadRobot(r);
}

// every pose file reads for its robot and lies within the robot's limits
TEST_F(SampleData, EveryPoseReads) {
  std::string files = ListFiles("JConfig");
  std::istringstream in(files);
  int count = 0;
  for (std::string f; std::getline(in, f);) {
    SCOPED_TRACE(f);
    std::string robot = f.substr(0, f.find('.'));
    Robot r = ReadQuietly(robot.c_str());
    ASSERT_NE(r, nullptr);
    JointConfig jc = JointConfigFromRobot(r);
    for (int i = 0; i < r->n; i++) jc->q[i] = -12345;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ReadJointConfigFor(r, jc, f.c_str()), 0);
    testing::internal::GetCapturedStdout();
    for (int i = 0; i < r->n; i++) {
      EXPECT_NE(jc->q[i], -12345.0f);
      if (r->limits) {
        EXPECT_GE(jc->q[i], r->L[i].q_limit[0]) << i;
        EXPECT_LE(jc->q[i], r->L[i].q_limit[1]) << i;
      }
    }
    FreeJointConfig(jc);
    FreeReadRobot(r);
    count++;
  }
  EXPECT_GE(count, 14);   // at least two poses per robot
}

// non-blank lines of a trajectory file, split into numbers
static std::vector<std::vector<double>> TrajectoryLines(const std::string& path) {
  std::vector<std::vector<double>> rows;
  std::istringstream in(ReadTextFile(path));
  for (std::string l; std::getline(in, l);) {
    std::istringstream ls(l);
    std::vector<double> v;
    double x;
    while (ls >> x) v.push_back(x);
    if (!v.empty()) rows.push_back(v);
  }
  return rows;
}

// the joint trajectory stays within the limits; the Cartesian one is followed by the
// inverse kinematics from the home pose, point after point, as playback does
TEST_F(SampleData, Puma560TrajectoriesAreReachable) {
  Robot r = ReadQuietly("Puma560");
  ASSERT_NE(r, nullptr);
  R = r;
  JointConfig jc = JointConfigFromRobot(r);
  testing::internal::CaptureStdout();
  CartesianConfig cc = CartesianConfigFromRobot(r, jc);
  testing::internal::GetCapturedStdout();

  auto jt = TrajectoryLines("Jtraj/Puma560.wave");
  ASSERT_GE(jt.size(), 20u);
  for (auto& row : jt) {
    ASSERT_EQ(row.size(), 6u);
    for (int i = 0; i < 6; i++) {
      EXPECT_GE(row[i], r->L[i].q_limit[0]);
      EXPECT_LE(row[i], r->L[i].q_limit[1]);
    }
  }

  auto ct = TrajectoryLines("Ctraj/Puma560.arc");
  ASSERT_EQ(ct.size() % 4, 0u);
  ASSERT_GE(ct.size()/4, 20u);
  CartesianConfigRec target = *cc;
  testing::internal::CaptureStdout();
  for (size_t p = 0; p < ct.size()/4; p++) {
    SCOPED_TRACE(p);
    for (int i = 0; i < 3; i++) {
      ASSERT_EQ(ct[4*p + i + 1].size(), 3u);
      target.r[i] = ct[4*p][i];
      for (int j = 0; j < 3; j++) target.Q[i][j] = ct[4*p + 1 + i][j];
    }
    // the rows form a rotation: orthonormal within the six printed decimals
    for (int a = 0; a < 3; a++)
      for (int b = 0; b < 3; b++) {
        double d = 0;
        for (int k = 0; k < 3; k++) d += target.Q[a][k]*target.Q[b][k];
        EXPECT_NEAR(d, a == b ? 1.0 : 0.0, 1e-5);
      }
    EXPECT_GE(InvKin(r, jc, &target), 0);
    FwdKin(r, jc, cc);
    for (int i = 0; i < 3; i++) EXPECT_NEAR(cc->r[i], target.r[i], 1e-3);
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) EXPECT_NEAR(cc->Q[i][j], target.Q[i][j], 1e-3);
    for (int i = 0; i < 6; i++) {
      EXPECT_GE(jc->q[i], r->L[i].q_limit[0]);
      EXPECT_LE(jc->q[i], r->L[i].q_limit[1]);
    }
  }
  testing::internal::GetCapturedStdout();
  R = nullptr;
  FreeCartesianConfig(cc);
  FreeJointConfig(jc);
  FreeReadRobot(r);
}

// Save of the Puma560 with its hand: same DH, the pose as home, the limits, full geometry,
// the hand mounted again on reading; Save As keeps the hand but writes the geometry as up
TEST_F(SampleData, SaveRoundTripWithEndEffector) {
  Robot r = ReadQuietly("Puma560");
  ASSERT_NE(r, nullptr);
  ASSERT_NE(r->EE.DestroyProc, nullptr);
  float q[6] = {12.5f, -33.25f, 41, -7.75f, 63.5f, 170};
  int on[6] = {1, 1, 1, 1, 1, 1};
  float lim[6][2];
  for (int k = 0; k < 6; k++) {
    lim[k][0] = r->L[k].q_limit[0];
    lim[k][1] = r->L[k].q_limit[1];
  }
  ASSERT_EQ(SaveRobot(r, q, on, lim), 0);
  EXPECT_NE(ReadTextFile("Arch/Puma560").find("geomtype = full\n\n"), std::string::npos);
  EXPECT_NE(ReadTextFile("Arch/Puma560").find("}\nEndEffector = hand\n\n"), std::string::npos);
  ASSERT_EQ(SaveRobotAs(r, "PumaCopy", q, on, lim), 0);
  Robot s = ReadQuietly("Puma560");
  Robot c = ReadQuietly("PumaCopy");
  ASSERT_NE(s, nullptr);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(s->geom_type, 2);
  EXPECT_EQ(c->geom_type, 0);
  EXPECT_EQ(s->EE.type, 1);
  EXPECT_NE(s->EE.DestroyProc, nullptr);
  EXPECT_EQ(c->EE.type, 1);
  EXPECT_STREQ(c->name, "PumaCopy");
  for (Robot t : {s, c}) {
    EXPECT_EQ(t->limits, 1);
    for (int k = 0; k < 6; k++) {
      EXPECT_NEAR(t->L[k].a, r->L[k].a, 1e-6);
      EXPECT_NEAR(t->L[k].b, r->L[k].b, 1e-6);
      EXPECT_NEAR(t->L[k].al, r->L[k].al, 1e-6);
      EXPECT_FLOAT_EQ(t->L[k].th, q[k]);
      EXPECT_FLOAT_EQ(t->L[k].h_q, q[k]);
      EXPECT_FLOAT_EQ(t->L[k].q_limit[0], lim[k][0]);
      EXPECT_FLOAT_EQ(t->L[k].q_limit[1], lim[k][1]);
    }
  }
  FreeReadRobot(c);
  FreeReadRobot(s);
  FreeReadRobot(r);
}

// the text in memory is the file Save writes, byte for byte: the sample Puma560 at its home
// values with its own limits is the sample file itself; with a pose and other limits it is
// what Save put in the data folder; a prismatic robot without an end effector likewise. The
// text read back from memory gives the robot the file gives
TEST_F(SampleData, TextInMemoryIsTheFileSaveWrites) {
  const std::string sample = ReadTextFile("Arch/Puma560");
  Robot r = ReadQuietly("Puma560");
  ASSERT_NE(r, nullptr);
  int on[6] = {1, 1, 1, 1, 1, 1};
  float lim[6][2];
  for (int k = 0; k < 6; k++) {
    lim[k][0] = r->L[k].h_q_limit[0];
    lim[k][1] = r->L[k].h_q_limit[1];
  }
  char* text = RobotText(r, nullptr, on, lim);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text), sample);
  free(text);
  float q[6] = {12.5f, -33.25f, 41, -7.75f, 63.5f, 1e-7f};
  on[2] = 0;
  lim[4][0] = -0.125f;
  ASSERT_EQ(SaveRobot(r, q, on, lim), 0);
  text = RobotText(r, q, on, lim);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text), ReadTextFile("Arch/Puma560"));
  testing::internal::CaptureStdout();
  Robot m = ReadRobotText(text, "Puma560");
  testing::internal::GetCapturedStdout();
  ASSERT_NE(m, nullptr);
  EXPECT_STREQ(m->name, "Puma560");
  EXPECT_EQ(m->geom_type, 2);
  EXPECT_NE(m->EE.DestroyProc, nullptr);   // the hand mounted again
  for (int k = 0; k < 6; k++) EXPECT_FLOAT_EQ(m->L[k].th, k == 5 ? 0.0f : q[k]) << k;
  EXPECT_FLOAT_EQ(m->L[4].q_limit[0], -0.125f);
  EXPECT_EQ(m->L[2].q_limit[1], JOINT_UNLIMITED_MAX);
  free(text);
  FreeReadRobot(m);
  FreeReadRobot(r);

  WriteTextFile("Arch/Slider", "geomtype = down\n{ joint = prismatic a = 0.5 b = 2 th = 30 }"
                "{ a = 1.25 al = -90 limits = [-10, 10] }\n");
  r = ReadQuietly("Slider");
  ASSERT_NE(r, nullptr);
  float q2[2] = {3.5f, -45};
  int on2[2] = {0, 1};
  float lim2[2][2] = {{0, 0}, {-10, 10}};
  ASSERT_EQ(SaveRobot(r, q2, on2, lim2), 0);
  text = RobotText(r, q2, on2, lim2);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text), ReadTextFile("Arch/Slider"));
  EXPECT_NE(std::string(text).find("{\n     joint = prismatic\n     a  = 0.500000\n"
                                   "     b  = 3.500000\n"), std::string::npos) << text;
  free(text);
  FreeReadRobot(r);
}

// a text the reader refuses says why under the robot's name and line, and gives no robot
TEST_F(RobotFiles, TextInMemoryIsReadWithTheFileRules) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  Robot r = ReadRobotRecordText("geomtype = up\n{ a = 1\n", "Arm");
  Robot s = ReadRobotRecordText("{ a = 1 b = x }", "Arm");
  Robot t = ReadRobotRecordText("", "Arm");
  std::string said = testing::internal::GetCapturedStderr();
  said += testing::internal::GetCapturedStdout();
  EXPECT_EQ(r, nullptr);
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(t, nullptr);
  EXPECT_NE(said.find("Unmatched '{'"), std::string::npos) << said;
  EXPECT_NE(said.find("Arm: no link block"), std::string::npos) << said;
  Robot u = ReadRobotRecordText("{ a = 2.5 al = 90 }", "dir/Arm");
  ASSERT_NE(u, nullptr);
  EXPECT_STREQ(u->name, "Arm");
  EXPECT_EQ(u->n, 1);
  EXPECT_FLOAT_EQ(u->L[0].a, 2.5f);
  FreeRobot(u);
}
