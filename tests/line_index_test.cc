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

}  // namespace
}  // namespace pl_config::testing
