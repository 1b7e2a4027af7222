#include "memory_directory.h"

#include <cstring>

namespace pl_config::testing {

Sink& MemoryFile::open_sink() {
  memory_.clear();
  opened_ = true;
  return memory_;
}

ByteSource& MemoryDirectory::open_description() const {
  source_.reset(description_.text());
  return source_;
}

// Written in place: a memory file has nothing to be renamed over.
Sink* MemoryDirectory::open_header(const char* path, StagedOutput&) const {
  MemoryFile* const file = find(path);
  return file != nullptr ? &file->open_sink() : nullptr;
}

MemoryFile* MemoryDirectory::find(const char* name) const {
  for (std::size_t i = 0; i < header_count; ++i)
    if (std::strcmp(name, header_rows[i].name) == 0) return &outputs_[i];
  return nullptr;
}

}  // namespace pl_config::testing
