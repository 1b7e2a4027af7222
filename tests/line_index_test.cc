#include "line_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pl_config::testing {
namespace {

// A line's start is the byte after a newline, whatever came before: each
// edit's index must be the one a new pass over the edited text finds.
TEST(LineIndexTest, AnEditLeavesTheStartsThatAWholePassFinds) {
  struct Edit {
    const char* text;
    std::size_t from, to;
    const char* inserted;
  };
  const Edit edits[] = {
      {"", 0, 0, "a\nb\n"},   {"a\nb\nc", 1, 1, "\n\n"},    {"a\nb\nc", 1, 4, ""},
      {"a\nb\nc", 0, 5, "x"}, {"a\r\nb\r\n", 3, 3, "\r\n"}, {"ab\ncd\nef\n", 2, 7, "1\n2\n3\n4"},
      {"\n\n\n", 1, 2, "y"},  {"abc", 3, 3, "\n"},          {"a\nb", 2, 3, "\n\n\n"},
  };
  for (const Edit& edit : edits) {
    std::string text = edit.text;
    std::vector<LineIndex::Offset> storage(64), fresh_storage(64);
    LineIndex lines(storage), fresh(fresh_storage);
    ASSERT_TRUE(lines.build(text));
    text.replace(edit.from, edit.to - edit.from, edit.inserted);
    ASSERT_TRUE(lines.replace(edit.from, edit.to, edit.inserted));
    ASSERT_TRUE(fresh.build(text));
    SCOPED_TRACE(text);
    ASSERT_EQ(lines.count(), fresh.count());
    for (std::size_t line = 0; line < fresh.count(); ++line) {
      EXPECT_EQ(lines.start(line), fresh.start(line));
      EXPECT_EQ(lines.line(text, line).find_first_of("\r\n"), std::string_view::npos);
      EXPECT_EQ(lines.line_of(fresh.start(line)), line);
    }
  }
}

// One carriage-return rule: only the one just before a newline, or before
// the text's end, is no part of the line.
TEST(LineIndexTest, NextLineEndsAtTheNewlineWithoutTheCarriageReturnBeforeIt) {
  struct Row {
    const char* text;
    std::size_t start;
    const char* line;
    std::size_t next;
  };
  const Row rows[] = {
      {"a\r\nb", 0, "a", 3}, {"a\r\nb", 3, "b", 5}, {"a\rb\n", 0, "a\rb", 4},
      {"\r", 0, "", 2},      {"ab\n", 3, "", 4},    {"a\n\r\r\n", 2, "\r", 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::size_t start = row.start;
    EXPECT_EQ(next_line(row.text, start), row.line);
    EXPECT_EQ(start, row.next);
  }
}

}  // namespace
}  // namespace pl_config::testing
