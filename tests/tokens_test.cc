#include "tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expect_run.h"
#include "fatal_message.h"

namespace pl_config::testing {
namespace {

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

// Scans `line`, saved as the current line too, from column 1.
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

TEST_F(ScannerTest, TokensSkipWhiteSpaceAndConsumeTheirEnd) {
  {
    Scanner s = scan(" \tbegin_2 regs\n");
    EXPECT_EQ(s.identifier(), "begin_2");
    EXPECT_EQ(s.location().column, 3);
    EXPECT_EQ(s.identifier(), "regs");
    EXPECT_EQ(s.location().column, 11);
    EXPECT_EQ(fatal_message([&] { s.identifier(); }), "Syntax error: identifier expected in:  \tbegin_2 regs\n");
  }
  {  // An optional identifier that is not there takes only the white space.
    Scanner s = scan("  007 X\n");
    EXPECT_FALSE(s.optional_identifier().has_value());
    EXPECT_EQ(s.integer(), 7);
    EXPECT_EQ(s.optional_identifier(), "X");
  }
  {  // Integers group their digits with underscores, and are decimal.
    Scanner s = scan("1_024 010 2147483647\t0\n");
    for (const int value : {1024, 10, 2147483647, 0}) EXPECT_EQ(s.integer(), value);
  }
  {  // A string keeps its quotes, has no escapes, and drops the character
     // after its closing quote.
    Scanner s = scan(" \"global stack\" \"a\\\"16 x\n");
    EXPECT_EQ(s.string_token(), "\"global stack\"");
    EXPECT_EQ(s.string_token(), "\"a\\\"");
    EXPECT_EQ(s.integer(), 6);
    EXPECT_EQ(s.identifier(), "x");
  }
  {  // A quote that closes the line data leaves nothing to read.
    Scanner s = scan("\"x\"");
    EXPECT_EQ(s.string_token(), "\"x\"");
    EXPECT_EQ(fatal_message([&] { s.integer(); }), "Syntax error: integer expected in: \"x\"");
  }
}

// Each malformed token ends the run with a syntax error quoting the line.
TEST_F(ScannerTest, MalformedTokens) {
  enum Token { identifier, integer, string };
  const struct {
    Token token;
    std::string words;
    std::vector<std::string> lines;
  } cases[] = {
      {identifier, "identifier expected", {"_x y\n", "9x y\n"}},
      // The end of the line data is not white space, and a byte above 127 is
      // no identifier character.
      {identifier, "space expected after identifier", {"f(x)\n", "f;\n", "regs", "ab\xe9 \n"}},
      {integer, "integer expected", {"-1\n", "+1\n", "_1\n"}},
      {integer, "space expected after identifier", {"12ab\n", "12"}},
      {integer, "integer too large", {"2147483648\n", "99_999_999_999_999_999_999\n"}},
      {string, "string expected", {"abc\"\n", " \"open\n", "\n"}},
  };
  for (const auto& c : cases) {
    for (const std::string& line : c.lines) {
      SCOPED_TRACE(line);
      Scanner s = scan(line);
      EXPECT_EQ(fatal_message([&] {
                  if (c.token == identifier) s.identifier();
                  if (c.token == integer) s.integer();
                  if (c.token == string) s.string_token();
                }),
                "Syntax error: " + c.words + " in: " + line);
    }
  }
  // A NUL byte ends the line data, and the quote.
  EXPECT_EQ(fatal_message([&] { scan(std::string("end\0 more\n", 10)).identifier(); }),
            "Syntax error: space expected after identifier in: end");
}

// Every integer token of every section goes through the same check.
TEST(IntegerTokenTest, BeyondInt32EndsTheRunInEverySection) {
  const ErrorCase cases[] = {
      {"@begin regs\n", "@reg 2147483648 WamWord R1\n", "integer too large", 2, "@end\n"},
      {"@begin regs\n", "@filler 99_999_999_999\n", "integer too large", 2, "@end\n"},
      {"@begin tags\n", "@tag A long_int 4294967296\n", "integer too large", 2, "@end\n"},
      {"@begin stacks\n", "@stack a \"d\" 2_147_483_648 T\n", "integer too large", 2, "@end\n"},
  };
  expect_errors(cases);
}

TEST(CurrentLineTest, KeepsAtMost511Bytes) {
  CurrentLine current;
  current.save(std::string(600, 'a'), 1);
  EXPECT_EQ(std::string(current.c_str()), std::string(511, 'a'));
  current.save("@end\n", 2);
  EXPECT_STREQ(current.c_str(), "@end\n");
}

}  // namespace
}  // namespace pl_config::testing
