#include "reader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

#include "error.h"
#include "text_scan.h"

namespace pl_config {

namespace {

void write_line(const LineBuffer& line, DescriptionCopy& out) {
  out.put(line.text(), line.line_number, line.starts_line);
}

// What reading one section needs beyond its lines.
struct SectionContext : SectionReading {
  DescriptionCopy& copy;
  SectionWriter* warnings;
  ErrorPath& errors;
};

// Reads a section of the kind of `Section` and hands it over: the warnings
// take it as far as it could be read, errors or not; its diagnostics then go
// out, in line order, ahead of what the writers make of it.  A failed
// section goes to no other writer.
template <typename Section>
void read_section(SectionLines& lines, SectionContext& context) {
  Section section;
  section.read(lines, context);
  if (context.warnings != nullptr) context.warnings->section(section);
  if (Diagnostics* diagnostics = context.errors.diagnostics()) diagnostics->release_held();
  if (lines.failed()) return;
  context.copy.generated_block();
  context.writer.section(section);
}

using SectionReader = void (*)(SectionLines& lines, SectionContext& context);

// The reader of each section kind, in the order of SectionKind.
template <typename... Sections>
struct SectionReaders : std::array<SectionReader, sizeof...(Sections)> {
  constexpr SectionReaders() : std::array<SectionReader, sizeof...(Sections)>{} {
    (((*this)[static_cast<std::size_t>(Sections::kind)] = read_section<Sections>), ...);
  }
};
constexpr EverySection<SectionReaders> section_readers;
static_assert(section_readers.size() == std::size(section_kinds));

// The word of a directive line, read without a check: what the line is.
std::string_view word_of(const LineBuffer& line) { return leading_identifier(line.text().substr(1)); }

// The scanner of the directive line `line`, quoted as `current`.
Scanner directive_scanner(const LineBuffer& line, DescriptionInput& in, CurrentLine& current) {
  current.save(line.text(), line.line_number);
  Scanner scanner(line.text().substr(1), current, line.column + 1);
  if (line.text().find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos && in.at_end())
    scanner.mark_last_line_without_newline();
  return scanner;
}

// After a directive line that opens no section, the lines are most likely
// those of the section it failed to open: they are passed over, ordinary
// lines copied, up to an end line, passed over too, or an opening line,
// which `line` keeps to be read next (true).
bool pass_over(DescriptionInput& in, DescriptionCopy& copy, LineBuffer& line) {
  while (in.read_piece(line)) {
    if (line.first() != '@') {
      write_line(line, copy);
      continue;
    }
    const std::string_view word = word_of(line);
    if (word == directive_word::opening) return true;
    if (word == directive_word::closing) return false;
  }
  return false;
}

// "@begin <name>": the kind of the section it opens.
SectionKind opened_section(Scanner& scanner) {
  const std::string_view word = scanner.identifier();
  if (word != directive_word::opening) {
    Error error = scanner.error(Message::incorrect_declaration);
    error.set_word(word);
    error.add_choice(directive_word::opening);
    throw error;
  }
  const std::string_view name = scanner.identifier();
  for (const SectionKindRow& row : section_kinds)
    if (name == row.name) return row.kind;
  Error error = scanner.error(Message::unknown_section);
  error.set_word(name);
  for (const SectionKindRow& row : section_kinds) error.add_choice(row.name);
  throw error;
}

// A directive line outside sections, in `line`: an opening line, whose
// section is read.  True when `line` then holds a line to read next.
bool read_outside_sections(LineBuffer& line, DescriptionInput& in, SectionContext& context) {
  CurrentLine current;
  Scanner scanner = directive_scanner(line, in, current);
  SectionKind kind{};
  if (!context.errors.read([&] { kind = opened_section(scanner); }))
    return word_of(line) != directive_word::closing && pass_over(in, context.copy, line);
  SectionLines lines(in, context.copy, line, scanner, kind, context.errors);
  const SectionScope scope(context.errors.diagnostics(), lines.opening());
  context.errors.read([&] { section_readers[static_cast<std::size_t>(kind)](lines, context); });
  switch (lines.ending()) {
    case SectionLines::Ending::opening_line: return true;
    case SectionLines::Ending::other_section_line: return pass_over(in, context.copy, line);
    case SectionLines::Ending::end_line: break;
  }
  return false;
}

// `path` as the text of a C string literal: a backslash and a quote
// escaped, and every control byte as an octal escape, so that the compiler
// names the file as it is (a newline would end the #line line, and "\x" in
// a directory's name is no escape gcc takes).
void as_string_text(std::span<char> text, const char* path) {
  std::size_t size = 0;
  for (const char* c = path; *c != '\0' && size + 5 <= text.size() - 1; ++c) {
    const unsigned char byte = static_cast<unsigned char>(*c);
    if (byte < 0x20 || byte == 0x7F) {
      size += static_cast<std::size_t>(std::snprintf(text.data() + size, 5, "\\%03o", byte));
      continue;
    }
    if (*c == '\\' || *c == '"') text[size++] = '\\';
    text[size++] = *c;
  }
  text[size] = '\0';
}

}  // namespace

void DescriptionCopy::use_line_directives(const char* description, const char* header) {
  line_directives_ = true;
  as_string_text(description_, description);
  as_string_text(header_, header);
  out_.count_lines();
}

void DescriptionCopy::put(std::string_view text, std::int64_t line, bool starts_line) {
  if (!line_directives_) return out_.put(text);
  if (text.empty()) return;
  if (starts_line && line != next_line_) out_.print("#line %lld \"%s\"\n", static_cast<long long>(line), description_);
  out_.put(text);
  next_line_ = line + std::count(text.begin(), text.end(), '\n');
}

void DescriptionCopy::generated_block() {
  if (!line_directives_) return;
  out_.print("#line %lld \"%s\"\n", static_cast<long long>(out_.lines()) + 1, header_);
  next_line_ = 0;
}

namespace {
// One description is read at a time: its block is static storage, not the
// stack's.
char description_block[DescriptionInput::buffer_size];
}  // namespace

DescriptionInput::DescriptionInput(ByteSource& source, const char* name)
    : source_(source), name_(name), next_(description_block), end_(description_block) {}

bool DescriptionInput::refill() {
  if (eof_) return false;
  const std::ptrdiff_t size = source_.read(description_block, buffer_size);
  if (size < 0) fail(Message::cannot_read, name_);
  eof_ = size == 0;
  next_ = description_block;
  end_ = description_block + size;
  return size > 0;
}

bool DescriptionInput::at_end() { return next_ == end_ && !refill(); }

std::size_t DescriptionInput::column_at(const char* from, const char* to, std::size_t column) {
  for (const char* p = to; p != from; --p) {
    if (p[-1] == '\n') return static_cast<std::size_t>(to - p);
  }
  return column + static_cast<std::size_t>(to - from);
}

// A file of more lines than an int counts gives its last ones the largest.
int DescriptionInput::line_number() const {
  return static_cast<int>(std::min<std::int64_t>(line_, std::numeric_limits<int>::max()));
}

bool DescriptionInput::read_piece(LineBuffer& line) {
  const std::size_t start_column = column_;
  const std::size_t room = LineBuffer::capacity - column_ % LineBuffer::capacity;
  line.size = 0;
  line.line_number = line_number();
  line.starts_line = column_ == 0;
  line.column = static_cast<int>(column_) + 1;
  while (line.size < room && !at_end()) {
    const std::size_t want = std::min(room - line.size, static_cast<std::size_t>(end_ - next_));
    const char* newline = static_cast<const char*>(std::memchr(next_, '\n', want));
    const std::size_t size = newline != nullptr ? static_cast<std::size_t>(newline - next_) + 1 : want;
    std::memcpy(line.data + line.size, next_, size);
    line.size += size;
    next_ += size;
    column_ = newline != nullptr ? 0 : column_ + size;
    if (newline != nullptr) {
      ++line_;
      break;
    }
  }
  line.data[line.size] = '\0';
  if (diagnostics_ != nullptr) check_text(line.data, line.data + line.size, start_column, line.line_number);
  if (listener_ != nullptr && line.first() == '@') tell(line);
  return line.size > 0;
}

// Each piece is read once, though a line that ends a section is read again
// outside it.  A line read as empty keeps its newline.
void DescriptionInput::tell(LineBuffer& line) {
  const std::string_view text = line.text();
  list_directive_tokens(without_carriage_return(text.substr(0, text.find('\n'))), line.line_number, line.column,
                        *listener_);
  const std::string_view word = word_of(line);
  if (!line.starts_line || word == directive_word::opening || word == directive_word::closing ||
      !listener_->read_as_empty(line.line_number))
    return;
  line.size = text.back() == '\n' ? 1 : 0;
  line.data[0] = '\n';
  line.data[line.size] = '\0';
}

int DescriptionInput::last_line() const { return column_ == 0 ? line_number() - 1 : line_number(); }

void DescriptionInput::warn_to(Diagnostics* diagnostics) {
  diagnostics_ = diagnostics;
  if (diagnostics_ != nullptr && !at_end() && std::string_view(next_, end_ - next_).starts_with("\xEF\xBB\xBF"))
    diagnostics_->warning(Message::byte_order_mark, {1, 1, 3});
}

void DescriptionInput::warn_long_line(std::int64_t line) {
  if (line == long_line_warned_) return;
  long_line_warned_ = line;
  diagnostics_->warning(Message::long_line, {static_cast<int>(line), static_cast<int>(LineBuffer::capacity) + 1, 1});
}

// Only when warning: the copy itself never looks at every byte.
void DescriptionInput::check_text(const char* from, const char* to, std::size_t column, std::int64_t line) {
  bool blanks_only = column == 0;
  for (const char* p = from; p != to; ++p) {
    if (*p == '\n') {
      ++line;
      column = 0;
      blanks_only = true;
      continue;
    }
    if (*p == '@' && blanks_only && column % LineBuffer::capacity != 0)
      diagnostics_->warning(Message::indented_directive, {static_cast<int>(line), static_cast<int>(column) + 1, 1});
    blanks_only = blanks_only && (*p == ' ' || *p == '\t');
    if (++column == LineBuffer::capacity + 1) warn_long_line(line);
  }
}

// Only an "@" can start a directive piece, so the bytes between two of them
// are copied without looking at their lines; an "@" found is a piece start
// when its column is a multiple of the piece size.
void DescriptionInput::copy_ordinary_pieces(DescriptionCopy& out) {
  while (!at_end()) {
    const char* scan = next_;
    std::size_t scan_column = column_;
    std::int64_t newlines = 0;
    const char* stop = end_;
    for (;;) {
      const char* at = find_at_sign(scan, end_, newlines);
      if (at == end_) break;
      scan_column = column_at(scan, at, scan_column);
      if (scan_column % LineBuffer::capacity == 0) {
        stop = at;
        break;
      }
      scan = at + 1;
      scan_column += 1;
    }
    if (diagnostics_ != nullptr) check_text(next_, stop, column_, line_);
    const std::size_t copied_column = column_;
    column_ = stop == end_ ? column_at(scan, end_, scan_column) : scan_column;
    out.put({next_, static_cast<std::size_t>(stop - next_)}, line_, copied_column == 0);
    line_ += newlines;
    next_ = stop;
    if (stop != end_) return;
  }
}

// Line by line, with one line of look-ahead: a line that ended a section
// is read again outside it.
void read_description(DescriptionInput& in, DescriptionCopy& copy, MachineRegisters& machine_registers,
                      SectionWriter& writer, Diagnostics* diagnostics, SectionWriter* warnings) {
  ErrorPath errors(diagnostics);
  SectionContext context{{machine_registers, writer}, copy, warnings, errors};
  in.warn_to(diagnostics);
  LineBuffer line;
  for (bool read_again = false;;) {
    if (!read_again) {
      in.copy_ordinary_pieces(copy);
      if (!in.read_piece(line)) return;
    }
    read_again = read_outside_sections(line, in, context);
  }
}

void ErrorPath::report(const Error& error) {
  release();
  if (!keeps_going()) throw error;
  diagnostics_->error(error);
  if (diagnostics_->full()) throw ReadingStopped{};
}

void ErrorPath::hold(const Error& error) {
  if (!keeps_going()) throw error;
  release();
  held_ = error;
}

void ErrorPath::release() {
  if (!held_) return;
  const Error error = *held_;
  held_.reset();
  report(error);
}

SectionLines::SectionLines(DescriptionInput& in, DescriptionCopy& copy, LineBuffer& line, const Scanner& opening_line,
                           SectionKind kind, ErrorPath& errors)
    : in_(in), copy_(copy), line_(line), opening_(opening_line.location()), kind_(kind), errors_(errors) {
  opening_line_.save(opening_line.quoted_line().c_str(), opening_line.line_number());
}

std::optional<Directive> SectionLines::end_at(Ending ending, int last) {
  errors_.release();
  ending_ = ending;
  if (ReadingListener* listener = in_.listener()) listener->section({kind_, opening_.line, last, opening_});
  return std::nullopt;
}

// An input that ends inside the section is reported at the section's opening
// line: that is the line whose end line is missing, while the input's last
// line may be anything, far below.  After a misspelt end line, that line's
// error says it all.
std::optional<Directive> SectionLines::end_of_input() {
  failed_ = true;
  if (errors_.held() == nullptr) {
    const char* word = row_of(kind_).end_word;
    Error error = make_error(Message::end_expected, opening_, word);
    error.reword(Message::end_expected, word);
    error.set_source_line(opening_line_.c_str());
    errors_.report(error);
  }
  return end_at(Ending::end_line, in_.last_line());
}

// A line that cannot belong to the section ends it, with an error of its
// own or as a note to the misspelt end line before it; a line of another
// section's word is that section's, and the end line before it is missing.
// Any other word is reported, but held when the nearest right word is
// "end": the line may be the section's end line, misspelt, which a line
// that cannot belong then confirms.
void SectionLines::unknown_directive(std::string_view word, const Scanner& rest, bool closes) {
  failed_ = true;
  if (closes && errors_.held() != nullptr) {
    errors_.held()->set_note(Message::section_ends_here, rest.location());
    return;
  }
  Error error = rest.error(Message::incorrect_declaration);
  if (section_of(word)) {
    error.reword(Message::missing_end_before, row_of(kind_).name, opening_.line);
    error.set_note(Message::section_opened_here, opening_);
    return errors_.report(error);
  }
  error.set_word(word);
  for (const DirectiveRow& row : directive_rows())
    if (row.section == kind_) error.add_choice(row.word);
  error.add_choice(directive_word::closing);
  if (closes) error.set_note(Message::section_opened_here, opening_);
  if (!closes && nearest_choice(word, error.choices().view()) == directive_word::closing) return errors_.hold(error);
  errors_.report(error);
}

// An ordinary line whose first word is one of the section's directive words
// or its end word, standing alone: a directive line that lost its "@", which
// the C compiler meets only far away.  Not after a held error, whose
// section may have ended at a misspelt end line.
void SectionLines::check_ordinary_line() const {
  Diagnostics* diagnostics = errors_.diagnostics();
  if (diagnostics == nullptr || !line_.starts_line || errors_.held() != nullptr) return;
  const std::string_view text = line_.text();
  const std::string_view word = leading_identifier(text);
  if (word != directive_word::closing && section_of(word) != kind_) return;
  const std::size_t start = static_cast<std::size_t>(word.data() - text.data());
  const std::size_t end = start + word.size();
  if (end < text.size() && !is_white_space(text[end])) return;
  diagnostics->warning(Message::missing_at,
                       {line_.line_number, static_cast<int>(start) + 1, static_cast<int>(word.size())},
                       static_cast<int>(word.size()), word.data());
}

std::optional<Directive> SectionLines::next_directive() {
  for (;;) {
    if (!in_.read_piece(line_)) return end_of_input();
    if (line_.first() == '\n') continue;
    if (line_.first() != '@') {
      check_ordinary_line();
      write_line(line_, copy_);
      continue;
    }
    Scanner rest = directive_scanner(line_, in_, current_line_);
    rest.warn_to(errors_.diagnostics());
    const std::string_view word = word_of(line_);
    if (!errors_.read([&] { rest.identifier(); })) {
      failed_ = true;
      // An end line with an error in its word still ends the section.
      if (word == directive_word::closing) return end_at(Ending::end_line, line_.line_number);
      continue;
    }
    if (word == directive_word::closing) {
      end_line_.emplace(rest);
      return end_at(Ending::end_line, line_.line_number);
    }
    if (section_of(word) == kind_) {
      errors_.release();
      return Directive{find_directive(word), rest};
    }
    const bool opening = word == directive_word::opening;
    const bool closes = opening || section_of(word).has_value();
    unknown_directive(word, rest, closes);
    if (closes) return end_at(opening ? Ending::opening_line : Ending::other_section_line, line_.line_number - 1);
  }
}

}  // namespace pl_config
