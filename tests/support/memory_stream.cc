#include "memory_stream.h"

#include <stdexcept>

namespace pl_config::testing {

MemoryStream::MemoryStream(const std::string& contents) : memory_(contents), stream_(open_memory_stream(memory_)) {
  if (stream_ == nullptr) throw std::runtime_error("fopencookie failed");
}

MemoryStream::~MemoryStream() { std::fclose(stream_); }

}  // namespace pl_config::testing
