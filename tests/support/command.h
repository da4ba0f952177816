#pragma once
// Runs a program of the test machine (python3, cct, ...) and captures what it
// prints.
#include <cstdio>
#include <string>

namespace testsupport {

struct Captured {
  int status;       ///< as pclose returns it; 0 on success
  std::string out;  ///< standard output (and standard error, if redirected)
};

/// Runs `command` through the shell and returns its output and status.
inline Captured RunCaptured(const std::string& command) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return {-1, {}};
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  return {::pclose(pipe), out};
}

}  // namespace testsupport
