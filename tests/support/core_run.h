#pragma once

// The tool in-process, on a description in memory: read into its models and
// handed to the writers, or a whole run or check as the tool makes it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "description_check.h"
#include "error.h"
#include "machine_registers.h"
#include "pl_config.h"
#include "section_model.h"
#include "tool_run.h"

namespace pl_config::testing {

// The model of each section in the order read, what the header writer and
// the layout warnings made of them, and the fatal error that ended the
// reading, if one did.  The machine register table points into the list.
struct CoreResult {
  std::vector<RegsSection> regs;
  std::vector<TagsSection> tags;
  std::vector<StacksSection> stacks;
  MachineRegisters machine_registers{{}};
  std::string arch_header, register_map, stack_header, public_config, warnings;
  std::optional<std::string> error;
  Location error_at;
};

CoreResult run_core(const std::string& description, std::span<const char* const> list = {});

// A model on one line, each field with where it stands, LINE:COLUMN:
//   "OPENING bank MACHINE|variable filler [PREFIX] hidden N | NAME TYPE GROUP TYPE_AT NAME_AT MACHINE|slot N | ..."
//   "OPENING tag size N | NAME KIND VALUE NAME_AT KIND_AT VALUE_AT | ..."
//   "OPENING | NAME DESCRIPTION WORDS TOP NAME_AT DESCRIPTION_AT SIZE_AT TOP_AT | ..."
std::string describe(const RegsSection& section);
std::string describe(const TagsSection& section);
std::string describe(const StacksSection& section);
// The machine register table in hand-out order: "m1 (pl_reg_bank) m2 (R1) ".
std::string describe(const MachineRegisters& table);
// Every section read, those of regs first, then of tags, then of stacks: the
// tests read one kind of section at a time, so the order across kinds is
// never at stake.
std::vector<std::string> describe(const CoreResult& result);

// How run_in_process runs the tool: a run, or a check, which locates its
// errors (a run does with `located`) and shows the warnings but the
// `disabled` ones, its report in `format`.
struct InProcess {
  bool check = false;
  bool located = check;
  ReportFormat format = ReportFormat::text;
  std::uint64_t disabled = 0;
  // The --debugger-script of a check, whose name alone it looks at; null:
  // none.
  const char* debugger_script = nullptr;
};

// A whole run or a check of the test tool with the machine register list
// `list`: exit status, standard streams, the headers it opened.  Unlike a
// real run, a failed one keeps what its headers got.
ToolResult run_in_process(const std::string& description, std::span<const char* const> list = {},
                          const InProcess& how = {});

// The build constants of the test tools (expected.h).
BuildConfig default_build_config(std::span<const char* const> list);

}  // namespace pl_config::testing
