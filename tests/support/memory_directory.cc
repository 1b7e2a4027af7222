#include "memory_directory.h"

#include <cstdlib>
#include <cstring>

namespace pl_config::testing {

MemoryFile::~MemoryFile() { std::free(data_); }

std::FILE* MemoryFile::open() {
  std::free(data_);
  data_ = nullptr;
  size_ = 0;
  opened_ = true;
  return open_memstream(&data_, &size_);
}

std::FILE* MemoryDirectory::open_description() const {
  // fmemopen() does not take an empty buffer everywhere.
  if (description_.empty()) return std::fopen("/dev/null", "rb");
  return fmemopen(const_cast<char*>(description_.data()), description_.size(), "rb");
}

// Written in place: a memory file has nothing to be renamed over.
std::FILE* MemoryDirectory::open_header(const char* path, StagedOutput&) const {
  for (std::size_t i = 0; i < output_names_.size(); ++i) {
    if (std::strcmp(path, output_names_[i]) == 0) return outputs_[i].open();
  }
  return nullptr;
}

const MemoryFile* MemoryDirectory::output(const char* name) const {
  for (std::size_t i = 0; i < output_names_.size(); ++i) {
    if (std::strcmp(name, output_names_[i]) == 0) return &outputs_[i];
  }
  return nullptr;
}

}  // namespace pl_config::testing
