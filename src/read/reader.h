#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "byte_source.h"
#include "description_limits.h"
#include "diagnostics.h"
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
  bool starts_line = true;
  int column = 1;  // of its first byte

  std::string_view text() const { return {data, size}; }
  char first() const { return data[0]; }
};

// Where the description's ordinary lines go.  With line directives, a
// "#line" naming the description's line goes ahead of each run of them that
// does not follow the last, and one naming the header's own line ahead of
// each generated block, so that a compiler's message points at the line
// that holds the mistake.
class DescriptionCopy {
 public:
  explicit DescriptionCopy(Output& out) : out_(out) {}

  // The paths as the #line lines give them; both must outlive the copy.
  void use_line_directives(const char* description, const char* header);
  // `text` starts line `line`, or goes on with the one before.
  void put(std::string_view text, std::int64_t line, bool starts_line);
  void generated_block();

 private:
  static constexpr std::size_t path_capacity = 4096;

  Output& out_;
  bool line_directives_ = false;
  char description_[2 * path_capacity + 1] = "";  // as a C string's text
  const char* header_ = "";
  std::int64_t next_line_ = 0;  // 0: a directive is due
};

// The description file as a stream of pieces.  A piece is what one read of
// at most 511 bytes gives: a line, or part of a longer one, so pieces start
// at each line's start and every 511 bytes into it.  Ordinary text is copied
// straight from a large read buffer; only directive pieces are copied out.
class DescriptionInput {
 public:
  // Twice dd's usual block: half the system calls of a plain copy.
  static constexpr std::size_t buffer_size = 256 * 1024;

  DescriptionInput(ByteSource& source, const char* name);
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
  void copy_ordinary_pieces(DescriptionCopy& out);
  // From now on, lines that a reader would misread are warned about.
  void warn_to(Diagnostics* diagnostics);

 private:
  bool refill();
  // The column that `to` has when `from`, in the same buffer, has `column`.
  static std::size_t column_at(const char* from, const char* to, std::size_t column);
  int line_number() const;
  // The warnings about the text in [from, to), which starts at `column` of
  // line `line`: lines longer than a piece, directives after blanks.
  void check_text(const char* from, const char* to, std::size_t column, std::int64_t line);
  void warn_long_line(std::int64_t line);

  ByteSource& source_;
  const char* name_;
  const char* next_;  // the unread bytes are [next_, end_)
  const char* end_;
  std::size_t column_ = 0;  // of next_ in its line
  // Of next_'s line, counted from 1; wide enough that no file overflows it.
  std::int64_t line_ = 1;
  bool eof_ = false;
  Diagnostics* diagnostics_ = nullptr;
  std::int64_t long_line_warned_ = 0;
};

// Copies the description's ordinary lines to `copy`, reads each section
// with its reader and hands the section's model to `writer`.  The machine
// registers are handed out as the regs sections are read.  With
// `diagnostics`, what the reader notices is warned about, and, when they
// keep going, an error ends the line or section it is in, not the reading.
void read_description(DescriptionInput& in, DescriptionCopy& copy, MachineRegisters& machine_registers,
                      SectionWriter& writer, Diagnostics* diagnostics = nullptr);

// The reading stopped at the error limit of a check.
struct ReadingStopped {};

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
  SectionLines(DescriptionInput& in, DescriptionCopy& copy, const Scanner& opening_line, Message end_expected,
               Diagnostics* diagnostics);
  SectionLines(const SectionLines&) = delete;
  SectionLines& operator=(const SectionLines&) = delete;

  // Reads the section's lines up to its next directive line, which it keeps
  // as the current line.  Empty lines are dropped and ordinary lines are
  // copied at once.
  Directive next_directive();
  Location opening() const { return opening_; }

  // Called with an error of one of the section's lines: rethrows it, or
  // reports it and marks the section failed when the reading keeps going.
  void recover(const Error& error);
  // A section with an error is read to its end line and then dropped.
  bool failed() const { return failed_; }
  // A directive word that is none of `words`, or "end".
  [[noreturn]] void unknown_directive(const Directive& directive, std::span<const char* const> words) const;

 private:
  DescriptionInput& in_;
  DescriptionCopy& copy_;
  Location opening_;
  Message end_expected_;
  Diagnostics* diagnostics_;
  bool failed_ = false;
  CurrentLine opening_line_;
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
    try {
      const DirectiveRow<Section>* row = nullptr;
      for (const DirectiveRow<Section>& candidate : rows)
        if (directive.word == candidate.word) row = &candidate;
      if (row == nullptr) {
        std::array<const char*, N> words;
        for (std::size_t i = 0; i < N; ++i) words[i] = rows[i].word;
        lines.unknown_directive(directive, words);
      }
      row->read(directive.rest, section);
    } catch (const Error& error) {
      lines.recover(error);
    }
  }
}

// The readers of the three sections, each up to and including its end line;
// every check of a section is made there, before any writer sees it.  A
// failed section's model is not checked at its end.
RegsSection read_regs_section(SectionLines& lines, MachineRegisters& machine_registers);
// A tags section whose values must repeat is rejected after `writer` has
// been told, so that the headers show where the section stood.
TagsSection read_tags_section(SectionLines& lines, SectionWriter& writer);
StacksSection read_stacks_section(SectionLines& lines);

}  // namespace pl_config
