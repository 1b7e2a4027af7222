#pragma once

#include <cstdio>

#include "files.h"
#include "pl_config.h"

namespace pl_config {

// Reads and checks the description as a run does: the same reader and
// generators, the same errors in the same order, but every header thrown
// away, so that no file is created or touched.  Writes the layout report to
// `report` instead of the installation summary, and the warnings to
// `warnings`; returns the exit status of a complete check.  Errors throw
// FatalError.
int check_description(const BuildConfig& config, const Directory& directory, std::FILE* report,
                      std::FILE* warnings);

}  // namespace pl_config
