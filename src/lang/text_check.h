#pragma once

#include <string_view>

#include "diagnostics.h"
#include "pl_config.h"

namespace pl_config {

// Checks `text` as `pl_config --check` checks a file named `name` that holds
// those bytes: the same reader, the same keep-going up to the error limit
// and its note, the same warnings with a check's settings.  Every error,
// warning and note goes to `consumer` as it arises; nothing is written.
// Returns the check's exit status.
int check_text(const BuildConfig& config, std::string_view text, const char* name, DiagnosticConsumer& consumer);

}  // namespace pl_config
