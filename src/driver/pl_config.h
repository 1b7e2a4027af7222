#pragma once

#include <span>

#include "diagnostics.h"
#include "extra_outputs.h"
#include "files.h"
#include "machine_registers.h"
#include "output.h"

namespace pl_config {

// The values fixed when the tool is built: what the installation summary
// prints, what the version macros say, and the machine registers the engine
// may reserve.
struct BuildConfig {
  const char* version;  // major.minor.patchlevel
  const char* release_date;
  const char* copyright;
  const char* operating_system;
  const char* processor;
  const char* c_compiler;
  const char* c_flags;
  const char* c_flags_machine;
  const char* assembler;
  const char* assembler_flags;
  const char* loader_flags;
  const char* loader_libraries;
  const char* use_line_editor;
  const char* use_piped_consult;
  const char* use_sockets;
  const char* use_fd_solver;
  std::span<const char* const> machine_register_list;
};

inline constexpr int wam_word_bits = 64;

// The installation summary, in the order it is printed.
void print_banner(Output& out);
void print_configuration(Output& out, const BuildConfig& config);
void print_machine_register_count(Output& out, const MachineRegisters& registers);
void print_used_registers(Output& out, const MachineRegisters& registers);
void print_closing_line(Output& out);

// Ends the run when the version does not fit the version macros.
void check_version(const BuildConfig& config);
// The first text of the public configuration header.
void write_version_macros(Output& public_config, const BuildConfig& config);

// One whole run on the files of `directory`, the installation summary
// printed to `summary`; returns the exit status of a complete run.  Errors
// throw Error.
struct RunSettings {
  Diagnostics* diagnostics = nullptr;  // shows the warnings too
  bool line_directives = false;        // #line lines in the architecture header
  // The files written besides the headers, at their paths as given, and put
  // in place after them; the summary's goes there instead of to the
  // summary output.
  ExtraPaths extra_outputs{};
};
int run_pl_config(const BuildConfig& config, const Directory& directory, Output& summary,
                  const RunSettings& settings = {});

}  // namespace pl_config
