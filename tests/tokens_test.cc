#include "tokens.h"

#include <gtest/gtest.h>

#include <string>

#include "expect_run.h"
#include "fatal_message.h"
#include "tool_run.h"

namespace pl_config {
namespace {

using testing::fatal_message;

TEST(CharacterClassesTest, AreAsciiOnly) {
  const std::string white = " \t\n\v\f\r";
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    EXPECT_EQ(is_white_space(byte), c != 0 && white.find(static_cast<char>(c)) != std::string::npos) << c;
    EXPECT_EQ(is_letter(byte), letter) << c;
    EXPECT_EQ(is_digit(byte), digit) << c;
    EXPECT_EQ(is_identifier_char(byte), letter || digit || c == '_') << c;
  }
}

// Scans `line` (saved as the current line too) and returns what `read`
// gives back, or the fatal error's message.
class ScannerTest : public ::testing::Test {
 protected:
  Scanner scan(const std::string& line) {
    line_ = line;
    current_.save(line_, 1);
    return Scanner(line_, current_, 1);
  }

  std::string line_;
  CurrentLine current_;
};

TEST_F(ScannerTest, IdentifierSkipsWhiteSpaceAndConsumesItsEnd) {
  Scanner s = scan(" \tbegin_2 regs\n");
  EXPECT_EQ(s.identifier(), "begin_2");
  EXPECT_EQ(s.identifier(), "regs");
  EXPECT_EQ(fatal_message([&] { s.identifier(); }), "Syntax error: identifier expected in:  \tbegin_2 regs\n");
}

TEST_F(ScannerTest, IdentifierMustStartWithALetterAndEndInWhiteSpace) {
  EXPECT_EQ(fatal_message([&] { scan("_x y\n").identifier(); }), "Syntax error: identifier expected in: _x y\n");
  EXPECT_EQ(fatal_message([&] { scan("9x y\n").identifier(); }), "Syntax error: identifier expected in: 9x y\n");
  EXPECT_EQ(fatal_message([&] { scan("f(x)\n").identifier(); }),
            "Syntax error: space expected after identifier in: f(x)\n");
  EXPECT_EQ(fatal_message([&] { scan("f;\n").identifier(); }),
            "Syntax error: space expected after identifier in: f;\n");
  // The end of the line data is not white space.
  EXPECT_EQ(fatal_message([&] { scan("regs").identifier(); }),
            "Syntax error: space expected after identifier in: regs");
  // A byte above 127 is no identifier character.
  EXPECT_EQ(fatal_message([&] { scan("ab\xe9 \n").identifier(); }),
            "Syntax error: space expected after identifier in: ab\xe9 \n");
}

TEST_F(ScannerTest, OptionalIdentifierConsumesOnlyWhiteSpaceWhenAbsent) {
  Scanner s = scan("  007 X\n");
  EXPECT_FALSE(s.optional_identifier().has_value());
  EXPECT_EQ(s.integer(), 7);
  EXPECT_EQ(s.optional_identifier(), "X");
}

TEST_F(ScannerTest, IntegerGroupsDigitsWithUnderscoresAndIsDecimal) {
  Scanner s = scan("1_024 010 2147483647\t0\n");
  EXPECT_EQ(s.integer(), 1024);
  EXPECT_EQ(s.integer(), 10);
  EXPECT_EQ(s.integer(), 2147483647);
  EXPECT_EQ(s.integer(), 0);
}

TEST_F(ScannerTest, IntegerRejectsSignsLeadingUnderscoreAndTrailingLetters) {
  EXPECT_EQ(fatal_message([&] { scan("-1\n").integer(); }), "Syntax error: integer expected in: -1\n");
  EXPECT_EQ(fatal_message([&] { scan("+1\n").integer(); }), "Syntax error: integer expected in: +1\n");
  EXPECT_EQ(fatal_message([&] { scan("_1\n").integer(); }), "Syntax error: integer expected in: _1\n");
  EXPECT_EQ(fatal_message([&] { scan("12ab\n").integer(); }),
            "Syntax error: space expected after identifier in: 12ab\n");
  EXPECT_EQ(fatal_message([&] { scan("12").integer(); }), "Syntax error: space expected after identifier in: 12");
}

TEST_F(ScannerTest, IntegerBeyondInt32IsRejected) {
  EXPECT_EQ(fatal_message([&] { scan("2147483648\n").integer(); }),
            "Syntax error: integer too large in: 2147483648\n");
  EXPECT_EQ(fatal_message([&] { scan("99_999_999_999_999_999_999\n").integer(); }),
            "Syntax error: integer too large in: 99_999_999_999_999_999_999\n");
}

// Every integer token of every section goes through the same check.
TEST(IntegerTokenTest, BeyondInt32EndsTheRunInEverySection) {
  const struct {
    const char* section;
    const char* line;
  } cases[] = {
      {"regs", "@reg 2147483648 WamWord R1\n"},
      {"regs", "@filler 99_999_999_999\n"},
      {"tags", "@tag A long_int 4294967296\n"},
      {"stacks", "@stack a \"d\" 2_147_483_648 T\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::expect_reading_error(
        testing::run_tool(testing::default_tool, std::string("@begin ") + c.section + "\n" + c.line + "@end\n"),
        std::string("Syntax error: integer too large in: ") + c.line);
  }
}

TEST_F(ScannerTest, StringKeepsItsQuotesAndDropsTheNextCharacter) {
  Scanner s = scan(" \"global stack\" \"a\\\"16 x\n");
  EXPECT_EQ(s.string_token(), "\"global stack\"");
  // No escapes: the backslash is ordinary and the next quote closes.
  EXPECT_EQ(s.string_token(), "\"a\\\"");
  EXPECT_EQ(s.integer(), 6);
  EXPECT_EQ(s.identifier(), "x");
}

TEST_F(ScannerTest, StringNeedsBothQuotesOnTheLine) {
  EXPECT_EQ(fatal_message([&] { scan("abc\"\n").string_token(); }), "Syntax error: string expected in: abc\"\n");
  EXPECT_EQ(fatal_message([&] { scan(" \"open\n").string_token(); }), "Syntax error: string expected in:  \"open\n");
  EXPECT_EQ(fatal_message([&] { scan("\n").string_token(); }), "Syntax error: string expected in: \n");
}

TEST_F(ScannerTest, StringClosingTheLineDataLeavesNothingToRead) {
  Scanner s = scan("\"x\"");
  EXPECT_EQ(s.string_token(), "\"x\"");
  EXPECT_EQ(fatal_message([&] { s.integer(); }), "Syntax error: integer expected in: \"x\"");
}

TEST_F(ScannerTest, NulByteEndsTheLineData) {
  Scanner s = scan(std::string("end\0 more\n", 10));
  EXPECT_EQ(fatal_message([&] { s.identifier(); }), "Syntax error: space expected after identifier in: end");
}

TEST(CurrentLineTest, KeepsAtMost511Bytes) {
  CurrentLine current;
  current.save(std::string(600, 'a'), 1);
  EXPECT_EQ(std::string(current.c_str()), std::string(511, 'a'));
  current.save("@end\n", 2);
  EXPECT_STREQ(current.c_str(), "@end\n");
}

}  // namespace
}  // namespace pl_config
