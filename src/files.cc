#include "files.h"

#include <sys/stat.h>

#include <cstring>
#include <iterator>
#include <span>

#include "fatal_error.h"

namespace pl_config {

namespace {

// Each header has a large stdio buffer of its own, so that even a big header
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

const char* base_name(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash == nullptr ? path : slash + 1;
}

// The Output's own buffer, one per header.
std::span<char> output_buffer(const char* name) {
  static char buffers[4][128 * 1024];
  static const char* const names[] = {file_name::arch_header, file_name::register_map, file_name::stack_header,
                                      file_name::public_config};
  for (int i = 0; i < 4; ++i)
    if (std::strcmp(base_name(name), names[i]) == 0) return buffers[i];
  return buffers[0];
}

}  // namespace

std::FILE* Directory::open_description() const {
  std::FILE* stream = std::fopen(description_, "rt");
  // The description is read in large blocks straight into the reader's own
  // buffer; a stdio buffer would only add a copy.
  if (stream != nullptr) std::setvbuf(stream, nullptr, _IONBF, 0);
  return stream;
}

std::FILE* Directory::reopen_description() const {
  struct stat status;
  if (stat(description_, &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  return std::fopen(description_, "rb");
}

std::FILE* Directory::open_header(const char* path, StagedOutput& staged) const {
  std::FILE* stream = stage_output(path, staged);
  if (stream == nullptr) return nullptr;
  for (OutputBuffer& buffer : output_buffers) {
    if (std::strcmp(base_name(path), buffer.name) == 0)
      std::setvbuf(stream, buffer.data, _IOFBF, std::size(buffer.data));
  }
  return stream;
}

InputFile::InputFile(const Directory& directory)
    : name_(directory.description()), stream_(directory.open_description()) {
  if (stream_ == nullptr) fatal_error(Message::cannot_open, name_);
}

InputFile::~InputFile() { std::fclose(stream_); }

OutputFile::OutputFile(const Directory& directory, const char* name)
    : directory_(directory), out_(sink_, output_buffer(name)) {
  const char* dir = directory.output_dir();
  const int length = dir == nullptr ? std::snprintf(path_, sizeof path_, "%s", name)
                                    : std::snprintf(path_, sizeof path_, "%s/%s", dir, name);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof path_) fatal_error(Message::cannot_open, path_);
  open();
}

OutputFile::OutputFile(const Directory& directory, const char* path, std::span<char> buffer)
    : directory_(directory), out_(sink_, buffer) {
  const int length = std::snprintf(path_, sizeof path_, "%s", path);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof path_) fatal_error(Message::cannot_open, path_);
  open();
}

void OutputFile::open() {
  stream_ = directory_.open_header(path_, staged_);
  if (stream_ == nullptr) fatal_error(Message::cannot_open, path_);
  sink_.stream = stream_;
}

// What was written before a fatal error stays in a header written in place.
OutputFile::~OutputFile() {
  if (stream_ != nullptr) {
    out_.flush();
    std::fclose(stream_);
  }
  discard_staged_output(staged_);
}

void OutputFile::close() {
  const bool failed = !out_.flush() || std::ferror(stream_) != 0;
  const bool close_failed = std::fclose(stream_) != 0;
  stream_ = nullptr;
  if (failed || close_failed) fatal_error(Message::cannot_write, path_);
}

void OutputFile::install() {
  if (!install_staged_output(staged_, directory_.write_if_changed())) fatal_error(Message::cannot_write, path_);
}

}  // namespace pl_config
