#pragma once

#include "command_line.h"

namespace pl_config {

// A file that a run writes besides the headers (the debugger script) may not
// be the description, a header or another such file, whatever path names
// it: the run would overwrite one with the other.  On such a command line,
// turns `line` into that usage error; a path that cannot be resolved is left
// for the run to report when it opens it.
void check_distinct_outputs(CommandLine& line);

}  // namespace pl_config
