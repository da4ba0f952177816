#include "hardening/privatemounts.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <fstream>
#include <string_view>

namespace hardening {

namespace {

constexpr int kNotAllowed = 77;

[[noreturn]] void NotAllowed() { ::_exit(kNotAllowed); }

bool WriteProcFile(const char* name, const std::string& text) {
  std::ofstream f(name);
  f << text;
  f.flush();
  return static_cast<bool>(f);
}

/// A mount namespace for this (single-threaded, forked) process, whose
/// mounts do not propagate to the parent's namespace. As root a mount
/// namespace alone will do; otherwise a user namespace in which this user is
/// root comes first.
bool EnterPrivateMounts() {
  if (::unshare(CLONE_NEWNS) != 0) {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    if (!WriteProcFile("/proc/self/setgroups", "deny") ||
        !WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return false;
  }
  return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

/// Findings travel as a length (8 bytes) and the bytes of each text.
std::string Encode(const Findings& findings) {
  std::string bytes;
  for (const std::string& f : findings) {
    const std::uint64_t n = f.size();
    bytes.append(reinterpret_cast<const char*>(&n), sizeof n).append(f);
  }
  return bytes;
}

Findings Decode(std::string_view bytes) {
  Findings findings;
  std::uint64_t n = 0;
  while (bytes.size() >= sizeof n) {
    std::copy_n(bytes.data(), sizeof n, reinterpret_cast<char*>(&n));
    bytes.remove_prefix(sizeof n);
    findings.emplace_back(bytes.substr(0, n));
    bytes.remove_prefix(std::min<std::size_t>(n, bytes.size()));
  }
  return findings;
}

}  // namespace

std::optional<Findings> WithPrivateMounts(const std::function<Findings()>& work) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return Findings{"no pipe"};
  const pid_t pid = ::fork();
  if (pid < 0) return Findings{"fork failed"};
  if (pid == 0) {
    ::close(pipeFds[0]);
    if (!EnterPrivateMounts()) NotAllowed();
    Findings findings;
    try {
      findings = work();
    } catch (const std::exception& e) {
      findings = {std::string("exception in the child: ") + e.what()};
    }
    ::_exit(WriteAll(pipeFds[1], Encode(findings)) ? 0 : 1);
  }
  ::close(pipeFds[1]);
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNotAllowed) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return Findings{"the child ended with status " + std::to_string(status)};
  return Decode(bytes);
}

void MountSmallTmpfs(const std::filesystem::path& at, std::size_t bytes) {
  const std::string options = "size=" + std::to_string(bytes);
  if (::mount("tmpfs", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0)
    NotAllowed();
}

void MountReadOnly(const std::filesystem::path& at) {
  if (::mount(at.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
      ::mount(nullptr, at.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
    NotAllowed();
}

}  // namespace hardening
