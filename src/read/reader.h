#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "byte_source.h"
#include "description_limits.h"
#include "diagnostics.h"
#include "directive_grammar.h"
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

  // The paths that the #line lines give.
  void use_line_directives(const char* description, const char* header);
  // `text` starts line `line`, or goes on with the one before.
  void put(std::string_view text, std::int64_t line, bool starts_line);
  void generated_block();

 private:
  static constexpr std::size_t path_capacity = 4096;

  Output& out_;
  bool line_directives_ = false;
  // As a C string's text, each byte at most four.
  char description_[4 * path_capacity + 1] = "";
  char header_[4 * path_capacity + 1] = "";
  std::int64_t next_line_ = 0;  // 0: a directive is due
};

// The description file as a stream of pieces.  A piece is what one read of
// at most 511 bytes gives: a line, or part of a longer one, so pieces start
// at each line's start and every 511 bytes into it.  Ordinary text is copied
// straight from a large read buffer; only directive pieces are copied out.
class DescriptionInput {
 public:
  // Twice dd's usual block: half the system calls of a plain copy.
  static constexpr std::size_t buffer_size = std::size_t{256} * 1024;

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
  // From now on, the tokens of each directive line read and the span of
  // each section read go to `listener`.
  void report_to(ReadingListener* listener) { listener_ = listener; }
  ReadingListener* listener() const { return listener_; }
  // The number of the last line read, at the input's end.
  int last_line() const;

 private:
  bool refill();
  // The column that `to` has when `from`, in the same buffer, has `column`.
  static std::size_t column_at(const char* from, const char* to, std::size_t column);
  int line_number() const;
  // The warnings about the text in [from, to), which starts at `column` of
  // line `line`: lines longer than a piece, directives after blanks.
  void check_text(const char* from, const char* to, std::size_t column, std::int64_t line);
  void warn_long_line(std::int64_t line);
  // Tells the listener of the directive piece `line`.
  void tell(LineBuffer& line);

  ByteSource& source_;
  const char* name_;
  const char* next_;  // the unread bytes are [next_, end_)
  const char* end_;
  std::size_t column_ = 0;  // of next_ in its line
  // Of next_'s line, counted from 1; wide enough that no file overflows it.
  std::int64_t line_ = 1;
  bool eof_ = false;
  Diagnostics* diagnostics_ = nullptr;
  ReadingListener* listener_ = nullptr;
  std::int64_t long_line_warned_ = 0;
};

// Copies the description's ordinary lines to `copy`, reads each section
// with its reader and hands the section's model to `writer`.  The machine
// registers are handed out as the regs sections are read.  With
// `diagnostics`, what the reader notices is warned about, and, when they
// keep going, an error ends the line it is in, not the reading.  A line
// that cannot belong to the section it stands in, an opening line or a line
// of another section's word, ends that section and is read again outside
// it; outside sections, the lines after a line that opens none are passed
// over, up to an end line or an opening line.  `warnings` takes every
// section as far as it could be read, one with errors too, before
// `writer`, which takes only those without.
void read_description(DescriptionInput& in, DescriptionCopy& copy, MachineRegisters& machine_registers,
                      SectionWriter& writer, Diagnostics* diagnostics = nullptr, SectionWriter* warnings = nullptr);

// The reading stopped at the error limit of a check.
struct ReadingStopped {};

// The reading's one way past an error.  A run ends with the error; a check
// reports it and goes on, until its error limit.  An error may be held back
// for a note that a later line gives it; the next report, or release(),
// writes it first.
class ErrorPath {
 public:
  explicit ErrorPath(Diagnostics* diagnostics) : diagnostics_(diagnostics) {}
  ErrorPath(const ErrorPath&) = delete;
  ErrorPath& operator=(const ErrorPath&) = delete;

  Diagnostics* diagnostics() const { return diagnostics_; }
  bool keeps_going() const { return diagnostics_ != nullptr && diagnostics_->keeps_going(); }
  // Runs `read`: false when it threw an error, which went this way.
  template <typename Read>
  bool read(Read&& read) {
    try {
      read();
      return true;
    } catch (const Error& error) {
      report(error);
      return false;
    }
  }
  void report(const Error& error);
  // In a run, the same as report().
  void hold(const Error& error);
  // Null when none is held.
  Error* held() { return held_ ? &*held_ : nullptr; }
  void release();

 private:
  Diagnostics* diagnostics_;
  std::optional<Error> held_;
};

// One directive line inside a section, its directive word read; `rest` reads
// the tokens that follow it.
struct Directive {
  const DirectiveRow* row;
  Scanner rest;
};

// The lines of one section, for its reader, which starts right after the
// section's opening line.  A check that meets a line that cannot belong to
// the section, an opening line or a line of another section's words, takes
// the section to end there: see read_description.
class SectionLines {
 public:
  // How the section ended: at its end line or the end of the input, or at a
  // line that cannot belong to it, which `line` then holds.
  enum class Ending { end_line, opening_line, other_section_line };

  // `line` is the reading's buffer; the section is of `kind`.
  SectionLines(DescriptionInput& in, DescriptionCopy& copy, LineBuffer& line, const Scanner& opening_line,
               SectionKind kind, ErrorPath& errors);
  SectionLines(const SectionLines&) = delete;
  SectionLines& operator=(const SectionLines&) = delete;

  // The section's next directive line of a word of its kind, up to the
  // section's end: nothing then.  Empty lines are dropped, ordinary lines
  // copied at once, and the lines with an error reported.
  std::optional<Directive> next_directive();
  // Reads a directive line's tokens by `read`; an error fails the section.
  template <typename Read>
  void read_line(Read&& read) {
    if (!errors_.read(read)) failed_ = true;
  }
  Location opening() const { return opening_; }
  // Once next_directive() has given nothing, and the section has not failed.
  const Scanner& end_line() const { return *end_line_; }
  Ending ending() const { return ending_; }
  // A section with an error is read to its end and then dropped.
  bool failed() const { return failed_; }

 private:
  // A directive line whose word is none of the section's: reported, or held when
  // it may be a misspelt end line.
  void unknown_directive(std::string_view word, const Scanner& rest, bool closes);
  // Ends the section at line `last`.
  std::optional<Directive> end_at(Ending ending, int last);
  std::optional<Directive> end_of_input();
  void check_ordinary_line() const;

  DescriptionInput& in_;
  DescriptionCopy& copy_;
  LineBuffer& line_;
  Location opening_;
  SectionKind kind_;
  ErrorPath& errors_;
  bool failed_ = false;
  Ending ending_ = Ending::end_line;
  CurrentLine opening_line_;
  CurrentLine current_line_;
  std::optional<Scanner> end_line_;
};

// Reads the directive lines of a section up to its end, each by `read_line`.
template <typename Tables, typename ReadLine>
void read_directives(SectionLines& lines, Tables& tables, ReadLine read_line) {
  while (std::optional<Directive> directive = lines.next_directive())
    lines.read_line([&] { read_line(*directive, tables); });
}

// What a section's reader takes beyond its lines.  Every check of a section
// is made by its reader, before any writer sees it.  A failed section's
// model holds the lines without an error, and is not checked at its end;
// the checks at its end fail the section.
struct SectionReading {
  MachineRegisters& machine_registers;  // handed out as the regs sections are read
  SectionWriter& writer;                // told of a tags section rejected at its end
};

}  // namespace pl_config
