#pragma once

#include <cstdio>

namespace pl_config {

// The tool's files, all in the working directory.
namespace file_name {
inline constexpr char description[] = "wam_arch.def";
inline constexpr char arch_header[] = "wam_arch.h";
inline constexpr char register_map[] = "wam_regs.h";
inline constexpr char stack_header[] = "wam_stacks.h";
inline constexpr char public_config[] = "th_public_config.h";
}  // namespace file_name

// Where a run finds its files: the working directory for the tool, memory
// streams for the tests and the fuzzer, which run the whole tool in-process.
class Directory {
 public:
  virtual ~Directory() = default;
  // The working directory's file, buffered for the way the tool uses it.
  virtual std::FILE* open(const char* name, const char* mode) const;
};

// A stream opened by name.  close() reports what went wrong with the file;
// the destructor closes quietly, for the path where a fatal error is already
// on its way out.
class File {
 public:
  File(const Directory& directory, const char* name, const char* mode);
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  std::FILE* stream() const { return stream_; }
  const char* name() const { return name_; }

 protected:
  // Closes the stream; true if it had no error and closed cleanly.
  bool close_stream();

 private:
  const char* name_;
  std::FILE* stream_;
};

// Opened with mode "rt"; a failure is "cannot open <name>".
class InputFile : public File {
 public:
  InputFile(const Directory& directory, const char* name) : File(directory, name, "rt") {}
  void close() { close_stream(); }
};

// Created or truncated with mode "wb"; a failure is "cannot open <name>".
// A write or close that failed (a full disk, say) is "cannot write <name>":
// a truncated header must never pass for a complete one.
class OutputFile : public File {
 public:
  OutputFile(const Directory& directory, const char* name) : File(directory, name, "wb") {}
  void close();
};

}  // namespace pl_config
