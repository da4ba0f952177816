#pragma once
// Runs the batch program as a user would, from a shell in a test folder.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/testdir.h"

namespace testsupport {

struct BatchResult {
  int exitCode;
  std::string out, err;  // standard output and standard error
};

/// Runs the batch program in `dir` with `args` (already quoted for the shell).
inline BatchResult RunBatch(const TestDir& dir, const std::string& args) {
  const std::string cmd = "cd '" + dir.path().string() + "' && '" ORTHAVION_BATCH "' " + args +
                          " >stdout.txt 2>stderr.txt";
  const int status = std::system(cmd.c_str());
  BatchResult r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(dir.file("stdout.txt")),
                ReadBytes(dir.file("stderr.txt"))};
  std::filesystem::remove(dir.file("stdout.txt"));
  std::filesystem::remove(dir.file("stderr.txt"));
  return r;
}

}  // namespace testsupport
