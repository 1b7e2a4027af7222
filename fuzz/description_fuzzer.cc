// Runs the whole tool in-process on arbitrary bytes as wam_arch.def, the
// files kept in memory, and checks the same bytes.  A fatal error is an ordinary outcome; a crash, an
// overrun, undefined behaviour or a broken invariant is a finding.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "description_check.h"
#include "diagnostics.h"
#include "error.h"
#include "files.h"
#include "memory_directory.h"
#include "memory_output.h"
#include "messages.h"
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
using pl_config::testing::MemoryOutput;

std::string_view output(const MemoryDirectory& files, const char* name) { return files.output(name)->text(); }

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
    if (banner.starts_with("Begin ")) {
      if (!open_section.empty()) finding("begin banner inside a block", banner);
      open_section = banner.substr(6);
    } else if (banner.starts_with("End ")) {
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
  const std::string usage =
      "\n#define NB_USED_MACHINE_REGS\t" + std::to_string(count) + "\n\n#define CFLAGS_REGS\t\t\"" + options + "\"\n";
  if (!registers.ends_with(usage)) finding("register map does not end with the usage macros", registers);
}

void check_accepted_run(std::string_view input, const MemoryDirectory& files, std::string_view summary) {
  const std::string_view arch = output(files, arch_header);
  if (!arch.starts_with(leading_ordinary_text(input))) finding("leading ordinary lines not copied", arch);
  check_banners(input, arch);
  check_machine_registers(summary, output(files, register_map));
  if (!output(files, stack_header).starts_with("/* this file is automatically generated by pl_config */\n"))
    finding("stack header without its first line");
  if (!summary.ends_with("\n\t------------------------------\n\n"))
    finding("summary without its closing line", summary);
}

// One message: its entry's text as the message table has it, quoting no
// more than a line; a located form's other words aside.
void check_error(const pl_config::Error& error) {
  const std::string_view message = error.what();
  const pl_config::MessageEntry& entry = pl_config::entry_of(error.plain_id());
  const std::string_view text = entry.text;
  if (entry.kind == pl_config::MessageKind::syntax) {
    const std::string expected = "Syntax error: " + std::string(text) + " in: ";
    if (!message.starts_with(expected)) finding("syntax error not as its table entry", message);
    if (message.size() - expected.size() > 511) finding("quoted line too long", message);
  } else if (!message.starts_with(text.substr(0, text.find('%')))) {
    finding("message not as its table entry", message);
  }
}

// How a run or a check ended: "" for success, or the error and its line.
struct Outcome {
  std::string error;
  int line = 0;
  bool about_a_file = false;
};

Outcome outcome_of(const pl_config::Error& error) {
  return {error.what(), error.line(), pl_config::entry_of(error.id()).kind == pl_config::MessageKind::file};
}

// A file error is about no line; any other error is about a line of the input.
void check_error_line(std::string_view input, const Outcome& outcome) {
  const bool about_a_file = outcome.about_a_file;
  const auto lines = static_cast<int>(std::count(input.begin(), input.end(), '\n')) + 1;
  if (about_a_file ? outcome.line != 0 : outcome.line < 1 || outcome.line > lines)
    finding("error about a line outside the input", outcome.error + " at " + std::to_string(outcome.line));
}

// The line of the first error of a check's messages, 0 for none.  Only a
// message's first line starts with the file's name: the line shown below it
// is indented, whatever text the input put there.
int first_error_line(std::string_view messages) {
  constexpr std::string_view locus = "wam_arch.def:";
  for (std::size_t at = 0; at < messages.size();) {
    const std::size_t end = std::min(messages.find('\n', at), messages.size());
    const std::string_view line = messages.substr(at, end - at);
    at = end + 1;
    if (!line.starts_with(locus)) continue;
    const std::size_t error = line.find(": error: ");
    if (error != std::string_view::npos && line.find(": warning: ") > error)
      return std::atoi(line.data() + locus.size());
  }
  return 0;
}

// A check reads as a run does, so its first error is the run's, and it opens
// no header.
void check_the_check(std::string_view input, const Outcome& run) {
  const MemoryDirectory files(input);
  MemoryOutput report, messages;
  pl_config::Diagnostics diagnostics(messages.out(), files, {.keep_going = true});
  int status = 0;
  try {
    status = pl_config::check_description(config, files, report.out(), diagnostics);
  } catch (const pl_config::Error& error) {
    diagnostics.error(error);
    status = 1;
  }
  const std::string& text = messages.text();
  if ((status != 0) != !run.error.empty()) finding("check and run end differently", text);
  if (!run.error.empty() && first_error_line(text) != run.line) finding("check's first error is not the run's", text);
  for (const char* name : {arch_header, register_map, stack_header, public_config})
    if (files.output(name)->opened()) finding("check opened a header", name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const MemoryDirectory files(input);
  MemoryOutput summary;
  bool accepted = false;
  Outcome run;
  try {
    accepted = pl_config::run_pl_config(config, files, summary.out()) == 0;
  } catch (const pl_config::Error& error) {
    check_error(error);
    run = outcome_of(error);
    check_error_line(input, run);
  }
  if (accepted) check_accepted_run(input, files, summary.text());
  check_the_check(input, run);
  return 0;
}
