#pragma once

// Every comparison of what a test gets with an expected output kept in a
// file goes through here: golden files, case folders, case files.  With
// PL_CONFIG_UPDATE_CASES=1 nothing is compared: each expected output is
// replaced by what the test got, for a change of output that is meant
// (tests/cases/README.md).

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "tool_run.h"

namespace pl_config::testing {

bool updating_expected_outputs();

// The file holds `got`, byte for byte.
void expect_file(const std::filesystem::path& file, const std::string& got);

// The files of `dir` but `inputs` are those of `got`, no more and no fewer.
void expect_files(const std::filesystem::path& dir, const Files& got, std::initializer_list<const char*> inputs);

// A file whose parts are expected outputs, each a span of its bytes.  An
// update writes the file again at the end, each such part replaced.
class ExpectedParts {
 public:
  explicit ExpectedParts(std::filesystem::path file);
  ExpectedParts(const ExpectedParts&) = delete;
  ExpectedParts& operator=(const ExpectedParts&) = delete;
  ~ExpectedParts();

  const std::string& text() const { return text_; }
  // The bytes [from, to) hold `expected`, which `got` must equal; `stored`
  // is `got` as the file would hold it.
  void expect(std::size_t from, std::size_t to, const std::string& expected, const std::string& got,
              const std::string& stored);

 private:
  struct Replacement {
    std::size_t from, to;
    std::string bytes;
  };

  std::filesystem::path file_;
  std::string text_;
  std::vector<Replacement> replacements_;
};

}  // namespace pl_config::testing
