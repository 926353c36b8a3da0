// kin_run.h -- runs velmora-kin as a program: status, standard output and standard error
#ifndef VELMORA_TEST_KIN_RUN_H
#define VELMORA_TEST_KIN_RUN_H

#include <stdlib.h>    // for: system()
#include <sys/wait.h>  // for: WEXITSTATUS

#include <sstream>
#include <string>
#include <vector>

#include "support/data_copy.h"

// one run: exit status, standard output, standard error
struct KinRun {
  int status;
  std::string out, err;
};

// velmora-kin with args (shell words), standard input from input when not empty
static inline KinRun Kin(const std::string& args, const std::string& input = "") {
  std::string cmd = std::string("'") + VELMORA_KIN + "' " + args;
  if (!input.empty()) {
    WriteTextFile("kin.in", input);
    cmd += " <kin.in";
  }
  cmd += " >kin.out 2>kin.err";
  int s = system(cmd.c_str());
  KinRun r;
  r.status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  r.out = ReadTextFile("kin.out");
  r.err = ReadTextFile("kin.err");
  return r;
}

static inline std::vector<double> Numbers(const std::string& line) {
  std::vector<double> v;
  std::istringstream in(line);
  double x;
  while (in >> x) v.push_back(x);
  return v;
}

static inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

static inline std::string Join(const std::vector<double>& v) {
  std::ostringstream s;
  s.precision(9);
  for (double x : v) s << x << " ";
  return s.str();
}

#endif
