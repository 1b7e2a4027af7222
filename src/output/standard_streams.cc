#include "standard_streams.h"

#include "file_calls.h"

namespace pl_config {

namespace {

class StandardSink : public Sink {
 public:
  explicit StandardSink(int stream) : stream_(stream) {}
  bool write(const char* data, std::size_t size) override { return platform::write_standard(stream_, data, size); }

 private:
  int stream_;
};

}  // namespace

Output& standard_output() {
  static char buffer[128 * 1024];
  static StandardSink sink(1);
  static Output out(sink, buffer);
  return out;
}

Output& standard_error() {
  static char buffer[128 * 1024];
  static StandardSink sink(2);
  static Output out(sink, buffer);
  return out;
}

}  // namespace pl_config
