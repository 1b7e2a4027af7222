#include "description_fixes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core_run.h"
#include "description_check.h"
#include "memory_directory.h"
#include "memory_output.h"
#include "text_cases.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

std::size_t offset_of(const std::string& text, const Location& at) {
  std::size_t offset = 0;
  for (int line = 1; line < at.line; ++line) offset = text.find('\n', offset) + 1;
  return offset + static_cast<std::size_t>(at.column - 1);
}

// Each fix of each diagnostic of a check, as its title and the text with it
// made; and how many diagnostics of each message the check gave.
class Fixes : public DiagnosticConsumer, public FixConsumer {
 public:
  explicit Fixes(const std::string& text) : text_(text) {}

  void take(const Diagnostic& diagnostic) override {
    ++count_[static_cast<std::size_t>(diagnostic.id)];
    last_id_ = diagnostic.id;
    find_fixes(diagnostic, text_, *this);
  }
  void fix(std::string_view title, std::span<const TextEdit> edits) override {
    std::string fixed = text_;
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
      fixed.replace(offset_of(fixed, edit->at), static_cast<std::size_t>(edit->at.length), edit->text);
    made.emplace_back(title, fixed);
    ids.push_back(last_id_);
  }

  std::vector<std::pair<std::string, std::string>> made;
  std::vector<Message> ids;  // of the diagnostic each fix is for
  int count(Message id) const { return count_[static_cast<std::size_t>(id)]; }

 private:
  std::string text_;
  Message last_id_{};
  std::vector<int> count_ = std::vector<int>(message_count);
};

void check(Fixes& fixes, const std::string& text) {
  const MemoryDirectory files(text);
  MemoryOutput out;
  Diagnostics diagnostics(out.out(), files, {.keep_going = true});
  const ConsumerScope consuming(diagnostics, fixes);
  check_description(default_build_config({}), files, out.out(), diagnostics);
}

// The cases of golden/fixes.txt; a fix made, the check gives one diagnostic
// of that message fewer.
TEST(FixesTest, WhatEachDiagnosticOffers) {
  CaseFile file(fs::path(PL_CONFIG_GOLDEN_DIR) / "fixes.txt");
  for (const TextCase& c : file.cases()) {
    SCOPED_TRACE(c.title);
    Fixes fixes(c.parts[0]);
    check(fixes, c.parts[0]);
    // The fixes' titles are written by hand; the text each makes can be updated.
    ASSERT_EQ(fixes.made.size() + 1, c.parts.size());
    for (std::size_t i = 0; i < fixes.made.size(); ++i) {
      EXPECT_EQ(fixes.made[i].first, c.names[i + 1]);
      file.expect(c, i + 1, fixes.made[i].second);
    }
    for (std::size_t i = 0; i < fixes.made.size(); ++i) {
      Fixes after(fixes.made[i].second);
      check(after, fixes.made[i].second);
      EXPECT_LT(after.count(fixes.ids[i]), fixes.count(fixes.ids[i])) << fixes.made[i].first;
    }
  }
}

}  // namespace
}  // namespace pl_config::testing
