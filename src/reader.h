#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "description_limits.h"
#include "files.h"
#include "run.h"
#include "tokens.h"

namespace pl_config {

// One read of the description file: a line, or a piece of a longer one, of at
// most 511 bytes with its newline.  The size is kept, so a NUL byte inside an
// ordinary line is copied like any other.
struct LineBuffer {
  static constexpr std::size_t capacity = limit::line_piece_length;

  char data[capacity + 1] = "";
  std::size_t size = 0;
  int line_number = 0;  // of the line it is, or is a piece of

  std::string_view text() const { return {data, size}; }
  char first() const { return data[0]; }
};

// The description file as a stream of pieces.  A piece is what one read of
// at most 511 bytes gives: a line, or part of a longer one, so pieces start
// at each line's start and every 511 bytes into it.  Ordinary text is copied
// straight from a large read buffer; only directive pieces are copied out.
class DescriptionInput {
 public:
  static constexpr std::size_t buffer_size = 128 * 1024;

  DescriptionInput(std::FILE* stream, const char* name);
  DescriptionInput(const DescriptionInput&) = delete;
  DescriptionInput& operator=(const DescriptionInput&) = delete;

  // True when no byte is left to read.
  bool at_end();
  // Reads the next piece.  False when nothing could be read.  A read error
  // ends the run: a file that cannot be read to its end must not pass for a
  // shorter one.
  bool read_piece(LineBuffer& line);
  // Writes every piece up to the next one that starts with "@", or up to the
  // end of the input, to `out` unchanged.
  void copy_ordinary_pieces(std::FILE* out);

 private:
  bool refill();
  // The column that `to` has when `from`, in the same buffer, has `column`.
  static std::size_t column_at(const char* from, const char* to, std::size_t column);
  int line_number() const;

  std::FILE* stream_;
  const char* name_;
  const char* next_;  // the unread bytes are [next_, end_)
  const char* end_;
  std::size_t column_ = 0;  // of next_ in its line
  // Of next_'s line, counted from 1; wide enough that no file overflows it.
  std::int64_t line_ = 1;
  bool eof_ = false;
  char buffer_[buffer_size];
};

// Copies the description to the architecture header and hands each section
// to its generator.
void read_description(DescriptionInput& in, std::FILE* arch_header, Run& run);

// Opens the description file and then the architecture header, which the
// caller installs once the whole run has succeeded; reads, closes.
void read_description_file(const Directory& directory, std::optional<OutputFile>& arch_header, Run& run);

// One directive line inside a section, its directive word read; `rest` reads
// the tokens that follow it.
struct Directive {
  std::string_view word;
  Scanner rest;
};

// The lines of one section, for its generator, which starts it right after
// the section's opening line has been saved as the current line.
class SectionLines {
 public:
  // `end_expected` is the message for an input that ends before the section.
  SectionLines(DescriptionInput& in, std::FILE* arch_header, Run& run, const char* end_expected);
  SectionLines(const SectionLines&) = delete;
  SectionLines& operator=(const SectionLines&) = delete;

  // Reads the section's lines up to its next directive line, which it saves
  // as the current line.  Empty lines are dropped and ordinary lines are
  // copied to the architecture header at once.
  Directive next_directive();
  int opening_line() const { return opening_line_; }

 private:
  DescriptionInput& in_;
  std::FILE* arch_header_;
  Run& run_;
  const char* end_expected_;
  int opening_line_;
  LineBuffer line_;
};

}  // namespace pl_config
