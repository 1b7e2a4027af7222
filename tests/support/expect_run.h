#pragma once

// Checks of a whole run, of a built tool or in memory: exit status, both
// standard streams and every file it left behind; of the models that a
// description reads into and of the errors that end its reading; of pieces
// of a text.  And the pieces of description the cases are made of.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "core_run.h"
#include "expected.h"
#include "tool_run.h"

namespace pl_config::testing {

// `count` copies of `text`, each "<n>" in a copy replaced by the copy's
// number from 0.
inline std::string repeated(int count, const std::string& text) {
  std::string all;
  for (int n = 0; n < count; ++n) {
    std::string copy = text;
    for (std::size_t at; (at = copy.find("<n>")) != std::string::npos;) copy.replace(at, 3, std::to_string(n));
    all += copy;
  }
  return all;
}

// The lines of `text`, without their newlines.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline std::string regs(const std::string& lines) { return "@begin regs\n" + lines + "@end\n"; }
inline std::string tags(const std::string& lines) { return "@begin tags\n" + lines + "@end\n"; }
inline std::string stacks(const std::string& lines) { return "@begin stacks\n" + lines + "@end\n"; }

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

// A description that reads without an error, each of its sections described
// (describe()), and what the machine register table holds after it when the
// list is `list`.
struct ReadCase {
  std::string description;
  std::vector<std::string> sections;
  std::span<const char* const> list = {};
  std::string machine_registers = "";
};

inline void expect_read(std::span<const ReadCase> cases) {
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.description);
    const CoreResult result = run_core(c.description, c.list);
    EXPECT_EQ(result.error, std::nullopt);
    EXPECT_EQ(describe(result), c.sections);
    EXPECT_EQ(describe(result.machine_registers), c.machine_registers);
  }
}

// A description that a fatal error ends at line `line` when the list is
// `list`: `bad` between `ahead` and `after`, and the syntax error `words`,
// whose message quotes `bad`.  An error that quotes no line has no `bad`, and
// `words` is its whole message.
struct ErrorCase {
  std::string ahead;
  std::string bad;
  std::string words;
  int line;
  std::string after = "";
  std::span<const char* const> list = {};
};

// Each description read in memory: the error ends the reading at its line,
// and only the sections whose end line stands ahead of it reached the
// writers.  A check reports its first error at that line, after the
// warnings about them.
inline void expect_errors(std::span<const ErrorCase> cases) {
  for (const ErrorCase& c : cases) {
    const std::string description = c.ahead + c.bad + c.after;
    SCOPED_TRACE("line " + std::to_string(c.line) + " of " + description.substr(0, 200));
    const CoreResult result = run_core(description, c.list);
    EXPECT_EQ(result.error, c.bad.empty() ? c.words : "Syntax error: " + c.words + " in: " + c.bad);
    EXPECT_EQ(result.error_at.line, c.line);
    std::size_t ended = 0;
    for (std::size_t start = 0, line = 1; line < static_cast<std::size_t>(c.line) && start < description.size();
         ++line, start = std::min(description.find('\n', start), description.size() - 1) + 1)
      if (description.compare(start, 4, "@end") == 0) ++ended;
    EXPECT_EQ(describe(result).size(), ended);
    const ToolResult check = run_in_process(description, c.list, {.check = true});
    EXPECT_EQ(check.status, 1);
    // The warnings of the failing section's lines that could be read come too.
    EXPECT_TRUE(check.err.starts_with(result.warnings)) << check.err;
    const std::size_t first_error = check.err.find(": error: ");
    ASSERT_NE(first_error, std::string::npos) << check.err;
    const std::size_t start = check.err.rfind('\n', first_error) + 1;  // npos + 1: the start
    EXPECT_TRUE(check.err.substr(start).starts_with("wam_arch.def:" + std::to_string(c.line) + ":")) << check.err;
  }
}

}  // namespace pl_config::testing
