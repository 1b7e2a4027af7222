#include "constant_list.h"

namespace pl_config {

namespace {

// In the order of the summary, as the cache lists them.
constexpr struct {
  const char* name;
  const char* BuildConfig::*value;
} text_constants[] = {
    {"PL_CONFIG_VERSION", &BuildConfig::version},
    {"PL_CONFIG_RELEASE_DATE", &BuildConfig::release_date},
    {"PL_CONFIG_COPYRIGHT", &BuildConfig::copyright},
    {"PL_CONFIG_OS", &BuildConfig::operating_system},
    {"PL_CONFIG_PROCESSOR", &BuildConfig::processor},
    {"PL_CONFIG_CC", &BuildConfig::c_compiler},
    {"PL_CONFIG_CFLAGS", &BuildConfig::c_flags},
    {"PL_CONFIG_CFLAGS_MACHINE", &BuildConfig::c_flags_machine},
    {"PL_CONFIG_ASM", &BuildConfig::assembler},
    {"PL_CONFIG_ASFLAGS", &BuildConfig::assembler_flags},
    {"PL_CONFIG_LDFLAGS", &BuildConfig::loader_flags},
    {"PL_CONFIG_LDLIBS", &BuildConfig::loader_libraries},
    {"PL_CONFIG_USE_LINE_EDITOR", &BuildConfig::use_line_editor},
    {"PL_CONFIG_USE_PIPED_CONSULT", &BuildConfig::use_piped_consult},
    {"PL_CONFIG_USE_SOCKETS", &BuildConfig::use_sockets},
    {"PL_CONFIG_USE_FD_SOLVER", &BuildConfig::use_fd_solver},
};

}  // namespace

void print_build_constants(Output& out, const BuildConfig& config) {
  for (const auto& constant : text_constants) out.print("%s=%s\n", constant.name, config.*constant.value);
  out.put("PL_CONFIG_MACHINE_REGS=");
  const char* separator = "";
  for (const char* name : config.machine_register_list) {
    out.print("%s%s", separator, name);
    separator = ";";
  }
  out.put('\n');
}

}  // namespace pl_config
