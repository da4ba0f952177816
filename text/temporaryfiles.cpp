#include "text/temporaryfiles.h"

#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>

namespace orthavion {

namespace {

// Many more than a call ever writes at once: the protocol, three result
// files and a carried file each have one.
std::array<std::atomic<const char*>, 64> gTemporaryFiles{};

extern "C" void RemoveTemporaryFilesAndDie(int signal) {
  for (std::atomic<const char*>& slot : gTemporaryFiles)
    if (const char* path = slot.load()) ::unlink(path);  // async-signal-safe
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

bool RegisterTemporaryFile(const char* path) {
  for (std::atomic<const char*>& slot : gTemporaryFiles) {
    const char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, path)) return true;
  }
  return false;
}

void UnregisterTemporaryFile(const char* path) {
  for (std::atomic<const char*>& slot : gTemporaryFiles) {
    const char* mine = path;
    if (slot.compare_exchange_strong(mine, nullptr)) return;
  }
}

InterruptsHeld::InterruptsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, signal);
  pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

InterruptsHeld::~InterruptsHeld() {
  pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

void InstallTemporaryFileCleanup() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemoveTemporaryFilesAndDie);
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace orthavion
