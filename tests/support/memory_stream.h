#pragma once

#include <cstdio>
#include <string>

#include "memory_sink.h"

namespace pl_config::testing {

// A stream in memory to write to or read from, with its bytes as a string.
class MemoryStream {
 public:
  MemoryStream();
  explicit MemoryStream(const std::string& contents);  // positioned at its start, for reading
  ~MemoryStream();
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  std::FILE* get() const { return stream_; }
  std::string contents() const;

 private:
  MemoryText memory_;
  std::FILE* stream_;
};

}  // namespace pl_config::testing
