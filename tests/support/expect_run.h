#pragma once

// Checks of a whole run, of a built tool or in memory: exit status, both
// standard streams and every file it left behind; of the errors that end the
// reading of a description; of pieces of a text.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "core_run.h"
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

// A real run that a fatal error ended while the description was read: the
// first half of the summary, the message and a newline on standard error,
// and no file at all in the fresh directory, neither a header nor a
// temporary one.
inline void expect_reading_error(const ToolResult& result, const std::string& message) {
  expect_run(result, 1, summary_head, message + "\n", {});
}

// Every piece stands somewhere in `text`.
inline void expect_contains(const std::string& text, const std::vector<std::string>& pieces) {
  for (const std::string& piece : pieces) EXPECT_NE(text.find(piece), std::string::npos) << piece << "\nin:\n" << text;
}

// A description that a fatal error ends, the message and the line it is about.
struct ErrorCase {
  std::string description;
  std::string message;
  int line;
};

// Each description read in memory: the error ends the reading at its line,
// and only the sections whose end line stands ahead of it reached the
// writers.  A check reports it first at that line, after the warnings about
// them.
inline void expect_errors(std::span<const ErrorCase> cases, std::span<const char* const> list = {}) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + " of " + c.description.substr(0, 200));
    const CoreResult result = run_core(c.description, list);
    EXPECT_EQ(result.error, c.message);
    EXPECT_EQ(result.error_at.line, c.line);
    std::size_t ended = 0;
    for (std::size_t start = 0, line = 1; line < static_cast<std::size_t>(c.line) && start < c.description.size();
         ++line, start = std::min(c.description.find('\n', start), c.description.size() - 1) + 1)
      if (c.description.compare(start, 4, "@end") == 0) ++ended;
    EXPECT_EQ(result.sections(), ended);
    const ToolResult check = run_in_process(c.description, list, true);
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(check.err.starts_with(result.warnings + "wam_arch.def:" + std::to_string(c.line) + ":")) << check.err;
  }
}

}  // namespace pl_config::testing
