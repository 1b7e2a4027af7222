#include <gtest/gtest.h>

#include <string>

#include "core_run.h"
#include "expect_run.h"

namespace pl_config::testing {
namespace {

const std::string stack_line = "@stack s<n> \"d\" 1 T<n>\n";

// Its headers, and those of the two below: the case folders stacks-*.
const std::string one_stack =
    "// head\n@begin stacks\n\n// inside\n@\tstack trail \"trail stack\" 1_6 TR ignored text\n@end ignored\n// tail\n";

// The fields at their limits: a name of 31 characters, a description of 63
// with its quotes, the largest size and a top expression of 127.
const std::string long_name(31, 'n'), long_description = '"' + std::string(61, 'd') + '"', long_top(127, 'T');
const std::string long_fields =
    stacks("@stack " + long_name + " " + long_description + " 16_777_215 " + long_top + "\n");

// The character after a closing quote is dropped: "scratch"32 has the size 2.
const std::string four_stacks = stacks(
    "@stack local \"local\" 16 TA\n@stack scratch_2 \"scratch\"32 TB\n@stack cp \"choice points\" 1_6 TC\n"
    "@stack zone \"z\" 1 TD\n");

TEST(StacksReaderTest, ReadsEveryStack) {
  const ReadCase cases[] = {
      {one_stack, {"2:8 | trail \"trail stack\" 2048 TR 5:9 5:15 5:29 5:33"}},
      {four_stacks,
       {"1:8 | local \"local\" 2048 TA 2:8 2:14 2:22 2:25 | scratch_2 \"scratch\" 256 TB 3:8 3:18 3:28 3:30"
        " | cp \"choice points\" 2048 TC 4:8 4:11 4:27 4:31 | zone \"z\" 128 TD 5:8 5:13 5:17 5:19"}},
      {long_fields,
       {"1:8 | " + long_name + " " + long_description + " 2147483520 " + long_top + " 2:8 2:40 2:104 2:115"}},
  };
  expect_read(cases);
}

TEST(StacksReaderTest, ErrorsInTheOrderOfTheChecks) {
  const std::string name(32, 'n'), description = '"' + std::string(62, 'd') + '"', top(128, 'T');
  const std::string head = "@begin stacks\n", unended = "Syntax error: end expected for @begin stack";
  const ErrorCase cases[] = {
      {head + "@stack a \"d\" 1 T\n", "", unended, 1},
      // The opening line ends the file: the section is at its end from the start.
      {"// kept\n@begin stacks ", "", unended, 2},
      {"a\nb\n" + head + "@stack a \"d\" 1 T\nc\n", "", unended, 3},
      {head + "// kept\n", "@ \t\n", "identifier expected", 3},
      {head + "@stack a \"d\" 1 T\n", "@end", "space expected after identifier", 3},
      {head, "@END\n", "incorrect @ declaration", 2},
      {head, "@stacks a \"d\" 1 T\n", "incorrect @ declaration", 2},
      {head, "@stack a d 1 T\n", "string expected", 2},
      {head, "@stack a \"d 1 T\n", "string expected", 2},
      {head, "@stack a \"d\"\n", "integer expected", 2},
      {head + "// c\n", "@stack a \"d\" x T\n", "integer expected", 3, "@end\n"},
      {head, "@stack a \"d\" 1 T;\n", "space expected after identifier", 2},
      {head + "// kept\n", "@end\n", "no stack declared", 3},
      // The limits, each checked after the line's syntax; the first field
      // over its limit is named.
      {head + repeated(12, stack_line), "@stack s12 \"d\" 1 T12\n", "too many stacks", 14},
      {head + repeated(12, stack_line), "@stack s12 \"d\" x T\n", "integer expected", 14},
      {head, "@stack " + name + " \"d\" 1 T\n", "name too long", 2, "@end\n"},
      {head, "@stack a " + description + " 1 T\n", "description too long", 2, "@end\n"},
      {head, "@stack a \"d\" 16777216 T\n", "stack size too large", 2, "@end\n"},
      {head, "@stack a \"d\" 1 " + top + "\n", "top expression too long", 2, "@end\n"},
      {head, "@stack " + name + " " + description + " 1 T\n", "name too long", 2, "@end\n"},
  };
  expect_errors(cases);
}

}  // namespace
}  // namespace pl_config::testing
