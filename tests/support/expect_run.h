#pragma once

// Checks of a whole run of a built tool: exit status, both standard streams
// and every file it left behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "expected.h"
#include "tool_run.h"

namespace pl_config::testing {

using Files = std::map<std::string, std::string>;

// Where two sets of files first differ: a file missing or extra, or the first
// differing byte with what follows it on both sides.  A line diff would not
// end in reasonable time for headers of megabytes.
inline std::string first_difference(const Files& actual, const Files& expected) {
  for (const auto& [name, bytes] : expected) {
    const auto file = actual.find(name);
    if (file == actual.end()) return name + " not written";
    const std::string& written = file->second;
    if (written == bytes) continue;
    const auto at = static_cast<std::size_t>(
        std::mismatch(written.begin(), written.end(), bytes.begin(), bytes.end()).first - written.begin());
    return name + " differs at byte " + std::to_string(at) + ":\n" + written.substr(at, 160) + "\n--- instead of:\n" +
           bytes.substr(at, 160);
  }
  for (const auto& [name, bytes] : actual)
    if (!expected.contains(name)) return name + " written";
  return "";
}

inline void expect_run(const ToolResult& result, int status, const std::string& out, const std::string& err,
                       const Files& files) {
  EXPECT_EQ(result.status, status);
  EXPECT_EQ(result.err, err);
  EXPECT_EQ(result.out, out);
  EXPECT_TRUE(result.files == files) << first_difference(result.files, files);
}

// A run that a fatal error ended while the description was read: the first
// half of the summary, the message and a newline on standard error, and no
// file at all in the fresh directory, neither a header nor a temporary one.
inline void expect_reading_error(const ToolResult& result, const std::string& message) {
  expect_run(result, 1, summary_head, message + "\n", {});
}

}  // namespace pl_config::testing
