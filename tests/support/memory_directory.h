#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "files.h"

namespace pl_config::testing {

// A memory stream that keeps its bytes after fclose().
class MemoryFile {
 public:
  MemoryFile() = default;
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::FILE* open();
  bool opened() const { return opened_; }
  std::string_view text() const { return {data_, size_}; }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  bool opened_ = false;
};

// The files of a whole run in memory: `description` as wam_arch.def, each
// output a MemoryFile.
class MemoryDirectory : public Directory {
 public:
  explicit MemoryDirectory(std::string_view description) : description_(description) {}

  std::FILE* open_description() const override;
  std::FILE* reopen_description() const override { return open_description(); }
  std::FILE* open_header(const char* path, StagedOutput& staged) const override;
  // The output file of that name; null for any other name.
  const MemoryFile* output(const char* name) const;

 private:
  std::string_view description_;
  static constexpr std::array<const char*, 4> output_names_ = {
      file_name::arch_header, file_name::register_map, file_name::stack_header, file_name::public_config};
  mutable std::array<MemoryFile, 4> outputs_;
};

}  // namespace pl_config::testing
