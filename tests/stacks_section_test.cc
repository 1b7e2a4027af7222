#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "core_run.h"
#include "expect_run.h"
#include "expected.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

const std::string arch_begin = "\n\n   /*--- Begin Stack Generation ---*/\n\n#include \"wam_stacks.h\"\n";
const std::string arch_end = "\n\n   /*--- End Stack Generation ---*/\n\n";

std::string section(const std::string& lines) { return "@begin stacks\n" + lines + "@end\n"; }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StacksSectionTest, OneStackEndToEnd) {
  const ToolResult result = run_tool(default_tool,
                                     "// head\n"
                                     "@begin stacks\n"
                                     "\n"
                                     "// inside\n"
                                     "@\tstack trail \"trail stack\" 1_6 TR ignored text\n"
                                     "@end ignored\n"
                                     "// tail\n");
  const std::string stack_header =
      stack_header_head +
      "#define NB_OF_STACKS \t\t1\n\n"
      "#define Trail_Stack       \t(pl_stk_tbl[0].stack)\n"
      "#define Trail_Size        \t(pl_stk_tbl[0].size)\n"
      "#define Trail_Offset(adr) \t((WamWord *)(adr) - Trail_Stack)\n"
      "#define Trail_Used_Size   \tTrail_Offset(TR)\n\n"
      "\n#define Stack_Top(s)       \t(TR)\n"
      "\ntypedef struct\n{\n  char *name;\n  char *desc;\n  char *env_var_name;\n"
      "  PlLong *p_def_size;\t/* used for fixed_sizes */\n"
      "  int default_size; \t/* in WamWords */\n"
      "  int size;         \t/* in WamWords */\n"
      "  WamWord *stack;\n}InfStack;\n\n\n"
      "#ifdef ENGINE_FILE\n\n"
      "    /* these variables can be overwritten by top_comp (see stack size file) */\n"
      "PlLong pl_def_trail_size;\n"
      "PlLong pl_fixed_sizes;\n\n"
      "InfStack pl_stk_tbl[] =\n{\n"
      " { \"trail\", \"trail stack\", \"TRAILSZ\", &pl_def_trail_size, 2048, 0, NULL }\n};\n"
      "\n#else\n\n"
      "extern PlLong pl_def_trail_size;\n"
      "extern PlLong pl_fixed_sizes;\n\n\n"
      "extern InfStack pl_stk_tbl[];\n"
      "\n#endif\n";
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, summary());
  const std::map<std::string, std::string> files = {
      {"wam_arch.h", "// head\n// inside\n" + arch_begin + arch_end + "// tail\n"},
      {"wam_regs.h", register_map_head + register_usage()},
      {"wam_stacks.h", stack_header},
      {"th_public_config.h", version_macros},
  };
  EXPECT_EQ(result.files, files);
}

TEST(StacksSectionTest, NameFormsSizesAndTopChain) {
  // The character after a closing quote is dropped: "scratch"32 has the size 2.
  // Capitalising takes every letter from a to z.
  const CoreResult result = run_core(section(
      "@stack local \"local\" 16 TA\n"
      "@stack scratch_2 \"scratch\"32 TB\n"
      "@stack cp \"choice points\" 1_6 TC\n"
      "@stack zone \"z\" 1 TD\n"));
  ASSERT_EQ(result.error, std::nullopt);
  const std::string& sh = result.stack_header;
  EXPECT_TRUE(contains(sh, "#define NB_OF_STACKS \t\t4\n\n"));
  EXPECT_TRUE(contains(sh,
                       "#define Scratch_2_Stack       \t(pl_stk_tbl[1].stack)\n"
                       "#define Scratch_2_Size        \t(pl_stk_tbl[1].size)\n"
                       "#define Scratch_2_Offset(adr) \t((WamWord *)(adr) - Scratch_2_Stack)\n"
                       "#define Scratch_2_Used_Size   \tScratch_2_Offset(TB)\n\n"
                       "#define Cp_Stack       \t(pl_stk_tbl[2].stack)\n"));
  EXPECT_TRUE(contains(sh, "#define Zone_Used_Size   \tZone_Offset(TD)\n\n"));
  EXPECT_TRUE(contains(sh, "#define Stack_Top(s)       \t(((s) == 0) ? TA : ((s) == 1) ? TB : ((s) == 2) ? TC : TD)\n"));
  EXPECT_TRUE(contains(sh, "PlLong pl_def_local_size;\nPlLong pl_def_scratch_2_size;\nPlLong pl_def_cp_size;\n"));
  EXPECT_TRUE(contains(sh,
                       "{\n { \"local\", \"local\", \"LOCALSZ\", &pl_def_local_size, 2048, 0, NULL },\n"
                       " { \"scratch_2\", \"scratch\", \"SCRATCH_2SZ\", &pl_def_scratch_2_size, 256, 0, NULL },\n"
                       " { \"cp\", \"choice points\", \"CPSZ\", &pl_def_cp_size, 2048, 0, NULL },\n"
                       " { \"zone\", \"z\", \"ZONESZ\", &pl_def_zone_size, 128, 0, NULL }\n};\n"));
  EXPECT_TRUE(contains(sh,
                       "extern PlLong pl_def_local_size;\nextern PlLong pl_def_scratch_2_size;\n"
                       "extern PlLong pl_def_cp_size;\nextern PlLong pl_def_zone_size;\nextern PlLong pl_fixed_sizes;\n"));
  EXPECT_EQ(result.arch_header, arch_begin + arch_end);
}

std::string stack_lines(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    lines += "@stack s" + n + " \"d\" 1 T" + n + "\n";
  }
  return lines;
}

TEST(StacksSectionTest, TwelveStacksFillTheTableAndEachSectionStartsAfresh) {
  const CoreResult result = run_core(section(stack_lines(12)) + section("@stack x \"d\" 0 TX\n"));
  ASSERT_EQ(result.error, std::nullopt);
  const std::string& sh = result.stack_header;
  EXPECT_TRUE(contains(sh, "#define NB_OF_STACKS \t\t12\n\n"));
  EXPECT_TRUE(contains(sh, "((s) == 10) ? T10 : T11)\n"));
  EXPECT_TRUE(contains(sh, " { \"s11\", \"d\", \"S11SZ\", &pl_def_s11_size, 128, 0, NULL }\n};\n"));
  EXPECT_TRUE(contains(sh, "#define NB_OF_STACKS \t\t1\n\n#define X_Stack       \t(pl_stk_tbl[0].stack)\n"));
  EXPECT_TRUE(contains(sh, "\t(TX)\n"));
  EXPECT_EQ(result.arch_header, arch_begin + arch_end + arch_begin + arch_end);
}

TEST(StacksSectionTest, FieldsAtTheirLimitsAreKept) {
  const std::string name(31, 'n'), description = '"' + std::string(61, 'd') + '"', top(127, 'T');
  const CoreResult result = run_core(section("@stack " + name + " " + description + " 16_777_215 " + top + "\n"));
  ASSERT_EQ(result.error, std::nullopt);
  EXPECT_TRUE(contains(result.stack_header, "\t(" + top + ")\n"));
  EXPECT_TRUE(contains(result.stack_header, " { \"" + name + "\", " + description + ", \"" +
                                                std::string(31, 'N') + "SZ\", &pl_def_" + name +
                                                "_size, 2147483520, 0, NULL }\n};\n"));
}

struct ErrorCase {
  std::string lines;  // after the section opening line
  std::string error;
};

TEST(StacksSectionTest, ErrorsLeaveTheStackHeaderUntouched) {
  const ErrorCase cases[] = {
      {"@stack a \"d\" 1 T\n", "Syntax error: end expected for @begin stack"},
      {"// kept\n@ \t\n", "Syntax error: identifier expected in: @ \t\n"},
      {"@stack a \"d\" 1 T\n@end", "Syntax error: space expected after identifier in: @end"},
      {"@END\n", "Syntax error: incorrect @ declaration in: @END\n"},
      {"@stacks a \"d\" 1 T\n", "Syntax error: incorrect @ declaration in: @stacks a \"d\" 1 T\n"},
      {"@stack a d 1 T\n", "Syntax error: string expected in: @stack a d 1 T\n"},
      {"@stack a \"d\"\n", "Syntax error: integer expected in: @stack a \"d\"\n"},
      {"// kept\n@end\n", "Syntax error: no stack declared in: @end\n"},
      {"@stack a \"d 1 T\n", "Syntax error: string expected in: @stack a \"d 1 T\n"},
      {"@stack a \"d\" 1 T;\n", "Syntax error: space expected after identifier in: @stack a \"d\" 1 T;\n"},
      {stack_lines(13), "Syntax error: too many stacks in: @stack s12 \"d\" 1 T12\n"},
      // The line's syntax is checked before the table's room.
      {stack_lines(12) + "@stack s12 \"d\" x T\n", "Syntax error: integer expected in: @stack s12 \"d\" x T\n"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.lines);
    expect_reading_error(run_tool(default_tool, "@begin stacks\n" + c.lines), c.error);
  }
  // The opening line ends the file: the section is at its end from the start.
  expect_reading_error(run_tool(default_tool, "// kept\n@begin stacks "), "Syntax error: end expected for @begin stack");
}

TEST(StacksSectionTest, FieldsBeyondTheirLimitsAreRejected) {
  const std::string name(32, 'n'), description = '"' + std::string(62, 'd') + '"', top(128, 'T');
  const ErrorCase cases[] = {
      {"@stack " + name + " \"d\" 1 T\n", "name too long"},
      {"@stack a " + description + " 1 T\n", "description too long"},
      {"@stack a \"d\" 16777216 T\n", "stack size too large"},
      {"@stack a \"d\" 1 " + top + "\n", "top expression too long"},
      // The first field over its limit is named.
      {"@stack " + name + " " + description + " 1 T\n", "name too long"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.lines);
    expect_reading_error(run_tool(default_tool, "@begin stacks\n" + c.lines + "@end\n"),
                         "Syntax error: " + c.error + " in: " + c.lines);
  }
}

}  // namespace
}  // namespace pl_config::testing
