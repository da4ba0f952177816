#pragma once
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace orthavion {

/// A growable run of bytes that is written through raw pointers: room is
/// made first, then filled, then committed, so nothing is zero-filled or
/// copied twice. Its capacity is kept when it is cleared, so a buffer
/// reused for block after block allocates only while it grows.
class ByteBuffer {
public:
  /// Room for `n` more bytes after the present ones; returns where they go.
  /// Earlier pointers into the buffer are invalid after the call.
  char* Room(std::size_t n) {
    if (capacity_ - size_ < n) Grow(n);
    return data_.get() + size_;
  }
  /// Marks the bytes up to `end`, a pointer into the room just made, as
  /// written.
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  /// Appends `bytes`.
  void Append(std::string_view bytes) {
    char* p = Room(bytes.size());
    if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
    size_ += bytes.size();
  }
  /// Keeps the first `n` bytes (`n` <= size()).
  void Truncate(std::size_t n) { size_ = n; }
  void Clear() { size_ = 0; }

  const char* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  std::string_view view() const { return {data_.get(), size_}; }

private:
  void Grow(std::size_t n) {
    const std::size_t capacity = std::max({2 * capacity_, size_ + n, std::size_t{4096}});
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace orthavion
