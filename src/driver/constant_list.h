#pragma once

#include "output.h"
#include "pl_config.h"

namespace pl_config {

// --build-constants: each build constant as NAME=VALUE on a line of its own,
// NAME the CMake cache variable that sets it, so that a build can ask a tool
// what it was built for (a cross build checks its processor) and build
// another tool with the same values.  The machine registers are a CMake list.
void print_build_constants(Output& out, const BuildConfig& config);

}  // namespace pl_config
