#include "json_report.h"

#include <gtest/gtest.h>

#include <string>

#include "debugger_script.h"
#include "memory_output.h"

namespace pl_config::testing {
namespace {

// Strings the two generated texts quote: what JSON (RFC 8259) and Python
// source, both read as UTF-8, take as the same characters.  A byte outside
// well-formed UTF-8 cannot stand as it is in either.
TEST(QuotedTextTest, JsonAndPythonStringsHoldEveryByteValidly) {
  const struct {
    std::string text;
    std::string json;
    std::string python;
  } cases[] = {
      {"wam_arch.def", R"("wam_arch.def")", R"("wam_arch.def")"},
      {"\"trail\"", R"("\"trail\"")", R"("\"trail\"")"},
      {"C:\\engine\\wam_arch.def", R"("C:\\engine\\wam_arch.def")", R"("C:\\engine\\wam_arch.def")"},
      {"tab\tline\nreturn\r", R"("tab\tline\nreturn\r")", R"("tab\x09line\x0areturn\x0d")"},
      {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\x7f\"", R"("\x01\x1f\x7f")"},
      {std::string("nul\0", 4), R"("nul\u0000")", R"("nul\x00")"},
      // UTF-8 of two, three and four bytes stays as it is.
      {"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"",
       "\"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
      // Latin-1, a sequence cut short, overlong forms, a surrogate, past U+10FFFF.
      {"\xe9t\xe9", R"("\ufffdt\ufffd")", R"("\xe9t\xe9")"},
      {"\xc3", R"("\ufffd")", R"("\xc3")"},
      {"\xe2\x82", R"("\ufffd\ufffd")", R"("\xe2\x82")"},
      {"\xc0\xaf\xe0\x80\xaf", R"("\ufffd\ufffd\ufffd\ufffd\ufffd")", R"("\xc0\xaf\xe0\x80\xaf")"},
      {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")", R"("\xed\xa0\x80")"},
      {"\xf4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")", R"("\xf4\x90\x80\x80")"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    MemoryOutput json, python;
    put_json_string(json.out(), c.text);
    put_python_string(python.out(), c.text);
    EXPECT_EQ(json.text(), c.json);
    EXPECT_EQ(python.text(), c.python);
  }
}

}  // namespace
}  // namespace pl_config::testing
