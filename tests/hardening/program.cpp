#include "hardening/program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "support/testdir.h"

namespace hardening {

ProgramResult RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& cwd) {
  // The output goes to files of a folder of its own, so that a program that
  // writes much cannot block on a full pipe and `cwd` stays as the program
  // leaves it.
  testsupport::TestDir capture;
  const std::string out = capture.file("stdout"), err = capture.file("stderr");
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::chdir(cwd.c_str()) != 0)
      ::_exit(127);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testsupport::ReadBytes(out),
          testsupport::ReadBytes(err)};
}

ProgramResult RunBatch(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  std::vector<std::string> argv{ORTHAVION_BATCH};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProgram(argv, cwd);
}

}  // namespace hardening
