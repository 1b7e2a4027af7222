#pragma once

#include "command_line.h"

namespace pl_config {

// One file, one role: the description, the four headers and the files a
// run writes besides them (the debugger script, the summary) are each
// another file, whatever paths name them, links and hard links included:
// the run would overwrite one with the other.  A descriptor named as a
// path (/dev/fd/N) must be one the caller handed over: any other is one
// the run will open itself, a temporary file.  On such a command line,
// turns `line` into that usage error; a path that cannot be resolved is
// left for the run to report when it opens it.
void check_distinct_outputs(CommandLine& line);

}  // namespace pl_config
