#include "display_columns.h"

#include <gtest/gtest.h>

namespace pl_config::testing {
namespace {

// The columns a terminal gives: a tab to the next multiple of 8, a wide
// character two, any other character or stray byte one.
TEST(DisplayColumnsTest, ColumnsCountAsATerminalShowsThem) {
  struct Row {
    const char* line;
    int byte_column;
    int display;
  };
  const Row rows[] = {
      {"abc", 3, 3},
      {"\tx", 2, 9},
      {"1234567\tx", 9, 9},
      {"12345678\tx", 10, 17},
      {"a\t\tx", 4, 17},
      {"\xc3\xa9x", 3, 2},      // a two-byte character
      {"\xe6\x97\xa5x", 4, 3},  // a wide one
      {"\xff\xfex", 3, 3},      // bytes of no character
      {"\xe6\x97\xa5x", 2, 2},  // inside a character, a byte a column
      {"ab", 5, 5},             // past the end
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(display_column(row.line, row.byte_column), row.display);
  }
  EXPECT_EQ(display_width("\xe6\x97\xa5\t"), 8);
}

}  // namespace
}  // namespace pl_config::testing
