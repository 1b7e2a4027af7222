#include "core_run.h"

#include <memory>

#include "description_check.h"
#include "header_writer.h"
#include "layout_warnings.h"
#include "memory_directory.h"
#include "memory_output.h"
#include "reader.h"
#include "script_name.h"

namespace pl_config::testing {

namespace {

struct Recorder : SectionWriter {
  explicit Recorder(CoreResult& result) : result(result) {}
  void section(const RegsSection& section) override { result.regs.push_back(section); }
  void section(const TagsSection& section) override { result.tags.push_back(section); }
  void section(const StacksSection& section) override { result.stacks.push_back(section); }
  CoreResult& result;
};

std::string at(Location location) { return std::to_string(location.line) + ":" + std::to_string(location.column); }

// The words, each after a blank.
std::string fields(std::initializer_list<std::string> words) {
  std::string text;
  for (const std::string& word : words) text += " " + word;
  return text;
}

}  // namespace

CoreResult run_core(const std::string& description, std::span<const char* const> list) {
  TextSource input(description);
  MemoryHeaders headers;
  MemoryOutput warnings;
  CoreResult result;
  result.machine_registers = MachineRegisters(list);
  HeaderWriter header_writer(headers);
  const MemoryDirectory files(description);
  Diagnostics diagnostics(warnings.out(), files, {});
  const auto layout_warnings = std::make_unique<LayoutWarnings>(diagnostics, default_build_config({}).processor);
  Recorder recorder(result);
  SectionWriter* const writers[] = {&recorder, &header_writer, layout_warnings.get()};
  WriterList writer(writers);
  DescriptionInput in(input, file_name::description);
  try {
    DescriptionCopy copy(headers.out(HeaderRole::arch_header));
    read_description(in, copy, result.machine_registers, writer, &diagnostics);
  } catch (const Error& error) {
    result.error = error.what();
    result.error_at = error.location();
  }
  result.arch_header = headers[HeaderRole::arch_header].text();
  result.register_map = headers[HeaderRole::register_map].text();
  result.stack_header = headers[HeaderRole::stack_header].text();
  result.public_config = headers[HeaderRole::public_config].text();
  result.warnings = warnings.text();
  return result;
}

std::string describe(const RegsSection& section) {
  const char* bank = section.bank_pointer_register ? section.bank_pointer_register : "variable";
  const std::string filler = "[" + std::string(section.filler_prefix.c_str()) + "]";
  const std::string hidden = std::to_string(section.unwritten().size());
  std::string text = at(section.opening) + fields({"bank", bank, "filler", filler, "hidden", hidden});
  for (const PlacedRegister& r : section.registers())
    text += " |" + fields({r.c_name(), r.c_type(), std::to_string(r.group), at(r.type_at), at(r.name_at),
                           r.machine_register ? r.machine_register : "slot " + std::to_string(r.bank_slot)});
  return text;
}

std::string describe(const TagsSection& section) {
  std::string text = at(section.opening) + fields({"tag size", std::to_string(section.word.tag_size)});
  for (const Tag& t : section.tags())
    text += " |" + fields({t.c_name(), row_of(t.kind).word, std::to_string(t.value), at(t.name_at), at(t.kind_at),
                           at(t.value_at)});
  return text;
}

std::string describe(const StacksSection& section) {
  std::string text = at(section.opening);
  for (const StackEntry& s : section.stacks())
    text += " |" + fields({s.name.c_str(), s.description.c_str(), std::to_string(s.default_size),
                           s.top_expression.c_str(), at(s.name_at), at(s.description_at), at(s.size_at), at(s.top_at)});
  return text;
}

std::string describe(const MachineRegisters& table) {
  std::string text;
  for (const MachineRegisterEntry& entry : table.entries())
    text += std::string(entry.machine_register) + " (" + entry.register_name.c_str() + ") ";
  return text;
}

std::vector<std::string> describe(const CoreResult& result) {
  std::vector<std::string> lines;
  for (const RegsSection& section : result.regs) lines.push_back(describe(section));
  for (const TagsSection& section : result.tags) lines.push_back(describe(section));
  for (const StacksSection& section : result.stacks) lines.push_back(describe(section));
  return lines;
}

ToolResult run_in_process(const std::string& description, std::span<const char* const> list, const InProcess& how) {
  const BuildConfig config = default_build_config(list);
  const MemoryDirectory files(description);
  MemoryOutput out, err;
  Diagnostics diagnostics(
      err.out(), files,
      {.located = how.located, .warnings = how.check, .keep_going = how.check, .disabled = how.disabled});
  const RunSettings settings{.diagnostics = how.located ? &diagnostics : nullptr};
  ToolResult result;
  try {
    if (how.debugger_script != nullptr && !how.check) warn_about_script_name(diagnostics, how.debugger_script);
    result.status = how.check
                        ? check_description(config, files, out.out(), diagnostics, how.format, how.debugger_script)
                        : run_pl_config(config, files, out.out(), settings);
  } catch (const Error& error) {
    diagnostics.error(error);
    result.status = 1;
  }
  result.out = out.text();
  result.err = err.text();
  for (const HeaderRow& row : header_rows)
    if (const char* name = row.name; files.output(name)->opened())
      result.files[name] = std::string(files.output(name)->text());
  return result;
}

BuildConfig default_build_config(std::span<const char* const> list) {
  return {"1.0.0",
          "Dec 8 2026",
          "Copyright (C) 2026 The Tarnhollow authors",
          "linux-gnu",
          "aarch64",
          "gcc",
          "-O3 -fomit-frame-pointer -Wno-char-subscripts",
          " -fno-strict-aliasing -fcommon",
          "as",
          "",
          "-static -s",
          "-lm",
          "Yes",
          "Yes",
          "Yes",
          "Yes",
          list};
}

}  // namespace pl_config::testing
