#pragma once

#include <cstdint>

namespace pl_config {

// The first "@" in [from, to), or `to` when there is none; the newlines before
// it are added to `newlines`.  Copying ordinary lines looks at their bytes
// here and nowhere else, so this one pass over them is all the copy costs
// beyond the reads and writes themselves.
const char* find_at_sign(const char* from, const char* to, std::int64_t& newlines);

// The ways of scanning, for the tests: each gives what find_at_sign gives.
namespace text_scan {
using Scan = const char* (*)(const char* from, const char* to, std::int64_t& newlines);

const char* portable(const char* from, const char* to, std::int64_t& newlines);
// Null where the processor cannot run it.
Scan vector_scan();
}  // namespace text_scan

}  // namespace pl_config
