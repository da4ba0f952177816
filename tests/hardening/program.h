#pragma once
// Runs a program (the batch program, or valgrind around it) as a child
// process without a shell, so that file names are passed byte for byte.
#include <filesystem>
#include <string>
#include <vector>

namespace hardening {

struct ProgramResult {
  int exitCode;  ///< the exit status, or -1 when the program ended by a signal
  std::string out, err;
};

/// Runs `argv` (argv[0] is looked up in PATH when it has no '/') in the
/// folder `cwd` and returns its exit status and what it wrote to standard
/// output and standard error.
ProgramResult RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& cwd);

/// Runs the batch program with `args` in `cwd`.
ProgramResult RunBatch(const std::vector<std::string>& args, const std::filesystem::path& cwd);

}  // namespace hardening
