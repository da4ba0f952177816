#pragma once
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orthavion {

/// The one error type of the system. It carries the German text that the
/// user sees (UTF-8) and ends the command in which it is raised; the caller
/// of each command catches it once and shows the text.
class Error : public std::runtime_error {
public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
  explicit Error(std::string_view text) : std::runtime_error(std::string(text)) {}
  explicit Error(const char* text) : std::runtime_error(text) {}
};

/// The text a command's caller shows for any exception that ended the
/// command: an `Error`'s own text, "Zu wenig Arbeitsspeicher" when memory
/// ran out, and "Interner Programmfehler: <what>" for anything else (a
/// programming error such as a format that does not match its arguments),
/// so that no exception ends the program.
std::string CommandErrorText(const std::exception& e);

}  // namespace orthavion
