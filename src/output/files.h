#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "byte_source.h"
#include "file_place.h"
#include "output.h"
#include "staged_output.h"

namespace pl_config {

// The description the tool reads, by default in the working directory; the
// headers it writes are their rows' (header_rows.h).
namespace file_name {
inline constexpr char description[] = "wam_arch.def";
}  // namespace file_name

// The description as the platform opened it: read again for the messages'
// lines only where it is a regular file.
class DescriptionFile : public ByteSource {
 public:
  DescriptionFile() = default;
  ~DescriptionFile() override;
  DescriptionFile(const DescriptionFile&) = delete;
  DescriptionFile& operator=(const DescriptionFile&) = delete;

  bool open(const platform::Place& place);
  std::ptrdiff_t read(char* data, std::size_t size) override;
  std::ptrdiff_t read_at(std::int64_t& offset, char* data, std::size_t size) override;

 private:
  platform::File file_ = platform::no_file;
  bool read_again_ = false;
};

// Where a run finds its files and how it writes them: the file system for the
// tool, memory for the tests and the fuzzer, which run the whole tool
// in-process.
class Directory {
 public:
  // `output_dir` null: the headers go to the working directory under their
  // bare names.
  explicit Directory(const char* description = file_name::description, const char* output_dir = nullptr,
                     Rewrite rewrite = Rewrite::always)
      : description_(description), output_dir_(output_dir), rewrite_(rewrite) {}
  virtual ~Directory() = default;

  const char* description() const { return description_; }
  const char* output_dir() const { return output_dir_; }

  // The description, opened once, through its place; a failure is "cannot
  // open <path>".  It stays open with the directory, for the messages that
  // show its lines, also after the run has ended with an error.
  virtual ByteSource& open_description() const;
  // The description as opened; null before.
  virtual ByteSource* opened_description() const;
  // Where the header at `path` goes: `staged` opened on it here; null when it
  // cannot be created.
  virtual Sink* open_header(const char* path, StagedOutput& staged) const;

 private:
  const char* description_;
  const char* output_dir_;
  Rewrite rewrite_;
  // Opened by a const directory: what a run reads is no part of where it is.
  mutable platform::Place description_place_;
  mutable DescriptionFile description_file_;
  mutable bool description_opened_ = false;
};

// "DIR/NAME" into `path`, or NAME alone when `dir` is null; false when it
// does not fit, `path` then holding as much as fits.
bool join_path(std::span<char> path, const char* dir, const char* name);

// A header, written whole or not at all.  A failure to create it is "cannot
// open <path>"; a write or close that failed (a full disk, say) is "cannot
// write <path>".  A header that is never installed (the run failed) leaves
// the file as it was.
// Each is gathered in a large buffer of its owner's, so that even a big
// header is written in few system calls: static storage, nothing allocated.
using OutputBuffer = std::array<char, std::size_t{128} * 1024>;
inline constexpr struct PathAsGiven {
} path_as_given;

class OutputFile {
 public:
  // The file `name` in the output directory.
  OutputFile(const Directory& directory, const char* name, std::span<char> buffer);
  // The file at `path` as given, from the working directory.
  OutputFile(const Directory& directory, PathAsGiven, const char* path, std::span<char> buffer);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  Output& out() { return out_; }
  const char* path() const { return path_; }

  // Flushes and closes the header, checking every write.
  void close();
  // The steps of putting the closed header in place (StagedOutput's); each
  // false, with errno set, when it failed.
  bool prepare() { return succeeded(staged_.prepare()); }
  bool install() { return succeeded(staged_.install()); }
  bool undo() { return staged_.undo(); }
  void finish() { staged_.finish(); }

 private:
  // `dir` null: the path as given.
  Sink& open(const Directory& directory, const char* dir, const char* name);
  // `done`, with errno set to the staged file's error when it is false.
  bool succeeded(bool done) const;

  char path_[StagedOutput::path_capacity];
  StagedOutput staged_;
  Sink* sink_;
  Output out_;
  bool closed_ = false;
};

}  // namespace pl_config
