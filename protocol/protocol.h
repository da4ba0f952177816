#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orthavion {

/// The transformation protocol: an ordered list of text lines (UTF-8), each
/// shown normally or highlighted (red). Lines are only appended, never edited
/// or removed one by one.
///
/// A capacity, when set, is the number of characters the window's text view
/// can hold: each line counts its characters plus one for its line break,
/// and an append that would take the total past it fails with
/// "Fehler beim Einfügen einer Zeile in RichEdit". Without a capacity (the
/// batch program) the protocol takes any number of lines.
class Protocol {
public:
  static constexpr std::size_t kViewCapacity = 64000;

  explicit Protocol(std::optional<std::size_t> capacity = std::nullopt) : capacity_(capacity) {}

  /// Appends a line in the normal colour. Every append first examines the
  /// floating-point flags, so a fault in the values of a line ends the
  /// command before the line is added.
  void Add(std::string_view line) { Append(line, false); }
  /// Appends a line shown in red.
  void AddHighlighted(std::string_view line) { Append(line, true); }
  /// Removes all lines.
  void Clear();

  std::size_t Count() const { return lines_.size(); }
  std::string_view Line(std::size_t i) const { return {lines_[i].text, lines_[i].size}; }
  bool Highlighted(std::size_t i) const { return highlighted_[i]; }
  /// Characters counted against the capacity.
  std::size_t Characters() const { return characters_; }

  void SetCapacity(std::optional<std::size_t> capacity) { capacity_ = capacity; }

  /// Called after each line appended, with its index: lets a window show a
  /// run's lines as they come, also when the run fails half-way.
  void SetListener(std::function<void(std::size_t)> listener) { listener_ = std::move(listener); }

private:
  void Append(std::string_view line, bool highlighted);

  struct LineRef {
    const char* text;
    std::size_t size;
  };

  std::optional<std::size_t> capacity_;
  // The lines' text, back to back in blocks that are never reallocated, so
  // a protocol of a million lines grows without copying what it holds.
  std::deque<std::string> blocks_;  // a deque never moves its elements
  std::vector<LineRef> lines_;
  std::vector<bool> highlighted_;
  std::size_t characters_ = 0;
  std::function<void(std::size_t)> listener_;
};

}  // namespace orthavion
