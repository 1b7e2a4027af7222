#include "files.h"

#include "fatal_error.h"

namespace pl_config {

std::FILE* Directory::open(const char* name, const char* mode) const { return std::fopen(name, mode); }

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

InputFile::InputFile(const Directory& directory, const char* name) : File(directory, name, "rt") {
  std::setvbuf(stream(), nullptr, _IONBF, 0);
}

void OutputFile::close() {
  if (!close_stream()) fatal_error("cannot write %s", name());
}

}  // namespace pl_config
