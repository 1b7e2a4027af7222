#include "files.h"

#include <sys/stat.h>

#include "fatal_error.h"

namespace pl_config {

namespace {

// Each open header has a large buffer of its own, so that even a big header
// is written in few system calls; static, so that nothing is allocated.  A
// run keeps its four headers open at once.
constexpr int output_buffer_count = 4;
char output_buffers[output_buffer_count][128 * 1024];
bool output_buffer_taken[output_buffer_count];

std::span<char> take_output_buffer(const char* path) {
  for (int i = 0; i < output_buffer_count; ++i) {
    if (!output_buffer_taken[i]) {
      output_buffer_taken[i] = true;
      return output_buffers[i];
    }
  }
  fatal_error(Message::cannot_open, path);
}

void release_output_buffer(std::span<char> buffer) {
  for (int i = 0; i < output_buffer_count; ++i)
    if (buffer.data() == output_buffers[i]) output_buffer_taken[i] = false;
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

Sink* Directory::open_header(const char* path, StagedOutput& staged) const {
  return staged.open(path, write_if_changed_) ? &staged : nullptr;
}

InputFile::InputFile(const Directory& directory)
    : name_(directory.description()), stream_(directory.open_description()) {
  if (stream_ == nullptr) fatal_error(Message::cannot_open, name_);
}

InputFile::~InputFile() { std::fclose(stream_); }

OutputFile::OutputFile(const Directory& directory, const char* name)
    : sink_(&open(directory, directory.output_dir(), name)),
      buffer_(take_output_buffer(path_)),
      out_(*sink_, buffer_) {}

OutputFile::OutputFile(const Directory& directory, const char* path, std::span<char> buffer)
    : sink_(&open(directory, nullptr, path)), buffer_(buffer), out_(*sink_, buffer_), owns_buffer_(false) {}

// A path too long to hold is named as far as the message holds it.
Sink& OutputFile::open(const Directory& directory, const char* dir, const char* name) {
  const int length = dir == nullptr ? std::snprintf(path_, sizeof path_, "%s", name)
                                    : std::snprintf(path_, sizeof path_, "%s/%s", dir, name);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof path_) fatal_error(Message::cannot_open, path_);
  Sink* sink = directory.open_header(path_, staged_);
  if (sink == nullptr) fatal_error(Message::cannot_open, path_);
  return *sink;
}

// A run that failed still hands over what it wrote, as a device written in
// place shows it; a temporary file goes with staged_.
OutputFile::~OutputFile() {
  if (!closed_) out_.flush();
  if (owns_buffer_) release_output_buffer(buffer_);
}

void OutputFile::close() {
  closed_ = true;
  const bool flushed = out_.flush();
  if (!sink_->close() || !flushed) fatal_error(Message::cannot_write, path_);
}

void OutputFile::install() {
  if (!staged_.install()) fatal_error(Message::cannot_write, path_);
}

}  // namespace pl_config
