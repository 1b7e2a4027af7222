#include "description_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_directory.h"

namespace pl_config::testing {
namespace {

constexpr std::size_t block_size = 16 * 1024;

// Lines of many lengths, some longer than a block or than a shown line holds,
// and enough of them that the marks are thinned out.
std::vector<std::string> description_lines() {
  std::vector<std::string> lines;
  for (int i = 1; i <= 9000; ++i) {
    const std::size_t length = i % 1000 == 0 ? 40000 : i % 97 == 0 ? 2000 : static_cast<std::size_t>(i % 13) * 90;
    lines.push_back(std::to_string(i) + std::string(length, static_cast<char>('a' + i % 26)));
  }
  lines.push_back("last, without a newline");
  return lines;
}

std::string description_text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  text.pop_back();
  return text;
}

void expect_line(DescriptionLines& description, const std::vector<std::string>& lines, int n) {
  SCOPED_TRACE(n);
  Error::LineText shown;
  ASSERT_TRUE(description.read(n, shown));
  EXPECT_EQ(shown.view(), lines[static_cast<std::size_t>(n - 1)].substr(0, Error::LineText::capacity));
}

TEST(DescriptionLinesTest, ReadsAnyLineInAnyOrder) {
  const std::vector<std::string> lines = description_lines();
  MemoryDirectory directory(description_text(lines));
  DescriptionLines description(directory);
  const int count = static_cast<int>(lines.size());
  // On, back, the same line again, and across thinned-out marks.
  std::vector<int> order = {1, 2, 500, 1000, 1001, 999, 1, 9000, count, count, 3, 8999, 4500, 4499, 4501, 2000};
  for (int n = count; n > 0; n -= 331) order.push_back(n);
  // Lines next to one just shown, once the kept lines are all in use.
  order.insert(order.end(), {5000, 5001, 5000, 4999, 5001});
  for (const int n : order) expect_line(description, lines, n);
  Error::LineText shown;
  EXPECT_FALSE(description.read(count + 1, shown));
  EXPECT_FALSE(description.read(0, shown));
  expect_line(description, lines, 7);
}

// The messages of a check come in the order of their lines, each with its
// notes; however many there are, the file is not read from its start for
// each: what is read again stays within the file once and a block or two
// for each message.
TEST(DescriptionLinesTest, ReadsLittleAgainForEachMessage) {
  const std::vector<std::string> lines = description_lines();
  const std::string text = description_text(lines);
  const int count = static_cast<int>(lines.size());
  std::vector<int> many_near_the_start, many_then_the_message;
  for (int n = 2; n <= 30; ++n) many_near_the_start.push_back(n);
  many_then_the_message = many_near_the_start;
  many_then_the_message.push_back(0);
  const struct {
    const char* what;
    std::vector<int> notes;  // lines shown after each message; 0 is its own again
    double blocks;           // read again for each message, besides the file once
  } patterns[] = {
      {"messages alone", {}, 0},
      {"a note about a line near the start is kept", {2}, 0},
      {"notes about a few lines, the message's own among them, are kept", {2, 3, 0, 5, 6}, 0},
      {"notes about more lines than are kept take the cursor further back", many_near_the_start, 1.5},
      {"the message's line after them comes from a mark, not from the notes' cursor", many_then_the_message, 3},
  };
  for (const auto& pattern : patterns) {
    SCOPED_TRACE(pattern.what);
    MemoryDirectory directory(text);
    DescriptionLines description(directory);
    std::size_t messages = 0;
    for (int n = 40; n <= count; n += 7, ++messages) {
      expect_line(description, lines, n);
      for (const int note : pattern.notes) expect_line(description, lines, note == 0 ? n : note);
    }
    const double blocks = static_cast<double>(messages) * pattern.blocks + 1;
    EXPECT_LE(static_cast<double>(directory.bytes_reread()), static_cast<double>(text.size()) + blocks * block_size);
  }
}

}  // namespace
}  // namespace pl_config::testing
