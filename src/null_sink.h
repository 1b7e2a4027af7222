#pragma once

#include <cstdio>

namespace pl_config {

// A stream that throws away what is written to it: the system's null
// device, which no run can create, replace or leave behind.  One at a time:
// it writes through a static buffer.
class NullSink {
 public:
  NullSink();
  ~NullSink();
  NullSink(const NullSink&) = delete;
  NullSink& operator=(const NullSink&) = delete;

  std::FILE* stream() const { return stream_; }

 private:
  std::FILE* stream_;
};

}  // namespace pl_config
