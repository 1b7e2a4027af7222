#include "layout_warnings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "core_run.h"
#include "expect_run.h"
#include "messages.h"

namespace pl_config::testing {
namespace {

// The first lines of what a check of `description` warns: each warning's
// and note's locus and text (the line and caret below them are the located
// errors' own test).
std::string warnings_of(const std::string& description, std::uint64_t disabled = 0) {
  const ToolResult check = run_in_process(description, {}, {.check = true, .disabled = disabled});
  EXPECT_EQ(check.status, 0);
  std::istringstream err(check.err);
  std::string first_lines;
  for (std::string line; std::getline(err, line);)
    if (line.starts_with("wam_arch.def:")) first_lines += line.substr(13) + "\n";
  return first_lines;
}

TEST(LayoutWarningsTest, WhatIsAcceptedButWrong) {
  const std::string first = " note: first declared here\n";
  const struct {
    std::string description;
    std::string warnings;
  } cases[] = {
      {tags("@tag A address 4\n@tag B address 5\n@tag C short_uns 4\n@tag D address 4\n"),
       "4:18: warning: tag C has the same value as tag A (4) [duplicate-tag-value]\n2:16:" + first +
           "5:16: warning: tag D has the same value as tag A (4) [duplicate-tag-value]\n2:16:" + first},
      // Each section has values of its own, but defines the tag table again.
      {tags("@tag A address 4\n") + tags("@tag B address 4\n"),
       "4:8: warning: a second tags section: the headers define pl_tag_tbl twice [second-section]\n1:8:" + first},
      // Group 0 comes first in the register order, but line 2 came first.
      {regs("@reg 1 WamWord X\n@reg 0 WamWord X\n"),
       "3:16: warning: X is already declared as a register on line 2 [duplicate-name]\n2:16:" + first},
      {regs("@reg 0 WamWord X\n") + tags("@tag X address 4\n"),
       "5:6: warning: X is already declared as a register on line 2 [duplicate-name]\n2:16:" + first},
      {tags("@tag X address 4\n") + regs("@reg 0 WamWord X\n"),
       "5:16: warning: X is already declared as a tag on line 2 [duplicate-name]\n2:6:" + first},
      {stacks("@stack s \"a\" 1 T\n") + stacks("@stack s \"b\" 1 T\n"),
       "4:8: warning: a second stacks section: the headers define InfStack twice [second-section]\n1:8:" + first +
           "5:8: warning: s is already declared as a stack on line 2 [duplicate-name]\n2:8:" + first},
      // A stack's name stands only inside longer names.
      {stacks("@stack X \"a\" 1 T\n") + regs("@reg 0 WamWord X\n"), ""},
      // Split layout, 4 tag bits: 0 and 8 to 15 take negative integers.
      {tags("@tag A long_int 0\n@tag B long_int 8\n@tag C long_int 14\n@tag D long_int 15\n@tag E long_int 7\n"
            "@tag F short_uns 6\n"),
       "6:17: warning: long_int tag E has the value 7, not 0 or 8 to 15: it cannot carry negative integers"
       " [long-int-sign]\n"},
      {tags("@tag A long_int 24\n@tag B long_int 23\n@tag C long_int 16\n"),
       "3:17: warning: long_int tag B has the value 23, not 0 or 24 to 31: it cannot carry negative integers"
       " [long-int-sign]\n"
       "4:17: warning: long_int tag C has the value 16, not 0 or 24 to 31: it cannot carry negative integers"
       " [long-int-sign]\n"},
      // The low layout shifts no sign into tag bits.
      {tags("@tag A long_int 5\n@tag B address 7\n"), ""},
      {tags("@tag A address 0\n@tag B address 3\n@tag C long_int 3\n"),
       "1:8: warning: the largest tag value is 3, below 4: the tag macros shift by negative counts"
       " [small-tag-values]\n"
       "4:17: warning: tag C has the same value as tag B (3) [duplicate-tag-value]\n3:16:" +
           first},
      {tags(""),
       "1:8: warning: the largest tag value is 0, below 4: the tag macros shift by negative counts"
       " [small-tag-values]\n"},
      // A two-word type: the register is named "long", its type is "unsigned".
      {regs("@reg 0 unsigned long X\n"),
       "2:8: warning: register long has type unsigned, which is not one 64-bit word on every platform"
       " [register-type]\n2:17: warning: register long is named like a C keyword [keyword-name]\n"},
      {regs("@reg 0 WamWordP H\n@reg 0 int32_t COUNT\n@reg 0 PlLong N\n@reg 0 double D\n"),
       "3:8: warning: register COUNT has type int32_t, which is not one 64-bit word on every platform"
       " [register-type]\n"
       "5:8: warning: register D has type double, which is not one 64-bit word on every platform"
       " [register-type]\n"},
      // The test tools' processor is aarch64: 20 tag bits leave 47 bits for an
      // address, 19 the 48 it needs.
      {tags("@tag REF address 0\n@tag INT long_int 1048575\n"),
       "3:19: warning: address tags keep 47 value bits, fewer than the 48 bits of a user address on aarch64"
       " [address-bits]\n"},
      {tags("@tag REF address 0\n@tag INT long_int 524287\n"), ""},
      {tags("@tag ATM short_uns 0\n@tag INT long_int 16777215\n"), ""},
      {regs("@reg 0 WamWord asm\n"), "2:16: warning: register asm is named like a C keyword [keyword-name]\n"},
      {stacks("@stack trail \"C:\\stacks\" 16 TR\n@stack heap \"C:/heap\" 16 H\n"),
       "2:14: warning: stack trail: a backslash in its description is an escape in the generated C string"
       " [description-escape]\n"},
      {tags("@tag int address 4\n"), "2:6: warning: tag int is named like a C keyword [keyword-name]\n"},
      {regs("@reg 0 WamWord A\n@reg 12 WamWord Q\n"),
       "3:17: warning: register Q is in group 12: groups 10 to 14 are in no header [unwritten-group]\n"},
      {stacks("@stack heap \"h\" 1 H\n@stack Heap \"h\" 1 H\n"),
       "3:8: warning: stacks Heap and heap differ in letter case only: they define the same macros"
       " [stack-name-case]\n2:8:" +
           first},
      {"/* x */\n" + regs("    @reg 0 WamWordP B\n@reg 0 WamWord A\n"),
       "3:5: warning: directive after blanks: the line is copied as an ordinary line [indented-directive]\n"},
      {"/* x */\n" + regs("\t@reg 0 WamWordP B\n@reg 0 WamWord A\n"),
       "3:2: warning: directive after blanks: the line is copied as an ordinary line [indented-directive]\n"},
      {stacks("@stack heap \"heap\"2048 H\n"),
       "2:19: warning: the character after a closing quote is dropped: '2' ends the string [text-after-quote]\n"},
      {"/* " + std::string(600, '-') + " */\n" + regs("@reg 0 WamWord A\n"),
       "1:512: warning: line longer than 511 bytes: it is read as lines of 511 bytes [long-line]\n"},
      // The bytes before the newline count: 511 are one read.
      {std::string(511, '-') + "\n", ""},
      {std::string(512, '-') + "\n",
       "1:512: warning: line longer than 511 bytes: it is read as lines of 511 bytes [long-line]\n"},
      {"\xEF\xBB\xBF/* engine */\n",
       "1:1: warning: byte-order mark: the first line is read as an ordinary line [byte-order-mark]\n"},
      // A fixed name that a header defines, one that it uses, one that only
      // a build with machine registers writes, and a member of InfTag.
      {regs("@reg 0 WamWord Reg\n@reg 0 WamWord PlULong\n@reg 0 WamWordP BANK\n") + tags("@tag value address 4\n"),
       "2:16: warning: register Reg and header wam_arch.h both use the name Reg [generated-name]\n"
       "3:16: warning: register PlULong and header wam_arch.h both use the name PlULong [generated-name]\n"
       "4:17: warning: register BANK and header wam_regs.h both use the name MAP_REG_BANK [generated-name]\n"
       "7:6: warning: tag value and header wam_arch.h both use the name value [generated-name]\n"},
      // A name a tag makes, the tag first or second.
      {tags("@tag INT long_int 15\n") + regs("@reg 0 WamWord Tag_INT\n"),
       "5:16: warning: register Tag_INT and tag INT both use the name Tag_INT [generated-name]\n2:6:" + first},
      {regs("@reg 0 WamWord UnTag_INT\n") + tags("@tag INT long_int 15\n"),
       "5:6: warning: tag INT and register UnTag_INT both use the name UnTag_INT [generated-name]\n2:16:" + first},
      // A tag's own macros: a general one, and one of another tag.
      {tags("@tag Long_Int address 4\n@tag INT long_int 15\n@tag Is_INT address 5\n"),
       "2:6: warning: tag Long_Int and header wam_arch.h both use the name Tag_Long_Int [generated-name]\n"
       "4:6: warning: tag Is_INT and tag INT both use the name Tag_Is_INT [generated-name]\n3:6:" +
           first},
      // A stack's macros capitalise its name, whatever its first letter was.
      {stacks("@stack global \"g\" 1 H\n@stack Trail \"t\" 1 TR\n") +
           regs("@reg 0 WamWord Global_Size\n@reg 0 WamWord Trail_Stack\n@reg 0 WamWord global_Stack\n"),
       "6:16: warning: register Global_Size and stack global both use the name Global_Size [generated-name]\n2:8:" +
           first +
           "7:16: warning: register Trail_Stack and stack Trail both use the name Trail_Stack"
           " [generated-name]\n3:8:" +
           first},
      {stacks("@stack x \"x\" 1 H\n@stack X_Used \"u\" 1 H\n"),
       "3:8: warning: stack X_Used and stack x both use the name X_Used_Size [generated-name]\n2:8:" + first},
      // A register type is a name the macros use, where it first stands;
      // two uses do not clash.
      {regs("@reg 0 WamWord X\n@reg 0 X Y\n@reg 0 X Z\n@reg 0 WamWord W\n"),
       "3:8: warning: register Y and register X both use the name X [generated-name]\n2:16:" + first},
      {regs("@reg 0 INT Y\n") + tags("@tag INT long_int 15\n"),
       "5:6: warning: tag INT and register Y both use the name INT [generated-name]\n2:8:" + first},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(warnings_of(c.description), c.warnings);
  }
}

// --no-warn turns a warning off, and the note that would follow it.
TEST(LayoutWarningsTest, TurnedOffByName) {
  const std::string description = regs("@reg 1 WamWord int\n@reg 0 WamWord int\n");
  const std::uint64_t keyword = std::uint64_t{1} << Diagnostics::warning_bit(Message::keyword_name);
  const std::uint64_t duplicate = std::uint64_t{1} << Diagnostics::warning_bit(Message::duplicate_name);
  EXPECT_EQ(warnings_of(description, keyword),
            "3:16: warning: int is already declared as a register on line 2 [duplicate-name]\n"
            "2:16: note: first declared here\n");
  EXPECT_EQ(warnings_of(description, keyword | duplicate), "");
}

}  // namespace
}  // namespace pl_config::testing
