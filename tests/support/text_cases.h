#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pl_config::testing {

// One case of a data file of cases: its title, its parts and their names
// (the first part's is empty).
struct TextCase {
  std::string title;
  std::vector<std::string> parts;
  std::vector<std::string> names;
};

// The cases of `file`: each a line "=== TITLE", its first part, then each
// further part after a line "--- NAME".  A part followed by a line
// "\ no newline" ends without one.  Lines before the first case are
// comments.
std::vector<TextCase> text_cases(const std::filesystem::path& file);

}  // namespace pl_config::testing
