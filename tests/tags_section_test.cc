#include <gtest/gtest.h>

#include <string>

#include "core_run.h"
#include "expect_run.h"

namespace pl_config::testing {
namespace {

// Its headers, and those of other layouts: the case folders tags-*.
const std::string split_example =
    "/* lead */\n@begin tags\n@tag T0 address 0\n\n  copied ahead of the block\n"  // lines 1 to 5
    "@ tag T1 address 3 text after the value\n@tag\tT2 short_uns 2\n@tag T3 short_uns 9\n@tag T4 long_int 1_5\n"
    "@tag T5 long_int 5\n@end of tags\n/* tail */\n";

TEST(TagsReaderTest, ReadsEveryTagAndTheWordLayout) {
  const ReadCase cases[] = {
      {split_example,
       {"2:8 tag size 4 | T0 address 0 3:6 3:9 3:17 | T1 address 3 6:7 6:10 6:18 | T2 short_uns 2 7:6 7:9 7:19"
        " | T3 short_uns 9 8:6 8:9 8:19 | T4 long_int 15 9:6 9:9 9:18 | T5 long_int 5 10:6 10:9 10:18"}},
      {tags(""), {"1:8 tag size 0"}},
      // Values may repeat as long as there are as many values as tags.
      {tags("@tag A long_int 0\n@tag B long_int 0\n@tag C long_int 5\n"),
       {"1:8 tag size 3 | A long_int 0 2:6 2:8 2:17 | B long_int 0 3:6 3:8 3:17 | C long_int 5 4:6 4:8 4:17"}},
  };
  expect_read(cases);
}

TEST(TagsReaderTest, ErrorsInTheOrderOfTheChecks) {
  const std::string head = "lead\n@begin tags\ninside\n";
  const std::string long_name(32, 'N');
  const std::string repetition = "There is an invalid tag value (repetition ?)\n";
  const ErrorCase cases[] = {
      {head, "@tag 1 long_int 1\n", "identifier expected", 4},
      {head, "@tag A; long_int 1\n", "space expected after identifier", 4},
      {head, "@tag A long_int 1x\n", "space expected after identifier", 4},
      {head, "@tags\n", "incorrect @ declaration", 4},
      {head, "@tag A Long_int x\n", "wrong tag type", 4},
      {"x\n@begin tags\n@tag A long_int 9\n\n", "@tag B Long_int 8\n", "wrong tag type", 5, "@end\n"},
      {head, "@tag A long_int -1\n", "integer expected", 4},
      // The limits, each checked after the line's syntax.
      {head, "@tag " + long_name + " long_int 1\n", "name too long", 4},
      {head, "@tag " + long_name + " long_int x\n", "integer expected", 4},
      {head, "@tag A long_int 1073741824\n", "tag value too large", 4},
      {head + repeated(128, "@tag X<n> long_int <n>\n"), "@tag Last long_int 1\n", "too many tags", 132},
      {head + "@tag A long_int 1\n", "@end", "space expected after identifier", 5},
      {"@begin tags\n@tag A long_int 1\n", "", "Syntax error: end expected for @begin tag", 1},
      // Found at the end line, after the whole section.
      {"/* lead */\n@begin tags\n@tag A long_int 0\n@tag B address 0\n@end\n", "", repetition, 5},
      {tags("@tag A long_int 0\n@tag B address 0\n"), "", repetition, 4},
  };
  expect_errors(cases);
  // The header writer is told: its begin banner stands where the section did.
  EXPECT_EQ(run_core(tags("@tag A long_int 0\n@tag B address 0\n")).arch_header,
            "\n\n   /*--- Begin Tag Generation ---*/\n\n");
}

}  // namespace
}  // namespace pl_config::testing
