#pragma once

#include <string_view>

#include "diagnostics.h"

namespace pl_config {

// The module name lldb's `command script import PATH` gives the script: the
// base name of `path`, without its ".py".
std::string_view script_module_name(std::string_view path);

// Warns (script-name) when a debugger cannot use the script at `path`, and
// says which: gdb reads a name without ".py" as gdb commands, and lldb
// imports none whose module name is not a Python identifier, or is a
// keyword.  The warning is about the command line, so it has no line of
// the description.
void warn_about_script_name(Diagnostics& diagnostics, const char* path);

}  // namespace pl_config
