#include "text_cases.h"

#include <stdexcept>

#include "tool_run.h"

namespace pl_config::testing {

std::vector<TextCase> text_cases(const std::filesystem::path& file) {
  const std::string text = read_file(file);
  std::vector<TextCase> cases;
  for (std::size_t at = 0, end; at < text.size(); at = end) {
    end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string_view line(text.data() + at, end - at);
    if (line.starts_with("=== ")) {
      cases.push_back({std::string(line.substr(4, line.size() - 5)), {""}, {""}});
    } else if (cases.empty()) {
      continue;
    } else if (line.starts_with("--- ")) {
      cases.back().parts.emplace_back();
      cases.back().names.emplace_back(line.substr(4, line.size() - 5));
    } else if (line == "\\ no newline\n") {
      std::string& part = cases.back().parts.back();
      if (!part.ends_with('\n')) throw std::runtime_error(file.string() + ": \"\\ no newline\" after no line");
      part.pop_back();
    } else {
      cases.back().parts.back() += line;
    }
  }
  if (cases.empty()) throw std::runtime_error(file.string() + ": no case");
  return cases;
}

}  // namespace pl_config::testing
