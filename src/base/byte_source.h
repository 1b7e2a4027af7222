#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pl_config {

// What a description is read from, and its lines read again from for the
// messages that show them: an open file, or text in memory (the tests, the
// fuzzer).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The next bytes: their count, 0 at the end, -1 on an error.
  virtual std::ptrdiff_t read(char* data, std::size_t size) = 0;
  // Bytes from `offset`, which moves past what they took, without moving
  // what read() gives next; -1 when the source cannot be read again (a
  // pipe, a terminal).
  virtual std::ptrdiff_t read_at(std::int64_t& offset, char* data, std::size_t size) = 0;
};

// Text in memory, which outlives the source.
class TextSource : public ByteSource {
 public:
  explicit TextSource(std::string_view text = {}) : text_(text) {}

  void reset(std::string_view text) {
    text_ = text;
    next_ = 0;
  }
  std::ptrdiff_t read(char* data, std::size_t size) override {
    const std::size_t part = text_.substr(std::min(next_, text_.size())).copy(data, size);
    next_ += part;
    return static_cast<std::ptrdiff_t>(part);
  }
  std::ptrdiff_t read_at(std::int64_t& offset, char* data, std::size_t size) override {
    const std::size_t from = std::min(static_cast<std::size_t>(offset), text_.size());
    const std::size_t part = text_.substr(from).copy(data, size);
    offset += static_cast<std::int64_t>(part);
    bytes_read_again_ += part;
    return static_cast<std::ptrdiff_t>(part);
  }
  // What read_at() has given, since the source was made.
  std::size_t bytes_read_again() const { return bytes_read_again_; }

 private:
  std::string_view text_;
  std::size_t next_ = 0;
  std::size_t bytes_read_again_ = 0;
};

}  // namespace pl_config
