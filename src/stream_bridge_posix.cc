#include <sys/types.h>

#include "stream_bridge.h"

namespace pl_config {

namespace {

ssize_t write_to_output(void* cookie, const char* data, std::size_t size) {
  Output& out = *static_cast<Output*>(cookie);
  out.put(std::string_view(data, size));
  return out.failed() ? -1 : static_cast<ssize_t>(size);
}

}  // namespace

StreamBridge::~StreamBridge() {
  if (stream_ != nullptr) std::fclose(stream_);
}

// Unbuffered: each write goes straight to the Output, whose buffer is the
// only one, and lands in order with what is written to the Output itself.
std::FILE* StreamBridge::open(Output& out) {
  if (stream_ != nullptr) return stream_;
  stream_ = fopencookie(&out, "w", {.read = nullptr, .write = write_to_output, .seek = nullptr, .close = nullptr});
  if (stream_ != nullptr) std::setvbuf(stream_, nullptr, _IONBF, 0);
  return stream_;
}

bool StreamBridge::close(Output&) {
  if (stream_ == nullptr) return true;
  const bool failed = std::ferror(stream_) != 0;
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  return !failed && closed;
}

}  // namespace pl_config
