#pragma once

// The build configuration the fuzz targets run the tool with.

#include "pl_config.h"

namespace pl_config::fuzzing {

inline const char* const machine_register_list[] = {"m1", "m2", "m3"};

inline const pl_config::BuildConfig config = {
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

}  // namespace pl_config::fuzzing
