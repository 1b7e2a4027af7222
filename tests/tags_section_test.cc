#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core_run.h"
#include "expect_run.h"

namespace pl_config::testing {
namespace {

const std::string begin_banner = "\n\n   /*--- Begin Tag Generation ---*/\n\n";

// Its ordinary lines are copied ahead of the section's block and after it.
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
  EXPECT_EQ(run_core(tags("@tag A long_int 0\n@tag B address 0\n")).arch_header, begin_banner);
}

TEST(TagsHeaderTest, SplitLayoutExample) {
  const std::string tags_block =
      begin_banner +
      "#define TAG_SIZE     \t\t4\n#define TAG_SIZE_LOW \t\t3\n#define TAG_SIZE_HIGH\t\t1\n"
      "#define VALUE_SIZE   \t\t60\n#define TAG_MASK     \t\t(PlULong)0x8000000000000007\n"
      "#define VALUE_MASK   \t\t(PlULong)0x7ffffffffffffff8\n#define Tag_Mask_Of(w)\t\t((PlLong) (w) & (TAG_MASK))\n"
      "#define Tag_From_Tag_Mask(w) \t(((PlULong) (w) >> 60) | ((w) & 7))\n"
      "#define Tag_Of(w)     \t\t((((PlULong) (w) >> 63) << 3) | ((w) & 7))\n#define TAG_T0_MASK\t\t(PlULong)0\n"
      "#define TAG_T1_MASK\t\t(PlULong)0x3\n#define TAG_T2_MASK\t\t(PlULong)0x2\n"
      "#define TAG_T3_MASK\t\t(PlULong)0x8000000000000001\n#define TAG_T4_MASK\t\t(PlULong)0x8000000000000007\n"
      "#define TAG_T5_MASK\t\t(PlULong)0x5\n\n#define NB_OF_TAGS       \t6\n#define T0         \t\t0 \n"
      "#define T1         \t\t3 \n#define T2         \t\t2 \n#define T3         \t\t9 \n#define T4         \t\t15\n"
      "#define T5         \t\t5 \n\n\t/* General Tag/UnTag macros */\n\n"
      "#define Tag_Long_Int(tm, v)  \t((((PlLong) ((v) << 4)) >> 1) | (tm))\n"
      "#define Tag_Short_Uns(tm, v)\t(((PlLong) (v) << 3) + (tm))\n"
      "#define Tag_Address(tm, v)  \t((PlLong) (v) + (tm))\n\n"
      "#define UnTag_Long_Int(w)    \t((PlLong) ((w) << 1) >> 4)\n#define UnTag_Short_Uns(w)\tUnTag_Long_Int(w)\n"
      "#define UnTag_Address(w)  \t((WamWord *) ((w) & VALUE_MASK))\n\n\n\t/* Specialized Tag/UnTag macros */\n\n\n"
      "#define Tag_T0(v)  \t\tTag_Address(TAG_T0_MASK, v)\n#define Tag_T1(v)  \t\tTag_Address(TAG_T1_MASK, v)\n"
      "#define Tag_T2(v)  \t\tTag_Short_Uns(TAG_T2_MASK, v)\n#define Tag_T3(v)  \t\tTag_Short_Uns(TAG_T3_MASK, v)\n"
      "#define Tag_T4(v)  \t\t(((PlULong) (v) << 3) | TAG_MASK)\n#define Tag_T5(v)  \t\tTag_Long_Int(TAG_T5_MASK, v)\n"
      "\n#define UnTag_T0(w)  \t\t((WamWord *) (w))\n#define UnTag_T1(w)  \t\tUnTag_Address(w)\n"
      "#define UnTag_T2(w)  \t\t((PlULong) (w) >> 3)\n#define UnTag_T3(w)  \t\tUnTag_Short_Uns(w)\n"
      "#define UnTag_T4(w)  \t\tUnTag_Long_Int(w)\n#define UnTag_T5(w)  \t\tUnTag_Long_Int(w)\n\n"
      "#define Tag_Is_T0(w)  \t\t(Tag_Mask_Of(w) == TAG_T0_MASK)\n"
      "#define Tag_Is_T1(w)  \t\t(Tag_Mask_Of(w) == TAG_T1_MASK)\n"
      "#define Tag_Is_T2(w)  \t\t(Tag_Mask_Of(w) == TAG_T2_MASK)\n"
      "#define Tag_Is_T3(w)  \t\t(Tag_Mask_Of(w) == TAG_T3_MASK)\n"
      "#define Tag_Is_T4(w)  \t\t(Tag_Mask_Of(w) == TAG_T4_MASK)\n"
      "#define Tag_Is_T5(w)  \t\t(Tag_Mask_Of(w) == TAG_T5_MASK)\n\ntypedef enum\n{\n  LONG_INT,\n  SHORT_UNS,\n"
      "  ADDRESS\n}TypTag;\n\ntypedef struct\n{\n  char *name;\n  TypTag type;\n  int value;\n  PlLong tag_mask;\n"
      "}InfTag;\n\n\n#ifdef ENGINE_FILE\n\nInfTag pl_tag_tbl[] =\n{\n  { \"T0\", ADDRESS, 0, 0},\n"
      "  { \"T1\", ADDRESS, 3, 0x3},\n  { \"T2\", SHORT_UNS, 2, 0x2},\n  { \"T3\", SHORT_UNS, 9, 0x8000000000000001},\n"
      "  { \"T4\", LONG_INT, 15, 0x8000000000000007},\n  { \"T5\", LONG_INT, 5, 0x5}\n};\n\n#else\n\n"
      "extern InfTag pl_tag_tbl[];\n\n#endif\n"
      "\n\n   /*--- End Tag Generation ---*/\n\n";
  const std::string public_values =
      "#define PL_MIN_INTEGER\t\t-576460752303423488\n#define PL_MAX_INTEGER\t\t576460752303423487\n\n"
      "#define PL_T0         \t\t0 \n#define PL_T1         \t\t3 \n#define PL_T2         \t\t2 \n"
      "#define PL_T3         \t\t9 \n#define PL_T4         \t\t15\n#define PL_T5         \t\t5 \n";
  const CoreResult result = run_core(split_example);
  EXPECT_EQ(result.arch_header, "/* lead */\n  copied ahead of the block\n" + tags_block + "/* tail */\n");
  EXPECT_EQ(result.public_config, public_values);
}

TEST(TagsHeaderTest, TextFromTheModel) {
  const struct {
    std::string lines;
    std::vector<std::string> arch;
    std::optional<std::string> public_config = std::nullopt;  // all of it
  } cases[] = {
      // The mixed-case names show up unchanged in every generated name.
      {"@tag Zero long_int 0\n@tag One long_int 1\n@tag Two address 2\n@tag Five short_uns 5\n",
       {begin_banner + "#define TAG_SIZE     \t\t3\n#define TAG_SIZE_LOW \t\t3\n#define TAG_SIZE_HIGH\t\t0\n"
                       "#define VALUE_SIZE   \t\t61\n#define TAG_MASK     \t\t(PlULong)0x7\n"
                       "#define VALUE_MASK   \t\t(PlULong)0xfffffffffffffff8\n"
                       "#define Tag_Mask_Of(w)\t\t((PlLong) (w) & (TAG_MASK))\n#define Tag_From_Tag_Mask(w) \t(w)\n"
                       "#define Tag_Of(w)     \t\tTag_Mask_Of(w)\n#define TAG_Zero_MASK\t\t(PlULong)0\n"
                       "#define TAG_One_MASK\t\t(PlULong)0x1\n"
                       "#define TAG_Two_MASK\t\t(PlULong)0x2\n#define TAG_Five_MASK\t\t(PlULong)0x5\n",
        "#define Tag_Long_Int(tm, v)  \t((((PlLong) ((v) << 3)) >> 0) | (tm))\n",
        "#define UnTag_Long_Int(w)    \t((PlLong) ((w) << 0) >> 3)\n",
        "#define Tag_Zero(v)  \t\t(((PlULong) (v) << 3) & VALUE_MASK)\n"
        "#define Tag_One(v)  \t\tTag_Long_Int(TAG_One_MASK, v)\n",
        "#define UnTag_Two(w)  \t\tUnTag_Address(w)\n#define UnTag_Five(w)  \t\tUnTag_Short_Uns(w)\n",
        "#define Tag_Is_Zero(w)  \t\t(Tag_Mask_Of(w) == TAG_Zero_MASK)\n",
        "  { \"Two\", ADDRESS, 2, 0x2},\n  { \"Five\", SHORT_UNS, 5, 0x5}\n};\n"},
       "#define PL_MIN_INTEGER\t\t-1152921504606846976\n#define PL_MAX_INTEGER\t\t1152921504606846975\n\n"
       "#define PL_Zero       \t\t0 \n#define PL_One        \t\t1 \n#define PL_Two        \t\t2 \n"
       "#define PL_Five       \t\t5 \n"},
      // 7 is the largest value of the low layout, 8 the smallest of the split one.
      {"@tag A long_int 7\n@tag S short_uns 3\n@tag U short_uns 4\n",
       {"#define TAG_SIZE     \t\t3\n", "#define Tag_From_Tag_Mask(w) \t(w)\n", "#define TAG_A_MASK\t\t(PlULong)0x7\n",
        "#define Tag_A(v)  \t\t(((PlULong) (v) << 3) | TAG_MASK)\n",
        "#define UnTag_S(w)  \t\t((PlULong) (w) >> 3)\n#define UnTag_U(w)  \t\tUnTag_Short_Uns(w)\n"}},
      {"@tag A long_int 8\n",
       {"#define TAG_SIZE     \t\t4\n", "#define TAG_MASK     \t\t(PlULong)0x8000000000000007\n",
        "#define Tag_From_Tag_Mask(w) \t(((PlULong) (w) >> 60) | ((w) & 7))\n",
        "#define TAG_A_MASK\t\t(PlULong)0x8000000000000000\n"}},
      // One tag of value 0: no tag bits, and 0 is also the all-ones value; the zero form wins.
      {"@tag Z long_int 0\n",
       {"#define TAG_SIZE     \t\t0\n", "#define Tag_Z(v)  \t\t(((PlULong) (v) << 3) & VALUE_MASK)\n"}},
      // The largest accepted value: 30 tag bits, 27 of them at the top of the word.
      {"@tag A short_uns 8\n@tag B long_int 1073741823\n",
       {"#define TAG_SIZE_HIGH\t\t27\n#define VALUE_SIZE   \t\t34\n"
        "#define TAG_MASK     \t\t(PlULong)0xffffffe000000007\n"
        "#define VALUE_MASK   \t\t(PlULong)0x1ffffffff8\n",
        "#define Tag_Of(w)     \t\t((((PlULong) (w) >> 37) << 3) | ((w) & 7))\n",
        "#define TAG_A_MASK\t\t(PlULong)0x2000000000\n", "#define B          \t\t1073741823\n"},
       "#define PL_MIN_INTEGER\t\t-8589934592\n#define PL_MAX_INTEGER\t\t8589934591\n\n"
       "#define PL_A          \t\t8 \n#define PL_B          \t\t1073741823\n"},
      {"",
       {"#define TAG_SIZE     \t\t0\n#define TAG_SIZE_LOW \t\t3\n#define TAG_SIZE_HIGH\t\t-3\n"
        "#define VALUE_SIZE   \t\t64\n#define TAG_MASK     \t\t(PlULong)0\n"
        "#define VALUE_MASK   \t\t(PlULong)0xffffffffffffffff\n",
        "\n#define NB_OF_TAGS       \t0\n\n\t/* General",
        "#define Tag_Long_Int(tm, v)  \t((((PlLong) ((v) << 0)) >> -3) | (tm))\n",
        "\t/* Specialized Tag/UnTag macros */\n\n\n\n\n\ntypedef enum\n",
        "InfTag pl_tag_tbl[] =\n{\n  { 0, LONG_INT, 0, 0}\n};\n\n#else\n\n"},
       "#define PL_MIN_INTEGER\t\t-9223372036854775808\n#define PL_MAX_INTEGER\t\t9223372036854775807\n\n"},
      // What the table holds.
      {repeated(127, "@tag X<n> long_int <n>\n") + "@tag " + std::string(31, 'N') + " long_int 200\n",
       {"#define NB_OF_TAGS       \t128\n", "  { \"" + std::string(31, 'N') + "\", LONG_INT, 200,"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    const CoreResult result = run_core(tags(c.lines));
    expect_contains(result.arch_header, c.arch);
    if (c.public_config) {
      EXPECT_EQ(result.public_config, *c.public_config);
    }
  }
}

}  // namespace
}  // namespace pl_config::testing
