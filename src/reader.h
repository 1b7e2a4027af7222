#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "run.h"
#include "tokens.h"

namespace pl_config {

// One read of the description file: a line, or a piece of a longer one, of at
// most 511 bytes with its newline.  The size is kept, so a NUL byte inside an
// ordinary line is copied like any other.
struct LineBuffer {
  static constexpr std::size_t capacity = 511;

  char data[capacity + 1] = "";
  std::size_t size = 0;

  std::string_view text() const { return {data, size}; }
  char first() const { return data[0]; }
};

// The description file as a stream of pieces.
class DescriptionInput {
 public:
  DescriptionInput(std::FILE* stream, const char* name) : stream_(stream), name_(name) {}

  // True once a read has met the end of the file, as feof() tells.
  bool at_end() const { return std::feof(stream_) != 0; }
  // Reads up to and including a newline, at most 511 bytes.  False when
  // nothing could be read.  A read error ends the run: a file that cannot be
  // read to its end must not pass for a shorter one.
  bool read_piece(LineBuffer& line);

 private:
  std::FILE* stream_;
  const char* name_;
};

// Copies the description to the architecture header and hands each section
// to its generator.
void read_description(DescriptionInput& in, std::FILE* arch_header, Run& run);

// Opens the description file and then the architecture header, reads, closes.
void read_description_file(Run& run);

// One directive line inside a section, its directive word read; `rest` reads
// the tokens that follow it.
struct Directive {
  std::string_view word;
  Scanner rest;
};

// Reads a section's lines up to its next directive line, which it saves as
// the current line.  Empty lines are dropped and ordinary lines are copied to
// the architecture header at once.  Ends the run with `end_expected` if the
// input ends before a directive line.
Directive next_directive(DescriptionInput& in, LineBuffer& line, std::FILE* arch_header, Run& run,
                         const char* end_expected);

}  // namespace pl_config
