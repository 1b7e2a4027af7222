#pragma once

#include <cstdio>
#include <string>

#include "memory_sink.h"

namespace pl_config::testing {

// `contents` as a stream in memory, positioned at its start for reading.
class MemoryStream {
 public:
  explicit MemoryStream(const std::string& contents);
  ~MemoryStream();

  std::FILE* get() const { return stream_; }

 private:
  MemoryText memory_;
  std::FILE* stream_;
};

}  // namespace pl_config::testing
