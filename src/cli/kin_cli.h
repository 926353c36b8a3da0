// kin_cli.h -- velmora-kin: the command table, the call record, output and input helpers
#ifndef VELMORA_KIN_CLI_H
#define VELMORA_KIN_CLI_H

#include <stdio.h>  // for: FILE

#include "robot/robot.h"

//------------------------------------------------------------------ exit status
enum KinStatus {
  KinOk = 0,           // success
  KinFailed = 1,       // a computed failure: did not converge, joint limit
  KinUsage = 2,        // arguments or input lines that cannot be used
  KinUnreadable = 3    // a robot, file or path that cannot be read
};

// the worse of two statuses: usage over unreadable over failed over success
int KinWorse(int a, int b);

//------------------------------------------------------------------ the call
enum KinFormat { KinText = 0, KinCsv = 1, KinJson = 2 };

// what a command runs with: its arguments after its name and, for a command that reads a
// robot, the robot with its configurations
typedef struct _KinCall_ {
  int argc;
  char** argv;
  const char* robot_arg;     // ROBOT as typed (messages, the JSON "robot" field)
  Robot r;
  JointConfig jc;
  CartesianConfig cc;
} KinCall;

//------------------------------------------------------------------ the tables
// what a command needs before it runs
enum KinNeeds {
  KinNeedsNothing = 0,
  KinNeedsData = 1,    // the data folder
  KinNeedsRobot = 2    // the data folder and ROBOT, its first argument, read into the call
};

// one row per command: dispatch, --help, the usage lines and the manual's list follow it
typedef struct _KinCommand_ {
  const char* name;
  int needs;                    // KinNeeds
  int (*run)(KinCall* c);       // the exit status
  const char* usage;            // the arguments after the name
  const char* what;             // what it prints, for --help
  const char* example;          // one call, arguments after "velmora-kin "
} KinCommand;

// one row per option
typedef struct _KinOption_ {
  const char* name;             // "--data"
  const char* arg;              // "DIR", or NULL
  const char* what;
} KinOption;

extern const KinCommand kKinCommands[];   // ends with a NULL name
extern const KinOption kKinOptions[];     // ends with a NULL name

// the row named name; NULL when none
const KinCommand* KinFindCommand(const char* name);
// "usage: velmora-kin NAME USAGE" for a command, to f
void KinPrintUsage(FILE* f, const KinCommand* cmd);
// the whole help to f; data is the --data folder or NULL (the data folder line)
void KinPrintHelp(FILE* f, const char* data);

//------------------------------------------------------------------ commands (kin_pose.cpp)
int KinCmdFk(KinCall* c);
int KinCmdIk(KinCall* c);
int KinCmdIndices(KinCall* c);
int KinCmdJacobian(KinCall* c);
//------------------------------------------------------------------ commands (kin_files.cpp)
int KinCmdCheck(KinCall* c);
int KinCmdPath(KinCall* c);
int KinCmdSolve(KinCall* c);
int KinCmdUrdf(KinCall* c);
int KinCmdList(KinCall* c);
//------------------------------------------------------------------ commands (kin_collide.cpp)
int KinCmdClearance(KinCall* c);
// the scene options anywhere in the call's arguments, applied to the scene tables and taken
// out: "--workspace NAME" (the file's objects as it shows them), "--obstacle x y z r" (up to
// four, radius above 0); *present 1 when there was one; the collision check switched on;
// KinOk, or the status after one message
int KinTakeScene(KinCall* c, int* present);
// a clearance as a number; "inf" (JSON null) with nothing but the robot in the scene
void KinPutClearance(FILE* f, double clearance);

//------------------------------------------------------------------ output (kin_out.cpp)
// the results stream (standard output) and the format of every result
void KinSetOut(FILE* f);
FILE* KinOut(void);
void KinSetFormat(int format);
int KinGetFormat(void);
// route the core's messages: trace lines to standard error when on, else dropped;
// warnings kept until the next KinFail or KinFlushWarnings
void KinRouteMessages(int trace);
// one line "velmora-kin: SUBJECT: reason" on standard error, the core's kept warnings after
// the reason (as the reason when format is NULL); returns status
int KinFail(int status, const char* subject, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// the kept warnings as lines "velmora-kin: SUBJECT: text"; nothing when there are none
void KinFlushWarnings(const char* subject);
// the kept warnings as one line in text (size bytes at most), then forgotten; "" when none
void KinTakeWarnings(char* text, int size);

// v with six decimals into s (at least 32 bytes); no "-0.000000" for a tiny negative
int KinFixed(char* s, double v);
// numbers separated by sep, k of them, fixed six decimals
void KinPutNumbers(FILE* f, const double* v, int k, char sep);
// a JSON string (quotes and escapes)
void KinPutJsonString(FILE* f, const char* s);
// "[a, b, c]" of k fixed numbers
void KinPutJsonArray(FILE* f, const double* v, int k);

//------------------------------------------------------------------ input (kin_input.cpp)
// a whole argument as a finite number within float range; 0, or -1
int KinNumber(const char* text, double* v);
// remember the working directory the program started in (before the data folder)
void KinRememberStart(void);
// 1 when an argument names a path (it holds "/"), 0 when a name in the data folder
int KinIsPath(const char* arg);
// the path an argument names: "~" and "~user" expanded, a relative one from the working
// directory, else (when that does not exist) from the data folder; path gets size bytes at
// most; where gets the places looked at, for a message; 0, or -1 when it does not fit
int KinResolvePath(const char* arg, char* path, int size, char* where, int wsize);
// read ROBOT (a name or a path) with its configurations into the call; KinOk, or the
// status after one message
int KinOpenRobot(KinCall* c, const char* arg);
void KinCloseRobot(KinCall* c);
// k numbers from args into v; KinOk, or KinUsage after a message naming subject
int KinNumbers(const char* subject, char** args, int k, double* v);

// one line of a batch: numbers separated by blanks, tabs or commas; "#" starts a comment
typedef struct _KinLine_ {
  int number;                // 1-based line number
  int k;                     // numbers read
  double v[64];
  char bad[64];              // the first text that is not a number, "" when none
  int too_many;              // more than 64 numbers
} KinLine;
// the next line of f that holds something; 1 with the line, 0 at the end of the input
int KinNextLine(FILE* f, KinLine* line);

#endif
