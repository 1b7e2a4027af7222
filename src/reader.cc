#include "reader.h"

#include "fatal_error.h"
#include "files.h"
#include "regs_section.h"
#include "stacks_section.h"
#include "tags_section.h"

namespace pl_config {

namespace {

void write_line(const LineBuffer& line, std::FILE* out) { std::fwrite(line.data, 1, line.size, out); }

// "@begin <name>": hands the section to its generator.
void open_section(const LineBuffer& line, DescriptionInput& in, std::FILE* arch_header, Run& run) {
  run.current_line.save(line.text());
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

bool DescriptionInput::read_piece(LineBuffer& line) {
  line.size = 0;
  while (line.size < LineBuffer::capacity) {
    const int c = std::getc(stream_);
    if (c == EOF) break;
    line.data[line.size++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line.data[line.size] = '\0';
  if (std::ferror(stream_)) fatal_error("cannot read %s", name_);
  return line.size > 0;
}

void read_description(DescriptionInput& in, std::FILE* arch_header, Run& run) {
  LineBuffer line;
  while (!in.at_end() && in.read_piece(line)) {
    if (line.first() == '@') {
      open_section(line, in, arch_header, run);
    } else {
      write_line(line, arch_header);
    }
  }
}

void read_description_file(Run& run) {
  InputFile description(file_name::description);
  OutputFile arch_header(file_name::arch_header);
  DescriptionInput in(description.stream(), description.name());
  read_description(in, arch_header.stream(), run);
  description.close();
  arch_header.close();
}

Directive next_directive(DescriptionInput& in, LineBuffer& line, std::FILE* arch_header, Run& run,
                         const char* end_expected) {
  for (;;) {
    if (in.at_end() || !in.read_piece(line)) fatal_error("%s", end_expected);
    if (line.first() == '\n') continue;
    if (line.first() != '@') {
      write_line(line, arch_header);
      continue;
    }
    run.current_line.save(line.text());
    Scanner rest(line.text().substr(1), run.current_line);
    const std::string_view word = rest.identifier();
    return {word, rest};
  }
}

}  // namespace pl_config
