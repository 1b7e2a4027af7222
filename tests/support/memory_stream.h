#pragma once

#include <cstdio>
#include <string>

namespace pl_config::testing {

// A temporary stream to write to or read from, with its bytes as a string.
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
  std::FILE* stream_;
};

}  // namespace pl_config::testing
