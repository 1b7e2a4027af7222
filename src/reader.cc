#include "reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "fatal_error.h"

namespace pl_config {

namespace {

// Counted in runs short enough for a 16-bit count, a loop that compilers
// turn into vector compares: counting takes a fraction of the copy's time.
std::int64_t count_newlines(const char* from, const char* to) {
  std::int64_t count = 0;
  while (from != to) {
    const std::size_t run = std::min<std::size_t>(static_cast<std::size_t>(to - from), 0xffff);
    std::uint16_t run_count = 0;
    for (std::size_t i = 0; i < run; ++i) run_count = static_cast<std::uint16_t>(run_count + (from[i] == '\n'));
    count += run_count;
    from += run;
  }
  return count;
}

void write_line(const LineBuffer& line, Output& out) { out.put(line.text()); }

// What reading one section needs beyond its lines.
struct SectionContext {
  MachineRegisters& machine_registers;
  SectionWriter& writer;
};

struct SectionRow {
  const char* name;
  Message end_expected;
  void (*read)(SectionLines& lines, SectionContext& context);
};

constexpr SectionRow section_rows[] = {
    {"regs", Message::regs_end_expected,
     [](SectionLines& lines, SectionContext& context) {
       const RegsSection section = read_regs_section(lines, context.machine_registers);
       context.writer.regs_section(section, context.machine_registers);
     }},
    {"tags", Message::tags_end_expected,
     [](SectionLines& lines, SectionContext& context) {
       context.writer.tags_section(read_tags_section(lines, context.writer));
     }},
    {"stacks", Message::stacks_end_expected,
     [](SectionLines& lines, SectionContext& context) { context.writer.stacks_section(read_stacks_section(lines)); }},
};

// "@begin <name>": hands the section to its reader.
void open_section(const LineBuffer& line, DescriptionInput& in, Output& copy, SectionContext& context) {
  CurrentLine current;
  current.save(line.text(), line.line_number);
  Scanner scanner(line.text().substr(1), current, 2);
  if (scanner.identifier() != "begin") scanner.fail(Message::incorrect_declaration);
  const std::string_view name = scanner.identifier();
  for (const SectionRow& row : section_rows) {
    if (name != row.name) continue;
    SectionLines lines(in, copy, {line.line_number, 1}, row.end_expected);
    row.read(lines, context);
    return;
  }
  scanner.fail(Message::unknown_section);
}

}  // namespace

DescriptionInput::DescriptionInput(std::FILE* stream, const char* name)
    : stream_(stream), name_(name), next_(buffer_), end_(buffer_) {}

// A block that came with a read error is used first: the run ends where the
// reading stopped, with what came before it copied.
bool DescriptionInput::refill() {
  if (std::ferror(stream_)) fatal_error(Message::cannot_read, name_);
  if (eof_) return false;
  const std::size_t size = std::fread(buffer_, 1, buffer_size, stream_);
  if (size == 0 && std::ferror(stream_)) fatal_error(Message::cannot_read, name_);
  eof_ = std::feof(stream_) != 0;
  next_ = buffer_;
  end_ = buffer_ + size;
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
  const std::size_t room = LineBuffer::capacity - column_ % LineBuffer::capacity;
  line.size = 0;
  line.line_number = line_number();
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
  return line.size > 0;
}

// Only an "@" can start a directive piece, so the bytes between two of them
// are copied without looking at their lines; an "@" found is a piece start
// when its column is a multiple of the piece size.
void DescriptionInput::copy_ordinary_pieces(Output& out) {
  while (!at_end()) {
    const char* scan = next_;
    std::size_t scan_column = column_;
    const char* stop = end_;
    while (const void* found = std::memchr(scan, '@', static_cast<std::size_t>(end_ - scan))) {
      const char* at = static_cast<const char*>(found);
      scan_column = column_at(scan, at, scan_column);
      if (scan_column % LineBuffer::capacity == 0) {
        stop = at;
        break;
      }
      scan = at + 1;
      scan_column += 1;
    }
    column_ = stop == end_ ? column_at(scan, end_, scan_column) : scan_column;
    out.put({next_, static_cast<std::size_t>(stop - next_)});
    line_ += count_newlines(next_, stop);
    next_ = stop;
    if (stop != end_) return;
  }
}

void read_description(DescriptionInput& in, Output& copy, MachineRegisters& machine_registers,
                      SectionWriter& writer) {
  SectionContext context{machine_registers, writer};
  LineBuffer line;
  for (;;) {
    in.copy_ordinary_pieces(copy);
    if (!in.read_piece(line)) return;
    open_section(line, in, copy, context);
  }
}

SectionLines::SectionLines(DescriptionInput& in, Output& copy, Location opening, Message end_expected)
    : in_(in), copy_(copy), opening_(opening), end_expected_(end_expected) {}

// An input that ends inside the section is reported at the section's opening
// line: that is the line whose end line is missing, while the input's last
// line may be anything, far below.
Directive SectionLines::next_directive() {
  for (;;) {
    if (!in_.read_piece(line_)) fatal_error_at(opening_, end_expected_);
    if (line_.first() == '\n') continue;
    if (line_.first() != '@') {
      write_line(line_, copy_);
      continue;
    }
    current_line_.save(line_.text(), line_.line_number);
    Scanner rest(line_.text().substr(1), current_line_, 2);
    const std::string_view word = rest.identifier();
    return {word, rest};
  }
}

}  // namespace pl_config
