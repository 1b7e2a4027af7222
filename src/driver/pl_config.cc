#include "pl_config.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include "error.h"
#include "extra_outputs.h"
#include "files.h"
#include "generated_names.h"
#include "header_writer.h"
#include "headers.h"
#include "layout_warnings.h"
#include "reader.h"
#include "register_usage.h"

namespace pl_config {

namespace {

struct Version {
  int major;
  int minor;
  int patch_level;
};

// "major.minor.patchlevel", each part decimal; anything else, or a version
// number that does not fit the macro's int, ends the run.
Version parse_version(const char* text) {
  Version version{};
  int* parts[] = {&version.major, &version.minor, &version.patch_level};
  const char* position = text;
  const char* end = text + std::strlen(text);
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && (position == end || *position++ != '.')) fail(Message::invalid_version, text);
    if (position == end || *position < '0' || *position > '9') fail(Message::invalid_version, text);
    const auto [next, error] = std::from_chars(position, end, *parts[i]);
    if (error != std::errc()) fail(Message::invalid_version, text);
    position = next;
  }
  const std::int64_t number =
      std::int64_t{version.major} * 10000 + std::int64_t{version.minor} * 100 + version.patch_level;
  if (position != end || number > std::numeric_limits<std::int32_t>::max()) fail(Message::invalid_version, text);
  return version;
}

}  // namespace

void print_banner(Output& out) {
  out.put("\n");
  out.put("\t-------------------------------\n");
  out.put("\t--- TARNHOLLOW INSTALLATION ---\n");
  out.put("\t-------------------------------\n\n");
}

void print_configuration(Output& out, const BuildConfig& config) {
  out.print("Tarnhollow version: %s (%s)\n", config.version, config.release_date);
  out.print("Operating system  : %s\n", config.operating_system);
  out.print("Processor         : %s\n", config.processor);
  out.print("Size of a WAM word: %d bits\n", wam_word_bits);
  out.print("C compiler        : %s\n", config.c_compiler);
  out.print("C flags           : %s\n", config.c_flags);
  out.print("C flags machine   : %s\n", config.c_flags_machine);
  out.print("Assembler         : %s\n", config.assembler);
  out.print("Assembler flags   : %s\n", config.assembler_flags);
  out.print("Loader flags      : %s\n", config.loader_flags);
  out.print("Loader libraries  : %s\n", config.loader_libraries);
  out.print("Use line editor   : %s\n", config.use_line_editor);
  out.print("Use piped consult : %s\n", config.use_piped_consult);
  out.print("Use sockets       : %s\n", config.use_sockets);
  out.print("Use FD solver     : %s\n", config.use_fd_solver);
}

void write_version_macros(Output& public_config, const BuildConfig& config) {
  Output& out = public_config;
  const Version v = parse_version(config.version);
  out.put("\n");
  out.print("#define %-22s\t%d\n", names::tarnhollow, v.major);
  out.print("#define %-22s\t%d\n", names::tarnhol, v.major);
  out.print("#define %-22s\t%d\n", names::tarnhol_minor, v.minor);
  out.print("#define %-22s\t%d\n", names::tarnhol_patch_level, v.patch_level);
  out.print("#define %-22s\t%d\n", names::tarnhol_version, v.major * 10000 + v.minor * 100 + v.patch_level);
  out.put("\n");
  out.print("#define %-16s\t\"tarnhol\"\n", names::prolog_dialect);
  out.print("#define %-16s\t\"Tarnhollow\"\n", names::prolog_name);
  out.print("#define %-16s\t\"%s\"\n", names::prolog_version, config.version);
  out.print("#define %-16s\t\"%s\"\n", names::prolog_date, config.release_date);
  out.print("#define %-16s\t\"%s\"\n", names::prolog_copyright, config.copyright);
  out.put("\n");
}

void print_machine_register_count(Output& out, const MachineRegisters& registers) {
  out.print("Use machine regs. : Yes (%d used)\n", registers.count());
}

void print_used_registers(Output& out, const MachineRegisters& registers) {
  out.put("Used register(s)  : ");
  if (registers.count() == 0) {
    out.put("none\n");
    return;
  }
  for (const MachineRegisterEntry& entry : registers.entries())
    out.print("%s (%s)  ", entry.machine_register, entry.register_name.c_str());
  out.put("\n");
}

void print_closing_line(Output& out) {
  out.put("\n");
  out.put("\t------------------------------\n\n");
}

void check_version(const BuildConfig& config) { parse_version(config.version); }

namespace {

// The files of a run besides the headers, each opened when its option names
// it and staged with the headers.
class ExtraFiles {
 public:
  ExtraFiles(const Directory& directory, const ExtraPaths& paths) {
    for (const ExtraOutputRow& row : extra_output_rows)
      if (paths[row.id] != nullptr) files_[index(row.id)].emplace(directory, path_as_given, paths[row.id], row.buffer);
  }

  // Null when it is not written.
  OutputFile* file(ExtraOutput id) {
    Deferred<OutputFile>& file = files_[index(id)];
    return file.has_value() ? &*file : nullptr;
  }
  bool any_writer() {
    return std::any_of(std::begin(extra_output_rows), std::end(extra_output_rows),
                       [&](const ExtraOutputRow& row) { return row.start != nullptr && file(row.id) != nullptr; });
  }
  // The files that the sections were written to are complete.
  void close_writers() {
    for (const ExtraOutputRow& row : extra_output_rows)
      if (row.start != nullptr && file(row.id) != nullptr) file(row.id)->close();
  }
  // In row order, after the headers.
  void list(std::span<OutputFile*, extra_output_count> files) {
    for (const ExtraOutputRow& row : extra_output_rows) files[index(row.id)] = file(row.id);
  }

 private:
  static std::size_t index(ExtraOutput id) { return static_cast<std::size_t>(id); }

  Deferred<OutputFile> files_[extra_output_count];
};

// The sections into the warnings of a run that shows them and into the
// writers of the extra files it writes, besides the headers.  With --werror
// a warning fails the run before any header is replaced.  Never inlined, so
// that a plain run's stack holds neither (the warnings' tables alone are
// 340 KB).
[[gnu::noinline]] void read_into_more_writers(DescriptionInput& in, DescriptionCopy& copy,
                                              MachineRegisters& machine_registers, SectionWriter& header_writer,
                                              const RunSettings& settings, ExtraFiles& extras, const char* description,
                                              const char* processor) {
  std::array<SectionWriter*, 1 + extra_output_count> writers{&header_writer};
  std::size_t count = 1;
  Deferred<LayoutWarnings> warnings;
  SectionWriter* const warnings_writer =
      settings.diagnostics != nullptr ? &warnings.emplace(*settings.diagnostics, processor) : nullptr;
  WriterSlot slots[extra_output_count];
  for (std::size_t i = 0; i < extra_output_count; ++i) {
    const ExtraOutputRow& row = extra_output_rows[i];
    OutputFile* file = extras.file(row.id);
    if (row.start != nullptr && file != nullptr) writers[count++] = &row.start(slots[i], file->out(), description);
  }
  WriterList writer({writers.data(), count});
  read_description(in, copy, machine_registers, writer, settings.diagnostics, warnings_writer);
  writer.end_of_description();
  if (settings.diagnostics != nullptr && settings.diagnostics->errors() > 0) fail(Message::warnings_are_errors);
}

void read_sections(ByteSource& description, const char* name, Headers& headers, DescriptionCopy& copy,
                   MachineRegisters& machine_registers, const RunSettings& settings, ExtraFiles& extras,
                   const char* processor) {
  DescriptionInput in(description, name);
  HeaderWriter header_writer(headers);
  if (settings.diagnostics == nullptr && !extras.any_writer())
    return read_description(in, copy, machine_registers, header_writer);
  read_into_more_writers(in, copy, machine_registers, header_writer, settings, extras, name, processor);
}

}  // namespace

int run_pl_config(const BuildConfig& config, const Directory& directory, Output& summary_output,
                  const RunSettings& settings) {
  MachineRegisters machine_registers(config.machine_register_list);
  Headers headers(directory);
  headers.open(HeaderSpan::whole_run);
  ExtraFiles extras(directory, settings.extra_outputs);
  OutputFile* const summary_file = extras.file(ExtraOutput::summary);
  Output& summary = summary_file != nullptr ? summary_file->out() : summary_output;
  print_banner(summary);
  print_configuration(summary, config);
  write_version_macros(headers.out(HeaderRole::public_config), config);

  ByteSource& description = directory.open_description();
  headers.open(HeaderSpan::description);
  DescriptionCopy copy(headers.out(HeaderRole::arch_header));
  if (settings.line_directives)
    copy.use_line_directives(directory.description(), headers.path(HeaderRole::arch_header));
  read_sections(description, directory.description(), headers, copy, machine_registers, settings, extras,
                config.processor);
  headers.close(HeaderSpan::description);
  extras.close_writers();

  write_register_usage_macros(headers.out(HeaderRole::register_map), machine_registers);
  print_machine_register_count(summary, machine_registers);
  headers.close(HeaderSpan::whole_run);
  print_used_registers(summary, machine_registers);
  print_closing_line(summary);
  if (summary_file != nullptr) summary_file->close();
  if (!summary.flush()) fail(Message::cannot_write_standard_output);

  // Only a run that has succeeded to its last write replaces the headers.
  OutputFile* others[extra_output_count];
  extras.list(others);
  headers.install(others);
  return 0;
}

}  // namespace pl_config
