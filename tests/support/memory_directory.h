#pragma once

#include <array>
#include <string_view>

#include "byte_source.h"
#include "files.h"
#include "header_rows.h"
#include "memory_sink.h"

namespace pl_config::testing {

// A header in memory, written through the sink that open_sink() empties.
class MemoryFile {
 public:
  Sink& open_sink();
  bool opened() const { return opened_; }
  std::string_view text() const { return memory_.text(); }

 private:
  MemoryText memory_;
  bool opened_ = false;
};

// The files of a whole run in memory: `description` as wam_arch.def, each
// header a MemoryFile.
class MemoryDirectory : public Directory {
 public:
  explicit MemoryDirectory(std::string_view description) : description_(description), source_(description_.text()) {}

  // Read from its start at each open, and read again at any time.
  ByteSource& open_description() const override;
  ByteSource* opened_description() const override { return &source_; }
  Sink* open_header(const char* path, StagedOutput& staged) const override;
  // The output file of that name; null for any other name.
  const MemoryFile* output(const char* name) const { return find(name); }
  // What was read of the description opened again, since the directory was made.
  std::size_t bytes_reread() const { return source_.bytes_read_again(); }

 private:
  MemoryFile* find(const char* name) const;

  MemoryText description_;
  mutable TextSource source_;
  mutable std::array<MemoryFile, header_count> outputs_;  // by HeaderRole
};

}  // namespace pl_config::testing
