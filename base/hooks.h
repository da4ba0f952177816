#pragma once
// The few plain hooks through which the core reaches the window that runs a
// command (or the batch program): let pending events run, a status text, a
// progress indicator and a yes/no question. The protocol's own listener
// (Protocol::SetListener) reports each appended line.

#include <cstdint>
#include <functional>
#include <string>

#include "base/fpcheck.h"

namespace orthavion {

/// Lets the window's pending events run; called by the target reader after
/// every line so that a long file keeps the window responsive. May be empty.
using ProcessEvents = std::function<void()>;

/// What a file command needs of the window that runs it. A member left
/// empty is not called (an empty `askShorten` answers No).
struct CommandView {
  /// Sets the one-line status text (UTF-8) and repaints it at once.
  std::function<void(const std::string& text)> status;
  /// Asks "Koordinaten kürzen?" (buttons Yes and No, Yes the default);
  /// true for Yes. Asked once per command, when both files are open.
  std::function<bool()> askShorten;
  /// The progress indicator, minimum 0. Called first with (0, maximum) when
  /// it is to be shown, then with growing positions up to `maximum`, at most
  /// about 260 times per file. The window hides it when the command returns
  /// normally; after an error it stays as it stands.
  std::function<void(std::int64_t position, std::int64_t maximum)> progress;
};

/// `view` with each member run inside `FpFlagsKept`: the window's callbacks
/// do arithmetic of their own (layout, painting), whose floating-point flags
/// are not the command's. Empty members stay empty.
inline CommandView KeepingFpFlags(const CommandView& view) {
  CommandView kept;
  if (view.status)
    kept.status = [f = view.status](const std::string& text) {
      FpFlagsKept keep;
      f(text);
    };
  if (view.askShorten)
    kept.askShorten = [f = view.askShorten] {
      FpFlagsKept keep;
      return f();
    };
  if (view.progress)
    kept.progress = [f = view.progress](std::int64_t position, std::int64_t maximum) {
      FpFlagsKept keep;
      f(position, maximum);
    };
  return kept;
}

}  // namespace orthavion
