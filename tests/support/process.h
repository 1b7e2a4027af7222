#pragma once

// Starting and waiting for the programs that tests and benchmarks run.

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace pl_config::testing {

// Starts `argv` (argv[0] a path) in `dir`, its standard output to `out` and
// its standard error to `err`, each "" for the caller's own and "-" for none
// (closed).  Everything the child needs is made before the fork: it touches
// no memory of its own, so that its peak memory is the program's.
pid_t start_process(const std::vector<std::string>& argv, const std::filesystem::path& dir,
                    const std::filesystem::path& out, const std::filesystem::path& err);

// Its exit status, or 128 + the signal that ended it; what it used goes to
// `usage` if given.
int wait_process(pid_t pid, rusage* usage = nullptr);

}  // namespace pl_config::testing
