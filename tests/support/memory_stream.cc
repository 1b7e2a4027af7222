#include "memory_stream.h"

#include <stdexcept>

namespace pl_config::testing {

MemoryStream::MemoryStream() : stream_(open_memory_stream(memory_)) {
  if (stream_ == nullptr) throw std::runtime_error("fopencookie failed");
}

MemoryStream::MemoryStream(const std::string& contents) : MemoryStream() {
  memory_.append(contents.data(), contents.size());
}

MemoryStream::~MemoryStream() { std::fclose(stream_); }

std::string MemoryStream::contents() const {
  std::fflush(stream_);
  return std::string(memory_.text());
}

}  // namespace pl_config::testing
