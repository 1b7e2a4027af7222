#pragma once

#include <array>
#include <string>

#include "header_rows.h"
#include "memory_sink.h"
#include "output.h"

namespace pl_config::testing {

// An Output whose bytes are kept in memory.
class MemoryOutput {
 public:
  MemoryOutput() : out_(memory_, buffer_) {}
  MemoryOutput(const MemoryOutput&) = delete;
  MemoryOutput& operator=(const MemoryOutput&) = delete;

  Output& out() { return out_; }
  // Everything written so far.
  const std::string& text() {
    out_.flush();
    return text_ = memory_.text();
  }

 private:
  MemoryText memory_;
  std::string text_;
  std::array<char, 4096> buffer_{};
  Output out_;
};

// A header of each role, in memory.
class MemoryHeaders : public HeaderOutputs {
 public:
  Output& out(HeaderRole role) override { return (*this)[role].out(); }
  MemoryOutput& operator[](HeaderRole role) { return outputs_[static_cast<std::size_t>(role)]; }

 private:
  std::array<MemoryOutput, header_count> outputs_;
};

}  // namespace pl_config::testing
