#pragma once

#include <stdexcept>

namespace pl_config {

// The one error path of the tool.  fatal_error() throws it; main() writes the
// message and a newline to standard error and exits with status 1, which
// flushes whatever the output files already hold.
class FatalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fatal_error(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace pl_config
