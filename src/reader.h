#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "description_limits.h"
#include "machine_registers.h"
#include "output.h"
#include "section_model.h"
#include "section_writer.h"
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
  void copy_ordinary_pieces(Output& out);

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

// Copies the description's ordinary lines to `copy`, reads each section
// with its reader and hands the section's model to `writer`.  The machine
// registers are handed out as the regs sections are read.
void read_description(DescriptionInput& in, Output& copy, MachineRegisters& machine_registers,
                      SectionWriter& writer);

// One directive line inside a section, its directive word read; `rest` reads
// the tokens that follow it.
struct Directive {
  std::string_view word;
  Scanner rest;
};

// The lines of one section, for its reader, which starts right after the
// section's opening line.
class SectionLines {
 public:
  // `end_expected` is the message for an input that ends before the section.
  SectionLines(DescriptionInput& in, Output& copy, Location opening, Message end_expected);
  SectionLines(const SectionLines&) = delete;
  SectionLines& operator=(const SectionLines&) = delete;

  // Reads the section's lines up to its next directive line, which it keeps
  // as the current line.  Empty lines are dropped and ordinary lines are
  // copied at once.
  Directive next_directive();
  Location opening() const { return opening_; }

 private:
  DescriptionInput& in_;
  Output& copy_;
  Location opening_;
  Message end_expected_;
  CurrentLine current_line_;
  LineBuffer line_;
};

// How a section reads the directive word of each of its lines.
template <typename Section>
struct DirectiveRow {
  const char* word;
  void (*read)(Scanner& rest, Section& section);
};

// Reads the directive lines of a section up to its end line, each by the row
// of its word, and returns the end line.
template <typename Section, std::size_t N>
Scanner read_directives(SectionLines& lines, Section& section, const DirectiveRow<Section> (&rows)[N]) {
  for (;;) {
    Directive directive = lines.next_directive();
    if (directive.word == "end") return directive.rest;
    const DirectiveRow<Section>* row = nullptr;
    for (const DirectiveRow<Section>& candidate : rows)
      if (directive.word == candidate.word) row = &candidate;
    if (row == nullptr) directive.rest.fail(Message::incorrect_declaration);
    row->read(directive.rest, section);
  }
}

// The readers of the three sections, each up to and including its end line;
// every check of a section is made there, before any writer sees it.
RegsSection read_regs_section(SectionLines& lines, MachineRegisters& machine_registers);
// A tags section whose values must repeat is rejected after `writer` has
// been told, so that the headers show where the section stood.
TagsSection read_tags_section(SectionLines& lines, SectionWriter& writer);
StacksSection read_stacks_section(SectionLines& lines);

}  // namespace pl_config
