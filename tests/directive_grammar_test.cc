#include "directive_grammar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "description_text.h"

namespace pl_config::testing {
namespace {

const char* const token_kinds[] = {"directive", "section_name", "type", "name", "number", "string", "free_text"};

// What a reading tells: each token as "column+length kind", each section
// as "kind first..last".
struct Told : ReadingListener {
  std::string tokens;
  std::string sections;
  int directive_tokens = 0;

  void token(const LineToken& token) override {
    tokens += std::to_string(token.at.column) + "+" + std::to_string(token.at.length) + " " +
              token_kinds[static_cast<int>(token.kind)] + "\n";
    directive_tokens += token.kind == TokenKind::directive;
  }
  void section(const SectionSpan& span) override {
    sections += std::string(row_of(span.kind).name) + " " + std::to_string(span.first) + ".." +
                std::to_string(span.last) + "\n";
  }
};

// A field ends where the reader ends it, even where the line is wrong, as an
// editor shows a line being written.
TEST(DirectiveTokensTest, FieldsEndWhereTheReaderEndsThem) {
  struct Case {
    const char* line;
    const char* tokens;
  };
  const Case cases[] = {
      // The byte after a closing quote is dropped, not a field's start.
      {"@stack heap \"heap\"2048 H", "1+6 directive\n8+4 name\n13+6 string\n20+3 number\n24+1 name\n"},
      {"@stack local \"local 8 L", "1+6 directive\n8+5 name\n14+10 string\n"},
      {"@ begin stacks", "1+7 directive\n9+6 section_name\n"},
      {"@filler abc", "1+7 directive\n9+3 name\n"},
      {"@tag INT integer 7 the rest ", "1+4 directive\n6+3 name\n10+7 type\n18+1 number\n20+9 free_text\n"},
      {"@endd x", "1+5 directive\n7+1 free_text\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Told told;
    list_directive_tokens(c.line, 1, 1, told);
    EXPECT_EQ(told.tokens, c.tokens);
  }
}

// Where a section ends: at its end line, before a line that cannot belong
// to it, or at the input's last line; past the error limit of a check too.
// Each directive line's tokens are told once, a line read again too.
TEST(SectionSpansTest, EachSectionAsTheReaderEndsIt) {
  std::string many_errors = "@begin tags\n";
  for (int i = 0; i < 25; ++i) many_errors += "@tag X bogus 0\n";
  struct Case {
    std::string text;
    const char* sections;
  };
  const Case cases[] = {
      {"@begin tags\n@tag A address 0\n@end\n", "tags 1..3\n"},
      {"@begin regs\n@reg 0 W H\n@begin tags\n@tag A address 0\n@end\n", "regs 1..2\ntags 3..5\n"},
      {"@begin tags\n@stack s \"d\" 1 T\n@end\n@begin stacks\n@end", "tags 1..1\nstacks 4..5\n"},
      {"@begin stacks\n@stack s \"d\" 1 T\n", "stacks 1..2\n"},
      {"@begin stacks\n\n@stack s \"d\" 1 T", "stacks 1..3\n"},
      {"@begin Regs\n@reg 0 W H\n@end\n@begin tags\n@end\n", "tags 4..5\n"},
      {many_errors + "@end\n@begin stacks\n@end\n", "tags 1..27\nstacks 28..29\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Told told;
    read_structure(c.text, told);
    EXPECT_EQ(told.sections, c.sections);
    const auto directive_lines = std::count(c.text.begin(), c.text.end(), '@');
    EXPECT_EQ(told.directive_tokens, directive_lines);
  }
}

}  // namespace
}  // namespace pl_config::testing
