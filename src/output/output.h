#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "printf_format.h"

namespace pl_config {

// Where an Output's blocks go: a file through the platform's own calls, a
// staged temporary file, memory, or nowhere.
class Sink {
 public:
  virtual ~Sink() = default;
  // Takes all of `data`; false when it could not.
  virtual bool write(const char* data, std::size_t size) = 0;
  // Ends the text; false when what was written cannot be kept.
  virtual bool close() { return true; }
};

// Everything the tool writes: text and printf-formatted values gathered in a
// large buffer of the owner's (static storage: nothing is allocated), handed
// to the sink a full buffer at a time.  A failed write is remembered, not
// reported at once: the owner asks at the close, as stdio's ferror does.
class Output {
 public:
  Output(Sink& sink, std::span<char> buffer) : sink_(&sink), buffer_(buffer) {}
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  void put(std::string_view text);
  void put(char c);
  void print(const char* format, ...) PL_CONFIG_PRINTF(2, 3);
  void vprint(const char* format, std::va_list args);

  // Hands what is buffered to the sink.  False if this or any earlier write
  // failed.
  bool flush();
  bool failed() const { return failed_; }

  // From now on the newlines written are counted: lines() is the number of
  // the line being written, from 1.
  void count_lines() { counting_ = true; }
  std::int64_t lines() const { return lines_; }

 private:
  Sink* sink_;
  std::span<char> buffer_;
  std::size_t size_ = 0;
  bool failed_ = false;
  bool counting_ = false;
  std::int64_t lines_ = 1;
};

// A sink that takes everything and keeps nothing.
class DiscardingSink : public Sink {
 public:
  bool write(const char*, std::size_t) override { return true; }
};

}  // namespace pl_config
