#pragma once

#include <array>
#include <string>

#include "output.h"

namespace pl_config::testing {

// An Output whose bytes are kept in memory.
class MemoryOutput {
 public:
  // Room is made ahead, so that writing allocates nothing below that size.
  MemoryOutput() : out_(sink_, buffer_) { sink_.text.reserve(256 * 1024); }
  MemoryOutput(const MemoryOutput&) = delete;
  MemoryOutput& operator=(const MemoryOutput&) = delete;

  Output& out() { return out_; }
  // Everything written so far.
  const std::string& text() {
    out_.flush();
    return sink_.text;
  }

 private:
  struct StringSink : Sink {
    std::string text;
    bool write(const char* data, std::size_t size) override {
      text.append(data, size);
      return true;
    }
  } sink_;
  std::array<char, 4096> buffer_{};
  Output out_;
};

}  // namespace pl_config::testing
