#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_run.h"
#include "expect_run.h"

namespace pl_config::testing {
namespace {

const std::string arch_block =
    "\n\n   /*--- Begin Stack Generation ---*/\n\n#include \"wam_stacks.h\"\n"
    "\n\n   /*--- End Stack Generation ---*/\n\n";

const std::string stack_line = "@stack s<n> \"d\" 1 T<n>\n";

// Its ordinary lines are copied ahead of the section's block and after it.
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

TEST(StacksHeaderTest, OneStack) {
  const CoreResult result = run_core(one_stack);
  EXPECT_EQ(result.arch_header, "// head\n// inside\n" + arch_block + "// tail\n");
  EXPECT_EQ(result.stack_header,
            "#define NB_OF_STACKS \t\t1\n\n#define Trail_Stack       \t(pl_stk_tbl[0].stack)\n"
            "#define Trail_Size        \t(pl_stk_tbl[0].size)\n"
            "#define Trail_Offset(adr) \t((WamWord *)(adr) - Trail_Stack)\n"
            "#define Trail_Used_Size   \tTrail_Offset(TR)\n\n\n#define Stack_Top(s)       \t(TR)\n\ntypedef struct\n{\n"
            "  char *name;\n  char *desc;\n  char *env_var_name;\n  PlLong *p_def_size;\t/* used for fixed_sizes */\n"
            "  int default_size; \t/* in WamWords */\n  int size;         \t/* in WamWords */\n  WamWord *stack;\n"
            "}InfStack;\n\n\n#ifdef ENGINE_FILE\n\n"
            "    /* these variables can be overwritten by top_comp (see stack size file) */\n"
            "PlLong pl_def_trail_size;\nPlLong pl_fixed_sizes;\n\nInfStack pl_stk_tbl[] =\n{\n"
            " { \"trail\", \"trail stack\", \"TRAILSZ\", &pl_def_trail_size, 2048, 0, NULL }\n};\n\n#else\n\n"
            "extern PlLong pl_def_trail_size;\nextern PlLong pl_fixed_sizes;\n\n\n"
            "extern InfStack pl_stk_tbl[];\n\n#endif\n");
}

TEST(StacksHeaderTest, TextFromTheModel) {
  const struct {
    std::string description;
    std::vector<std::string> pieces;
  } cases[] = {
      // Capitalising takes every letter from a to z.
      {four_stacks,
       {"#define NB_OF_STACKS \t\t4\n\n",
        "#define Scratch_2_Stack       \t(pl_stk_tbl[1].stack)\n#define Scratch_2_Size        \t(pl_stk_tbl[1].size)\n"
        "#define Scratch_2_Offset(adr) \t((WamWord *)(adr) - Scratch_2_Stack)\n"
        "#define Scratch_2_Used_Size   \tScratch_2_Offset(TB)\n\n"
        "#define Cp_Stack       \t(pl_stk_tbl[2].stack)\n",
        "#define Zone_Used_Size   \tZone_Offset(TD)\n\n",
        "#define Stack_Top(s)       \t(((s) == 0) ? TA : ((s) == 1) ? TB : ((s) == 2) ? TC : TD)\n",
        "PlLong pl_def_local_size;\nPlLong pl_def_scratch_2_size;\nPlLong pl_def_cp_size;\n",
        "{\n { \"local\", \"local\", \"LOCALSZ\", &pl_def_local_size, 2048, 0, NULL },\n"
        " { \"scratch_2\", \"scratch\", \"SCRATCH_2SZ\", &pl_def_scratch_2_size, 256, 0, NULL },\n"
        " { \"cp\", \"choice points\", \"CPSZ\", &pl_def_cp_size, 2048, 0, NULL },\n"
        " { \"zone\", \"z\", \"ZONESZ\", &pl_def_zone_size, 128, 0, NULL }\n};\n",
        "extern PlLong pl_def_local_size;\nextern PlLong pl_def_scratch_2_size;\n"
        "extern PlLong pl_def_cp_size;\nextern PlLong pl_def_zone_size;\nextern PlLong pl_fixed_sizes;\n"}},
      // Twelve stacks fill the table, and the next section starts afresh.
      {stacks(repeated(12, stack_line)) + stacks("@stack x \"d\" 0 TX\n"),
       {"#define NB_OF_STACKS \t\t12\n\n", "((s) == 10) ? T10 : T11)\n",
        " { \"s11\", \"d\", \"S11SZ\", &pl_def_s11_size, 128, 0, NULL }\n};\n",
        "#define NB_OF_STACKS \t\t1\n\n#define X_Stack       \t(pl_stk_tbl[0].stack)\n", "\t(TX)\n"}},
      {long_fields,
       {"\t(" + long_top + ")\n", " { \"" + long_name + "\", " + long_description + ", \"" + std::string(31, 'N') +
                                      "SZ\", &pl_def_" + long_name + "_size, 2147483520, 0, NULL }\n};\n"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    const CoreResult result = run_core(c.description);
    expect_contains(result.stack_header, c.pieces);
    // The architecture header's share: the include line.
    EXPECT_EQ(result.arch_header, repeated(static_cast<int>(result.stacks.size()), arch_block));
  }
}

}  // namespace
}  // namespace pl_config::testing
