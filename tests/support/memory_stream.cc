#include "memory_stream.h"

#include <stdexcept>

namespace pl_config::testing {

MemoryStream::MemoryStream() : stream_(std::tmpfile()) {
  if (stream_ == nullptr) throw std::runtime_error("tmpfile failed");
}

MemoryStream::MemoryStream(const std::string& contents) : MemoryStream() {
  std::fwrite(contents.data(), 1, contents.size(), stream_);
  std::rewind(stream_);
}

MemoryStream::~MemoryStream() { std::fclose(stream_); }

std::string MemoryStream::contents() const {
  std::fflush(stream_);
  const long position = std::ftell(stream_);
  std::rewind(stream_);
  std::string bytes;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream_)) > 0) bytes.append(buffer, n);
  std::fseek(stream_, position, SEEK_SET);
  return bytes;
}

}  // namespace pl_config::testing
