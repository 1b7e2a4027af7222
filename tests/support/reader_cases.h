#pragma once

// What the tests of the description reader make their cases of: repeated
// lines, the syntax error that a line draws, the models that a description
// reads into.

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core_run.h"
#include "expect_run.h"

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

// `line`, between `ahead` and `after`, ends the reading at line `at` with
// the syntax error `words`; the message quotes the line.
inline ErrorCase syntax_error(const std::string& ahead, const std::string& line, const std::string& words, int at,
                              const std::string& after = "") {
  return {ahead + line + after, "Syntax error: " + words + " in: " + line, at};
}

// A description that reads without an error, each of its sections described
// (describe()) in the order read, and what the machine register table holds
// after it when the list is `list`.
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
    // The tests read one kind of section at a time, so the order across
    // kinds is never at stake.
    std::vector<std::string> sections = describe(result.regs);
    for (const std::vector<std::string>& more : {describe(result.tags), describe(result.stacks)})
      sections.insert(sections.end(), more.begin(), more.end());
    EXPECT_EQ(sections, c.sections);
    EXPECT_EQ(describe(result.machine_registers), c.machine_registers);
  }
}

}  // namespace pl_config::testing
