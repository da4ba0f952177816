#pragma once
#include <signal.h>

namespace orthavion {

/// The temporary files a program is writing (`ReplacingFile`), so that an
/// interrupt removes them: a fixed table of names that a signal handler may
/// read. A name must stay valid while it is registered.
///
/// Registers `path`; returns false when the table is full (the file is then
/// only removed by its owner).
bool RegisterTemporaryFile(const char* path);
/// Takes `path` out of the table (after it was renamed or removed).
void UnregisterTemporaryFile(const char* path);

/// Holds back SIGINT, SIGTERM and SIGHUP of the calling thread for its
/// lifetime: around making a temporary file and registering it, so that an
/// interrupt never comes between the two.
class InterruptsHeld {
public:
  InterruptsHeld();
  ~InterruptsHeld();
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
  sigset_t saved_;  // the thread's signal mask before
};

/// Installs the handlers of a command-line program: SIGINT, SIGTERM and
/// SIGHUP remove every registered temporary file and then end the program
/// as the signal would have; SIGXFSZ (a file-size limit reached) is
/// ignored, so that the write fails with EFBIG and takes the normal error
/// path with its text.
void InstallTemporaryFileCleanup();

}  // namespace orthavion
