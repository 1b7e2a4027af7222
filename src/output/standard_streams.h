#pragma once

#include "output.h"

namespace pl_config {

// The process's standard output and standard error as Outputs, each with a
// buffer of its own.  Standard error is flushed by whoever writes a message
// to it.
Output& standard_output();
Output& standard_error();

}  // namespace pl_config
