#include "standard_streams.h"

#include <cstdio>

namespace pl_config {

namespace {

class StreamSink : public Sink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  bool write(const char* data, std::size_t size) override {
    return std::fwrite(data, 1, size, stream_) == size && std::fflush(stream_) == 0;
  }

 private:
  std::FILE* stream_;
};

}  // namespace

Output& standard_output() {
  static char buffer[128 * 1024];
  static StreamSink sink(stdout);
  static Output out(sink, buffer);
  return out;
}

Output& standard_error() {
  static char buffer[8 * 1024];
  static StreamSink sink(stderr);
  static Output out(sink, buffer);
  return out;
}

}  // namespace pl_config
