#include "memory_directory.h"

#include <cstring>

namespace pl_config::testing {

Sink& MemoryFile::open_sink() {
  memory_.clear();
  opened_ = true;
  return memory_;
}

std::FILE* MemoryDirectory::open_description() const {
  description_.read_from = 0;
  return open_memory_stream(description_);
}

std::FILE* MemoryDirectory::reopen_description() const {
  reread_.clear();
  reread_.append(description_.text().data(), description_.text().size());
  return open_memory_stream(reread_);
}

// Written in place: a memory file has nothing to be renamed over.
Sink* MemoryDirectory::open_header(const char* path, StagedOutput&) const {
  MemoryFile* const file = find(path);
  return file != nullptr ? &file->open_sink() : nullptr;
}

MemoryFile* MemoryDirectory::find(const char* name) const {
  for (std::size_t i = 0; i < output_names_.size(); ++i)
    if (std::strcmp(name, output_names_[i]) == 0) return &outputs_[i];
  return nullptr;
}

}  // namespace pl_config::testing
