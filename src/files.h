#pragma once

#include <cstddef>
#include <cstdio>
#include <span>

#include "output.h"
#include "staged_output.h"

namespace pl_config {

// The tool's files: the description it reads and the four headers it writes,
// by default all in the working directory.
namespace file_name {
inline constexpr char description[] = "wam_arch.def";
inline constexpr char arch_header[] = "wam_arch.h";
inline constexpr char register_map[] = "wam_regs.h";
inline constexpr char stack_header[] = "wam_stacks.h";
inline constexpr char public_config[] = "th_public_config.h";
}  // namespace file_name

// Where a run finds its files and how it writes them: the file system for the
// tool, memory for the tests and the fuzzer, which run the whole tool
// in-process.
class Directory {
 public:
  // `output_dir` null: the headers go to the working directory under their
  // bare names.
  explicit Directory(const char* description = file_name::description, const char* output_dir = nullptr,
                     bool write_if_changed = false)
      : description_(description), output_dir_(output_dir), write_if_changed_(write_if_changed) {}
  virtual ~Directory() = default;

  const char* description() const { return description_; }
  const char* output_dir() const { return output_dir_; }
  bool write_if_changed() const { return write_if_changed_; }

  // The description, unbuffered: the reader reads it in large blocks.
  virtual std::FILE* open_description() const;
  // The description once more, to show one of its lines; null when it is
  // not a regular file, which a second open could block on or find empty.
  virtual std::FILE* reopen_description() const;
  // Where the header at `path` goes: `staged` opened on it here; null when it
  // cannot be created.
  virtual Sink* open_header(const char* path, StagedOutput& staged) const;

 private:
  const char* description_;
  const char* output_dir_;
  bool write_if_changed_;
};

// The description file, opened with mode "rt"; a failure is "cannot open
// <path>".  Closing a file that was only read has nothing to report.
class InputFile {
 public:
  explicit InputFile(const Directory& directory);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  std::FILE* stream() const { return stream_; }
  const char* name() const { return name_; }

 private:
  const char* name_;
  std::FILE* stream_;
};

// A header, written whole or not at all.  A failure to create it is "cannot
// open <path>"; a write or close that failed (a full disk, say) is "cannot
// write <path>", and so is a header that cannot be put in place.  A header
// that is never installed (the run failed) leaves the file as it was.
class OutputFile {
 public:
  OutputFile(const Directory& directory, const char* name);
  // A file at `path` as given, not in the output directory, gathered in
  // `buffer`.
  OutputFile(const Directory& directory, const char* path, std::span<char> buffer);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  Output& out() { return out_; }
  const char* path() const { return path_; }

  // Flushes and closes the header, checking every write.
  void close();
  // Replaces the file by the closed header.
  void install();

 private:
  // `dir` null: the path as given.
  Sink& open(const Directory& directory, const char* dir, const char* name);

  char path_[StagedOutput::path_capacity];
  StagedOutput staged_;
  Sink* sink_;
  std::span<char> buffer_;
  Output out_;
  bool owns_buffer_ = true;
  bool closed_ = false;
};

}  // namespace pl_config
