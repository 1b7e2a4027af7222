// Every list of the headers outside the tool's source, in the CMake
// function, the recipes, the build and the documents, names the headers of
// the rows, in row order: a header added to the rows and not to a list
// fails here.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "header_rows.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

std::string source_text(const char* path) {
  std::string text = read_file(std::string(PL_CONFIG_SOURCE_DIR) + "/" + path);
  for (char& c : text)
    if (c == '\n') c = ' ';  // a list may go on in the next line
  return text;
}

// The header names joined as a list: BEFORE A BETWEEN B ... LAST Z AFTER.
struct JoinedList {
  const char* path;
  const char* before;
  const char* between;
  const char* last;
  const char* after;
};

std::string joined(const JoinedList& list) {
  std::string text = list.before;
  for (const HeaderRow& row : header_rows) {
    if (&row != header_rows) text += &row == std::end(header_rows) - 1 ? list.last : list.between;
    text += row.name;
  }
  return text + list.after;
}

TEST(HeaderRowsTest, JoinedListsNameTheRows) {
  const JoinedList lists[] = {
      {"cmake/PlConfigHeaders.cmake", "# Generates ", ", ", " and ", " from "},
      {"cmake/PlConfigHeaders.cmake", "foreach(name ", " ", " ", ")"},
      {"CMakeLists.txt", "Headers written to ${PL_CONFIG_EXAMPLE_DIR}: ", " ", " ", "\""},
      {"tests/recipes/make-grouped/Makefile", "HEADERS = ", " ", " ", " "},
      {"tests/recipes/make-stamp/Makefile", "HEADERS = ", " ", " ", " "},
      {"tests/recipes/ninja/build.ninja", "build ", " ", " ", " | pl_config-summary.txt"},
      {"tests/recipes/ninja/build.ninja", "build headers: phony ", " ", " ", " "},
      {"tests/recipes/meson/meson.build", "output : ['", "', '", "', '", "', 'pl_config-summary.txt']"},
      {"tests/recipes/check_recipe.sh", "headers=\"", " ", " ", "\""},
      {"README.md", "(`", "`, `", "`, `", "`), next to"},
      {"docs/pl_config.1", ".BR ", " \", \" ", " \", \" ", " the headers written"},
  };
  for (const JoinedList& list : lists) {
    const std::string expected = joined(list);
    EXPECT_NE(source_text(list.path).find(expected), std::string::npos) << list.path << " lacks: " << expected;
  }
}

// The header names one a line, each the first match of PATTERN in its line.
TEST(HeaderRowsTest, ListsOfLinesNameTheRows) {
  const struct {
    const char* path;
    const char* pattern;
  } lists[] = {
      {"README.md", "^\\| `([^`]+\\.h)` \\|"},
      {"docs/description-format.md", "^\\| `([^`]+\\.h)` \\|"},
      {"docs/pl_config.1", "^\\.TP\\n\\.B ([^ \\n]+\\.h)$"},
  };
  std::vector<std::string> rows;
  for (const HeaderRow& row : header_rows) rows.emplace_back(row.name);
  for (const auto& list : lists) {
    const std::string text = read_file(std::string(PL_CONFIG_SOURCE_DIR) + "/" + list.path);
    const std::regex pattern(list.pattern, std::regex::multiline);
    std::vector<std::string> names;
    for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end; ++match)
      names.push_back((*match)[1]);
    EXPECT_EQ(names, rows) << list.path;
  }
}

}  // namespace
}  // namespace pl_config::testing
