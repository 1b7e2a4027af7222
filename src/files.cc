#include "files.h"

#include <cstring>
#include <iterator>

#include "fatal_error.h"

namespace pl_config {

namespace {

// Each output has a large stdio buffer of its own, so that even a big header
// is written in few system calls; static, so that nothing is allocated.
struct OutputBuffer {
  const char* name;
  char data[128 * 1024];
};
OutputBuffer output_buffers[] = {
    {file_name::arch_header, {}},
    {file_name::register_map, {}},
    {file_name::stack_header, {}},
    {file_name::public_config, {}},
};

}  // namespace

std::FILE* Directory::open(const char* name, const char* mode) const {
  std::FILE* stream = std::fopen(name, mode);
  if (stream == nullptr) return nullptr;
  // The description is read in large blocks straight into the reader's own
  // buffer; a stdio buffer would only add a copy.
  if (std::strcmp(name, file_name::description) == 0) std::setvbuf(stream, nullptr, _IONBF, 0);
  for (OutputBuffer& buffer : output_buffers) {
    if (std::strcmp(name, buffer.name) == 0) std::setvbuf(stream, buffer.data, _IOFBF, std::size(buffer.data));
  }
  return stream;
}

File::File(const Directory& directory, const char* name, const char* mode)
    : name_(name), stream_(directory.open(name, mode)) {
  if (stream_ == nullptr) fatal_error("cannot open %s", name);
}

File::~File() {
  if (stream_ != nullptr) std::fclose(stream_);
}

bool File::close_stream() {
  const bool failed = std::ferror(stream_) != 0;
  const bool close_failed = std::fclose(stream_) != 0;
  stream_ = nullptr;
  return !failed && !close_failed;
}

void OutputFile::close() {
  if (!close_stream()) fatal_error("cannot write %s", name());
}

}  // namespace pl_config
