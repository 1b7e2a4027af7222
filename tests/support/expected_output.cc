#include "expected_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "expect_run.h"

namespace pl_config::testing {

namespace fs = std::filesystem;

bool updating_expected_outputs() {
  const char* const mode = std::getenv("PL_CONFIG_UPDATE_CASES");
  return mode != nullptr && std::string(mode) == "1";
}

void expect_file(const fs::path& file, const std::string& got) {
  if (updating_expected_outputs()) return write_file(file, got);
  EXPECT_EQ(got, read_file(file)) << file;
}

// An update also removes the expected files of outputs no longer given.
void expect_files(const fs::path& dir, const Files& got, std::initializer_list<const char*> inputs) {
  Files expected = files_in(dir);
  for (const char* input : inputs) expected.erase(input);
  if (!updating_expected_outputs()) {
    EXPECT_TRUE(got == expected) << first_difference(got, expected);
    return;
  }
  for (const auto& [name, bytes] : expected) fs::remove(dir / name);
  for (const auto& [name, bytes] : got) write_file(dir / name, bytes);
}

ExpectedParts::ExpectedParts(fs::path file) : file_(std::move(file)), text_(read_file(file_)) {}

void ExpectedParts::expect(std::size_t from, std::size_t to, const std::string& expected, const std::string& got,
                           const std::string& stored) {
  if (!updating_expected_outputs()) {
    EXPECT_EQ(got, expected);
  } else if (got != expected) {
    replacements_.push_back({from, to, stored});
  }
}

ExpectedParts::~ExpectedParts() {
  if (replacements_.empty()) return;
  std::ranges::sort(replacements_, [](const Replacement& a, const Replacement& b) { return a.from > b.from; });
  for (const Replacement& r : replacements_) text_.replace(r.from, r.to - r.from, r.bytes);
  write_file(file_, text_);
}

}  // namespace pl_config::testing
