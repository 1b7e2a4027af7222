#include "layout_warnings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "core_run.h"
#include "expect_run.h"
#include "messages.h"
#include "text_cases.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

// The first lines of what a check of `description` warns: each warning's
// and note's locus and text (the line and caret below them are the located
// errors' own test).
std::string warnings_of(const std::string& description, std::uint64_t disabled = 0) {
  const ToolResult check = run_in_process(description, {}, {.check = true, .disabled = disabled});
  EXPECT_EQ(check.status, 0);
  std::istringstream err(check.err);
  std::string first_lines;
  for (std::string line; std::getline(err, line);)
    if (line.starts_with("wam_arch.def:")) first_lines += line.substr(13) + "\n";
  return first_lines;
}

// The cases of golden/warnings.txt: a description accepted but wrong, and
// what a check warns about it.
TEST(LayoutWarningsTest, WhatIsAcceptedButWrong) {
  CaseFile file(fs::path(PL_CONFIG_GOLDEN_DIR) / "warnings.txt");
  for (const TextCase& c : file.cases()) {
    SCOPED_TRACE(c.title);
    ASSERT_EQ(c.parts.size(), 2u);
    file.expect(c, 1, warnings_of(c.parts[0]));
  }
}

// The C lines of every description in the repository that stand in a
// section start with no word that a directive line of it would.
TEST(LayoutWarningsTest, NoLineOfTheRepositoryLooksLikeADirectiveWithoutItsAt) {
  for (const char* folder : {"examples", "tests"})
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fs::path(PL_CONFIG_SOURCE_DIR) / folder)) {
      if (entry.path().extension() != ".def") continue;
      SCOPED_TRACE(entry.path().string());
      const ToolResult check = run_in_process(read_file(entry.path()), {}, {.check = true});
      EXPECT_EQ(check.err.find("[missing-at]"), std::string::npos) << check.err;
    }
}

// --no-warn turns a warning off, and the note that would follow it.
TEST(LayoutWarningsTest, TurnedOffByName) {
  const std::string description = regs("@reg 1 WamWord int\n@reg 0 WamWord int\n");
  const std::uint64_t keyword = std::uint64_t{1} << Diagnostics::warning_bit(Message::keyword_name);
  const std::uint64_t duplicate = std::uint64_t{1} << Diagnostics::warning_bit(Message::duplicate_name);
  EXPECT_EQ(warnings_of(description, keyword),
            "3:16: warning: int is already declared as a register on line 2 [duplicate-name]\n"
            "2:16: note: first declared here\n");
  EXPECT_EQ(warnings_of(description, keyword | duplicate), "");
}

}  // namespace
}  // namespace pl_config::testing
