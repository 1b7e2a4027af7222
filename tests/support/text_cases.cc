#include "text_cases.h"

#include <stdexcept>

#include "tool_run.h"

namespace pl_config::testing {

namespace {

constexpr std::string_view no_newline = "\\ no newline\n";

std::vector<TextCase> cases_of(const std::string& text, const std::string& name) {
  std::vector<TextCase> cases;
  const auto end_part = [&](std::size_t at) {
    if (!cases.empty()) cases.back().spans.back().second = at;
  };
  for (std::size_t at = 0, end; at < text.size(); at = end) {
    end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string_view line(text.data() + at, end - at);
    if (line.starts_with("=== ")) {
      end_part(at);
      cases.push_back({std::string(line.substr(4, line.size() - 5)), {""}, {""}, {{end, end}}});
    } else if (cases.empty()) {
      continue;
    } else if (line.starts_with("--- ")) {
      end_part(at);
      cases.back().parts.emplace_back();
      cases.back().names.emplace_back(line.substr(4, line.size() - 5));
      cases.back().spans.emplace_back(end, end);
    } else if (line == no_newline) {
      std::string& part = cases.back().parts.back();
      if (!part.ends_with('\n')) throw std::runtime_error(name + ": \"\\ no newline\" after no line");
      part.pop_back();
    } else {
      cases.back().parts.back() += line;
    }
  }
  end_part(text.size());
  if (cases.empty()) throw std::runtime_error(name + ": no case");
  return cases;
}

}  // namespace

std::vector<TextCase> text_cases(const std::filesystem::path& file) { return cases_of(read_file(file), file.string()); }

CaseFile::CaseFile(const std::filesystem::path& file) : parts_(file), cases_(cases_of(parts_.text(), file.string())) {}

void CaseFile::expect(const TextCase& c, std::size_t part, const std::string& got) {
  const bool marked = !got.empty() && !got.ends_with('\n');
  parts_.expect(c.spans[part].first, c.spans[part].second, c.parts[part], got,
                marked ? got + "\n" + std::string(no_newline) : got);
}

}  // namespace pl_config::testing
