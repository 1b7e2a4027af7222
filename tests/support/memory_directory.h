#pragma once

#include <array>
#include <cstdio>
#include <string_view>

#include "files.h"
#include "memory_sink.h"

namespace pl_config::testing {

// A file in memory, written as a header through its sink or, by the code
// that still takes a stdio stream, through open().
class MemoryFile {
 public:
  MemoryFile() = default;
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Empties the file: the sink of a header written anew.
  Sink& open_sink();
  // Empties the file: a stream that keeps its bytes here after fclose().
  std::FILE* open();
  bool opened() const { return opened_; }
  std::string_view text() const { return memory_.text(); }

 private:
  MemoryText memory_;
  MemorySink sink_{memory_};
  bool opened_ = false;
};

// The files of a whole run in memory: `description` as wam_arch.def, each
// header a MemoryFile.
class MemoryDirectory : public Directory {
 public:
  explicit MemoryDirectory(std::string_view description) : description_(description) {}

  std::FILE* open_description() const override;
  std::FILE* reopen_description() const override;
  Sink* open_header(const char* path, StagedOutput& staged) const override;
  // The output file of that name; null for any other name.
  const MemoryFile* output(const char* name) const;

 private:
  mutable MemoryText description_;
  mutable MemoryText reread_;  // the description again, read apart from the run's own reading
  static constexpr std::array<const char*, 4> output_names_ = {file_name::arch_header, file_name::register_map,
                                                               file_name::stack_header, file_name::public_config};
  mutable std::array<MemoryFile, 4> outputs_;
};

}  // namespace pl_config::testing
