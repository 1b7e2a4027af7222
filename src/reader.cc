#include "reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "fatal_error.h"
#include "files.h"
#include "regs_section.h"
#include "stacks_section.h"
#include "tags_section.h"

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

void write_line(const LineBuffer& line, std::FILE* out) { std::fwrite(line.data, 1, line.size, out); }

// "@begin <name>": hands the section to its generator.
void open_section(const LineBuffer& line, DescriptionInput& in, std::FILE* arch_header, Run& run) {
  run.current_line.save(line.text(), line.line_number);
  Scanner scanner(line.text().substr(1), run.current_line);
  if (scanner.identifier() != "begin") scanner.fail(message::incorrect_declaration);
  const std::string_view name = scanner.identifier();
  if (name == "regs") {
    generate_regs_section(in, arch_header, run);
  } else if (name == "tags") {
    generate_tags_section(in, arch_header, run);
  } else if (name == "stacks") {
    generate_stacks_section(in, arch_header, run);
  } else {
    scanner.fail("Syntax error: unknown section in: %s");
  }
}

}  // namespace

DescriptionInput::DescriptionInput(std::FILE* stream, const char* name)
    : stream_(stream), name_(name), next_(buffer_), end_(buffer_) {}

// A block that came with a read error is used first: the run ends where the
// reading stopped, with what came before it copied.
bool DescriptionInput::refill() {
  if (std::ferror(stream_)) fatal_error("cannot read %s", name_);
  if (eof_) return false;
  const std::size_t size = std::fread(buffer_, 1, buffer_size, stream_);
  if (size == 0 && std::ferror(stream_)) fatal_error("cannot read %s", name_);
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
void DescriptionInput::copy_ordinary_pieces(std::FILE* out) {
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
    std::fwrite(next_, 1, static_cast<std::size_t>(stop - next_), out);
    line_ += count_newlines(next_, stop);
    next_ = stop;
    if (stop != end_) return;
  }
}

void read_description(DescriptionInput& in, std::FILE* arch_header, Run& run) {
  LineBuffer line;
  for (;;) {
    in.copy_ordinary_pieces(arch_header);
    if (!in.read_piece(line)) return;
    open_section(line, in, arch_header, run);
  }
}

void read_description_file(const Directory& directory, std::optional<OutputFile>& arch_header, Run& run) {
  InputFile description(directory);
  arch_header.emplace(directory, file_name::arch_header);
  DescriptionInput in(description.stream(), description.name());
  read_description(in, arch_header->stream(), run);
  arch_header->close();
}

SectionLines::SectionLines(DescriptionInput& in, std::FILE* arch_header, Run& run, const char* end_expected)
    : in_(in),
      arch_header_(arch_header),
      run_(run),
      end_expected_(end_expected),
      opening_line_(run.current_line.line_number()) {}

// An input that ends inside the section is reported at the section's opening
// line: that is the line whose end line is missing, while the input's last
// line may be anything, far below.
Directive SectionLines::next_directive() {
  for (;;) {
    if (!in_.read_piece(line_)) fatal_error_at(opening_line_, "%s", end_expected_);
    if (line_.first() == '\n') continue;
    if (line_.first() != '@') {
      write_line(line_, arch_header_);
      continue;
    }
    run_.current_line.save(line_.text(), line_.line_number);
    Scanner rest(line_.text().substr(1), run_.current_line);
    const std::string_view word = rest.identifier();
    return {word, rest};
  }
}

}  // namespace pl_config
