#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "expected_output.h"

namespace pl_config::testing {

// One case of a data file of cases: its title, its parts and their names
// (the first part's is empty), and where each part stands in the file.
struct TextCase {
  std::string title;
  std::vector<std::string> parts;
  std::vector<std::string> names;
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // bytes [first, second) of the file
};

// The cases of `file`: each a line "=== TITLE", its first part, then each
// further part after a line "--- NAME".  A part followed by a line
// "\ no newline" ends without one.  Lines before the first case are
// comments.
std::vector<TextCase> text_cases(const std::filesystem::path& file);

// A file of cases whose later parts are expected outputs, compared through
// the update mode of expected_output.h.
class CaseFile {
 public:
  explicit CaseFile(const std::filesystem::path& file);

  const std::vector<TextCase>& cases() const { return cases_; }
  // Part `part` of `c` is `got`.
  void expect(const TextCase& c, std::size_t part, const std::string& got);

 private:
  ExpectedParts parts_;
  std::vector<TextCase> cases_;
};

}  // namespace pl_config::testing
