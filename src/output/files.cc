#include "files.h"

#include <cerrno>
#include <cstdio>

#include "error.h"

namespace pl_config {

DescriptionFile::~DescriptionFile() {
  if (file_ != platform::no_file) platform::close_description(file_);
}

bool DescriptionFile::open(const platform::Place& place) {
  file_ = platform::open_description(place);
  read_again_ = place.kind == platform::Kind::regular;
  return file_ != platform::no_file;
}

std::ptrdiff_t DescriptionFile::read(char* data, std::size_t size) {
  return platform::read_description(file_, data, size);
}

std::ptrdiff_t DescriptionFile::read_at(std::int64_t& offset, char* data, std::size_t size) {
  return read_again_ ? platform::read_description_at(file_, offset, data, size) : -1;
}

ByteSource& Directory::open_description() const {
  if (!platform::resolve(description_, description_place_) || !description_file_.open(description_place_))
    fail(Message::cannot_open, description_);
  description_opened_ = true;
  return description_file_;
}

ByteSource* Directory::opened_description() const { return description_opened_ ? &description_file_ : nullptr; }

Sink* Directory::open_header(const char* path, StagedOutput& staged) const {
  return staged.open(path, rewrite_) ? &staged : nullptr;
}

bool join_path(std::span<char> path, const char* dir, const char* name) {
  const int length = dir == nullptr ? std::snprintf(path.data(), path.size(), "%s", name)
                                    : std::snprintf(path.data(), path.size(), "%s/%s", dir, name);
  return length >= 0 && static_cast<std::size_t>(length) < path.size();
}

OutputFile::OutputFile(const Directory& directory, const char* name, std::span<char> buffer)
    : sink_(&open(directory, directory.output_dir(), name)), out_(*sink_, buffer) {}

OutputFile::OutputFile(const Directory& directory, PathAsGiven, const char* path, std::span<char> buffer)
    : sink_(&open(directory, nullptr, path)), out_(*sink_, buffer) {}

// A path too long to hold is named as far as the message holds it.
Sink& OutputFile::open(const Directory& directory, const char* dir, const char* name) {
  if (!join_path(path_, dir, name)) fail(Message::cannot_open, path_);
  Sink* sink = directory.open_header(path_, staged_);
  if (sink != nullptr) return *sink;
  if (staged_.error() != 0) errno = staged_.error();
  fail(Message::cannot_open, path_);
}

// A run that failed still hands over what it wrote, as a device written in
// place shows it; a temporary file goes with staged_.
OutputFile::~OutputFile() {
  if (!closed_) out_.flush();
}

void OutputFile::close() {
  closed_ = true;
  const bool flushed = out_.flush();
  if (sink_->close() && flushed) return;
  if (staged_.error() != 0) errno = staged_.error();
  fail(staged_.failed_to_create() ? Message::cannot_open : Message::cannot_write, path_);
}

bool OutputFile::succeeded(bool done) const {
  if (!done && staged_.error() != 0) errno = staged_.error();
  return done;
}

}  // namespace pl_config
