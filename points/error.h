#pragma once
#include <stdexcept>
#include <string>

namespace orthavion {

/// The one error type of the system. It carries the German text that the
/// user sees (UTF-8) and ends the command in which it is raised; the caller
/// of each command catches it once and shows the text.
class Error : public std::runtime_error {
public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace orthavion
