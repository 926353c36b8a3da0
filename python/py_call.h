// py_call.h -- one call of the module into the core: the core's current robot switched to the
// caller's and back, the solver settings kept, the messages collected, the data folder entered
#ifndef VELMORA_PY_CALL_H
#define VELMORA_PY_CALL_H

#include <string>

#include "base/message.h"   // for: MessageCallback
#include "robot/robot.h"

// While one lives, the application's current robot R and the kinematics robot are r (NULL:
// both are left as they are), and the core's messages are collected instead of printed; with
// quiet, standard output (where the numeric libraries print their arrays) goes nowhere too.
// Its end restores R, the kinematics robot, the solver's tolerance, step limit and fallback,
// the message callback and standard output. The module makes no Python object while one
// lives (so no Python code runs, and the interpreter lock stays held): no other call can see
// the switched state, and calls nest.
struct CoreCall {
  explicit CoreCall(Robot r, bool quiet = false);
  ~CoreCall();
  CoreCall(const CoreCall&) = delete;
  CoreCall& operator=(const CoreCall&) = delete;
  // the core's refusal: its warnings, else the last trace line, else fallback; one line
  // break between messages, none at the end
  std::string Refusal(const char* fallback) const;

  std::string warnings, trace;   // warnings in order; the last trace line
  Robot prev_r, prev_kin;
  double prev_tol;
  int prev_max, prev_fallback;
  MessageCallback prev_cb;
  CoreCall* outer;
  int saved_stdout;
};

// a robot being freed: no call being made restores it as the current one
void CoreCallForget(Robot r);

// While one lives, the process works in the data folder the programs would use (given, else
// the working directory when it holds "Arch", else the user folder, made on first use); its
// end goes back to the working directory it found. ok is false, with the reason among the
// call's warnings, when the folder could not be entered.
struct DataFolder {
  explicit DataFolder(const char* given);
  ~DataFolder();
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;
  bool ok;
  int cwd;
};

// where the samples are, beside the module: <prefix>/lib/python3/dist-packages/velmora.so
// finds <prefix>/share/velmora/data; nothing is changed when that folder is missing
void FindSamplesBesideModule(void);

#endif
