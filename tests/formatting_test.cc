#include "description_format.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "expect_run.h"
#include "text_cases.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

// The text with the formatter's edits made, each line's end kept.
class Edited : public LineEditConsumer {
 public:
  void replace_line(int line, std::string_view text) override {
    EXPECT_TRUE(edits_.emplace(line, text).second) << "line " << line << " edited twice";
  }
  std::string apply(const std::string& text) const {
    std::string result;
    int number = 1;
    for (std::size_t at = 0; at < text.size(); ++number) {
      std::size_t end = text.find('\n', at);
      end = end == std::string::npos ? text.size() : end;
      std::size_t content = end;
      if (content > at && text[content - 1] == '\r') --content;
      const auto edit = edits_.find(number);
      result += edit != edits_.end() ? edit->second : text.substr(at, content - at);
      result += text.substr(content, end + 1 - content);
      at = end + 1;
    }
    return result;
  }
  bool empty() const { return edits_.empty(); }

 private:
  std::map<int, std::string> edits_;
};

std::string formatted(const std::string& text, bool* unchanged = nullptr) {
  Edited edited;
  format_description(text, edited);
  if (unchanged != nullptr) *unchanged = edited.empty();
  return edited.apply(text);
}

// The cases of golden/formatting.txt; formatting them again changes nothing.
TEST(FormattingTest, ColumnsAsTheExampleHasThem) {
  CaseFile file(fs::path(PL_CONFIG_GOLDEN_DIR) / "formatting.txt");
  for (const TextCase& c : file.cases()) {
    SCOPED_TRACE(c.title);
    ASSERT_EQ(c.parts.size(), 2u);
    file.expect(c, 1, formatted(c.parts[0]));
    bool unchanged = false;
    EXPECT_EQ(formatted(c.parts[1], &unchanged), c.parts[1]);
    EXPECT_TRUE(unchanged);
  }
  bool unchanged = false;
  formatted(read_file(PL_CONFIG_EXAMPLE_DEF), &unchanged);
  EXPECT_TRUE(unchanged) << "the example is laid out as the formatter lays it out";
}

// Every description of the examples and the tests, and of the formatting
// cases, formatted, gives the same headers and summary through the tool.
TEST(FormattingTest, FormattedDescriptionsGiveTheSameHeaders) {
  std::vector<std::pair<std::string, std::string>> descriptions;
  for (const fs::path& root :
       {fs::path(PL_CONFIG_EXAMPLE_DEF).parent_path(), fs::path(PL_CONFIG_CASES_DIR).parent_path()})
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
      if (entry.is_regular_file() && entry.path().extension() == ".def")
        descriptions.emplace_back(entry.path().string(), read_file(entry.path()));
  for (const TextCase& c : text_cases(fs::path(PL_CONFIG_GOLDEN_DIR) / "formatting.txt"))
    descriptions.emplace_back(c.title, c.parts[0]);
  int changed = 0;
  for (const auto& [name, text] : descriptions) {
    SCOPED_TRACE(name);
    bool unchanged = false;
    const std::string after = formatted(text, &unchanged);
    if (unchanged) continue;
    ++changed;
    const ToolResult before_run = run_tool(default_tool, text);
    const ToolResult after_run = run_tool(default_tool, after);
    EXPECT_EQ(after_run.status, before_run.status);
    EXPECT_EQ(after_run.out, before_run.out);
    EXPECT_TRUE(after_run.files == before_run.files) << first_difference(after_run.files, before_run.files);
  }
  EXPECT_GT(changed, 0) << "no description changed: nothing was compared";
}

}  // namespace
}  // namespace pl_config::testing
