// Runs the whole tool in-process on arbitrary bytes as wam_arch.def, the
// files kept in memory.  A fatal error is an ordinary outcome; a crash, an
// overrun, undefined behaviour or a broken invariant is a finding.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fatal_error.h"
#include "files.h"
#include "memory_directory.h"
#include "pl_config.h"

namespace {

using pl_config::file_name::arch_header;
using pl_config::file_name::public_config;
using pl_config::file_name::register_map;
using pl_config::file_name::stack_header;

const char* const machine_register_list[] = {"m1", "m2", "m3"};

const pl_config::BuildConfig config = {
    .version = "1.0.0",
    .release_date = "Dec 8 2026",
    .copyright = "Copyright (C) 2026 The Tarnhollow authors",
    .operating_system = "linux-gnu",
    .processor = "aarch64",
    .c_compiler = "gcc",
    .c_flags = "-O3",
    .c_flags_machine = "",
    .assembler = "as",
    .assembler_flags = "",
    .loader_flags = "",
    .loader_libraries = "-lm",
    .use_line_editor = "Yes",
    .use_piped_consult = "Yes",
    .use_sockets = "Yes",
    .use_fd_solver = "Yes",
    .machine_register_list = machine_register_list,
};

[[noreturn]] void finding(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "invariant broken: %s\n%.*s\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}

using pl_config::testing::MemoryDirectory;
using pl_config::testing::MemoryFile;

std::string_view output(const MemoryDirectory& files, const char* name) { return files.output(name)->text(); }

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }
bool ends_with(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The bytes ahead of the first piece that starts with "@": pieces start at
// each line's start and every 511 bytes into a longer line.
std::string_view leading_ordinary_text(std::string_view text) {
  std::size_t column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (column % 511 == 0 && text[i] == '@') return text.substr(0, i);
    column = text[i] == '\n' ? 0 : column + 1;
  }
  return text;
}

// Each block the generators write is framed by its begin and end banner,
// and blocks do not nest.
void check_banners(std::string_view description_text, std::string_view arch) {
  if (description_text.find("/*--- ") != std::string_view::npos) return;  // banner-like text copied through
  std::string_view open_section;
  for (std::size_t at = arch.find("/*--- "); at != std::string_view::npos; at = arch.find("/*--- ", at + 1)) {
    const std::string_view banner = arch.substr(at + 6, arch.find(" Generation", at) - at - 6);
    if (starts_with(banner, "Begin ")) {
      if (!open_section.empty()) finding("begin banner inside a block", banner);
      open_section = banner.substr(6);
    } else if (starts_with(banner, "End ")) {
      if (banner.substr(4) != open_section) finding("end banner without its begin banner", banner);
      open_section = {};
    }
  }
  if (!open_section.empty()) finding("begin banner without its end banner", open_section);
}

// The summary's count, its list of registers and CFLAGS_REGS agree.
void check_machine_registers(std::string_view summary, std::string_view registers) {
  const char count_label[] = "Use machine regs. : Yes (";
  const std::size_t count_at = summary.find(count_label);
  if (count_at == std::string_view::npos) finding("no machine register count", summary);
  const int count = std::atoi(summary.data() + count_at + sizeof count_label - 1);

  const char list_label[] = "Used register(s)  : ";
  std::size_t at = summary.find(list_label);
  if (at == std::string_view::npos) finding("no list of used registers", summary);
  at += sizeof list_label - 1;
  const std::string_view list = summary.substr(at, summary.find('\n', at) - at);
  std::string options;
  int listed = 0;
  if (list != "none") {
    for (std::size_t from = 0; from < list.size(); from = list.find("  ", from) + 2, ++listed)
      options += "-ffixed-" + std::string(list.substr(from, list.find(' ', from) - from)) + " ";
  }
  if (listed != count) finding("summary count differs from its list", summary);
  const std::string usage = "\n#define NB_USED_MACHINE_REGS\t" + std::to_string(count) +
                            "\n\n#define CFLAGS_REGS\t\t\"" + options + "\"\n";
  if (!ends_with(registers, usage)) finding("register map does not end with the usage macros", registers);
}

void check_accepted_run(std::string_view input, const MemoryDirectory& files, std::string_view summary) {
  const std::string_view arch = output(files, arch_header);
  if (!starts_with(arch, leading_ordinary_text(input))) finding("leading ordinary lines not copied", arch);
  check_banners(input, arch);
  check_machine_registers(summary, output(files, register_map));
  if (!starts_with(output(files, stack_header), "/* this file is automatically generated by pl_config */\n"))
    finding("stack header without its first line");
  if (!ends_with(summary, "\n\t------------------------------\n\n")) finding("summary without its closing line", summary);
}

// One message: one of the tool's texts, quoting no more than a line.
void check_error(std::string_view message) {
  const std::string_view beginnings[] = {"Syntax error: ", "cannot open ", "cannot read ", "cannot write ",
                                         "too many machine registers in use",
                                         "There is an invalid tag value (repetition ?)\n"};
  bool known = false;
  for (std::string_view beginning : beginnings) known = known || starts_with(message, beginning);
  if (!known) finding("unexpected error message", message);
  const std::size_t quoted = message.find(" in: ");
  if (quoted != std::string_view::npos && message.size() - quoted - 5 > 511) finding("quoted line too long", message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const MemoryDirectory files(input);
  MemoryFile summary;
  std::FILE* summary_stream = summary.open();
  bool accepted = false;
  try {
    accepted = pl_config::run_pl_config(config, files, summary_stream) == 0;
  } catch (const pl_config::FatalError& error) {
    check_error(error.what());
  }
  std::fclose(summary_stream);
  if (accepted) check_accepted_run(input, files, summary.text());
  return 0;
}
