#include "text_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pl_config::testing {
namespace {

// Texts around the sizes at which the scans change step: a vector, the fast
// loop's 64 bytes, the portable count's chunk of 4080.
std::vector<std::string> texts() {
  // More newlines in a row than a byte-wide lane of the portable count holds.
  std::vector<std::string> all = {"", "@", "\n", "\n@\n", "abc", std::string(9000, '\n')};
  for (const std::size_t size : {31, 32, 63, 64, 65, 127, 128, 4079, 4080, 4081, 9000}) {
    std::string text(size, 'x');
    for (std::size_t i = 0; i < size; i += 1 + i % 7) text[i] = '\n';
    all.push_back(text);
    for (const std::size_t at : {std::size_t{0}, size / 2, size - 1}) {
      all.push_back(text);
      all.back()[at] = '@';
    }
  }
  return all;
}

TEST(TextScanTest, FindsTheFirstAtSignAndCountsTheNewlinesBeforeIt) {
  std::vector<text_scan::Scan> scans = {text_scan::portable, find_at_sign};
  if (text_scan::vector_scan() != nullptr) scans.push_back(text_scan::vector_scan());
  for (const std::string& text : texts()) {
    const std::size_t at = std::min(text.find('@'), text.size());
    const std::int64_t newlines = std::count(text.begin(), text.begin() + at, '\n');
    for (const text_scan::Scan scan : scans) {
      SCOPED_TRACE(::testing::Message() << text.size() << " bytes, @ at " << at);
      std::int64_t counted = 5;
      EXPECT_EQ(scan(text.data(), text.data() + text.size(), counted), text.data() + at);
      EXPECT_EQ(counted, 5 + newlines);
    }
  }
}

}  // namespace
}  // namespace pl_config::testing
