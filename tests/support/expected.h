#pragma once

// The first half of the summary of a run with the default build constants,
// as the tool's documentation gives it: all that a run that fails while it
// reads the description writes on standard output.  Whole runs are the case
// folders of tests/cases.

#include <string>

namespace pl_config::testing {

inline const std::string summary_head =
    "\n"
    "\t-------------------------------\n"
    "\t--- TARNHOLLOW INSTALLATION ---\n"
    "\t-------------------------------\n"
    "\n"
    "Tarnhollow version: 1.0.0 (Dec 8 2026)\n"
    "Operating system  : linux-gnu\n"
    "Processor         : aarch64\n"
    "Size of a WAM word: 64 bits\n"
    "C compiler        : gcc\n"
    "C flags           : -O3 -fomit-frame-pointer -Wno-char-subscripts\n"
    "C flags machine   :  -fno-strict-aliasing -fcommon\n"
    "Assembler         : as\n"
    "Assembler flags   : \n"
    "Loader flags      : -static -s\n"
    "Loader libraries  : -lm\n"
    "Use line editor   : Yes\n"
    "Use piped consult : Yes\n"
    "Use sockets       : Yes\n"
    "Use FD solver     : Yes\n";

}  // namespace pl_config::testing
