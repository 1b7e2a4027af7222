#include "layout_warnings.h"

#include <gtest/gtest.h>

#include <string>

#include "core_run.h"

namespace pl_config::testing {
namespace {

// What the layout warnings make of the sections a description is read into.
std::string warnings_of(const std::string& description) {
  const CoreResult result = run_core(description);
  EXPECT_EQ(result.error, std::nullopt);
  return result.warnings;
}

std::string tags(const std::string& lines) { return "@begin tags\n" + lines + "@end\n"; }

TEST(LayoutWarningsTest, WhatIsAcceptedButWrong) {
  const std::string w = "wam_arch.def:";
  const struct {
    std::string description;
    std::string warnings;
  } cases[] = {
      {tags("@tag A address 4\n@tag B address 5\n@tag C short_uns 4\n@tag D address 4\n"),
       w + "4: warning: tag C has the same value as tag A (4)\n" +  //
           w + "5: warning: tag D has the same value as tag A (4)\n"},
      // Each section has values of its own.
      {tags("@tag A address 4\n") + tags("@tag B address 4\n"), ""},
      // Group 0 comes first in the register order, but line 2 came first.
      {"@begin regs\n@reg 1 WamWord X\n@reg 0 WamWord X\n@end\n",
       w + "3: warning: X is already declared as a register on line 2\n"},
      {"@begin regs\n@reg 0 WamWord X\n@end\n" + tags("@tag X address 4\n"),
       w + "5: warning: X is already declared as a register on line 2\n"},
      {tags("@tag X address 4\n") + "@begin regs\n@reg 0 WamWord X\n@end\n",
       w + "5: warning: X is already declared as a tag on line 2\n"},
      {tags("@tag X address 4\n") + tags("@tag X address 4\n"), w + "5: warning: X is already declared as a tag on line 2\n"},
      {"@begin stacks\n@stack s \"a\" 1 T\n@end\n@begin stacks\n@stack s \"b\" 1 T\n@end\n",
       w + "5: warning: s is already declared as a stack on line 2\n"},
      // A stack's name stands only inside longer names.
      {"@begin stacks\n@stack X \"a\" 1 T\n@end\n@begin regs\n@reg 0 WamWord X\n@end\n", ""},
      // Split layout, 4 tag bits: 0 and 8 to 15 take negative integers.
      {tags("@tag A long_int 0\n@tag B long_int 8\n@tag C long_int 14\n@tag D long_int 15\n@tag E long_int 7\n"
            "@tag F short_uns 6\n"),
       w + "6: warning: long_int tag E has the value 7, not 0 or 8 to 15: it cannot carry negative integers\n"},
      {tags("@tag A long_int 24\n@tag B long_int 23\n@tag C long_int 16\n"),
       w + "3: warning: long_int tag B has the value 23, not 0 or 24 to 31: it cannot carry negative integers\n" +  //
           w + "4: warning: long_int tag C has the value 16, not 0 or 24 to 31: it cannot carry negative integers\n"},
      // The low layout shifts no sign into tag bits.
      {tags("@tag A long_int 5\n@tag B address 7\n"), ""},
      {tags("@tag A address 0\n@tag B address 3\n@tag C long_int 3\n"),
       w + "1: warning: the largest tag value is 3, below 4: the tag macros shift by negative counts\n" +  //
           w + "4: warning: tag C has the same value as tag B (3)\n"},
      {tags(""), w + "1: warning: the largest tag value is 0, below 4: the tag macros shift by negative counts\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(warnings_of(c.description), c.warnings);
  }
}

}  // namespace
}  // namespace pl_config::testing
