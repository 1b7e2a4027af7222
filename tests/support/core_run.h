#pragma once

#include <optional>
#include <span>
#include <string>

#include "machine_registers.h"

namespace pl_config::testing {

// What read_description wrote for a description, on memory streams.
struct CoreResult {
  std::string arch_header;
  std::string register_map;
  std::string stack_header;
  std::string public_config;
  std::optional<std::string> error;  // the fatal error's message, if one ended the run
  int error_line = 0;                // and the line it is about
  int machine_register_count = 0;
  std::string used_registers;  // "m1 (pl_reg_bank) m2 (R1) ", the table in order
};

CoreResult run_core(const std::string& description, std::span<const char* const> machine_register_list = {});

}  // namespace pl_config::testing
