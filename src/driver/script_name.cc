#include "script_name.h"

#include <algorithm>
#include <iterator>

#include "ascii.h"

namespace pl_config {

namespace {

// `import NAME`, which lldb runs, is a syntax error for these.
constexpr std::string_view python_keywords[] = {
    "False", "None",     "True",  "and",    "as",   "assert", "async",  "await",    "break",
    "class", "continue", "def",   "del",    "elif", "else",   "except", "finally",  "for",
    "from",  "global",   "if",    "import", "in",   "is",     "lambda", "nonlocal", "not",
    "or",    "pass",     "raise", "return", "try",  "while",  "with",   "yield",
};

#ifdef _WIN32
constexpr std::string_view path_separators = "/\\";
#else
constexpr std::string_view path_separators = "/";
#endif

// Python takes letters beyond ASCII too, but lldb's own tests and every
// engine name stay within it; the reference says so.
bool is_module_name(std::string_view name) {
  const auto identifier_char = [](char c) { return is_identifier_char(static_cast<unsigned char>(c)); };
  return !name.empty() && !is_digit(static_cast<unsigned char>(name.front())) &&
         std::all_of(name.begin(), name.end(), identifier_char) &&
         std::find(std::begin(python_keywords), std::end(python_keywords), name) == std::end(python_keywords);
}

}  // namespace

std::string_view script_module_name(std::string_view path) {
  const std::size_t separator = path.find_last_of(path_separators);
  std::string_view base = separator == std::string_view::npos ? path : path.substr(separator + 1);
  if (base.ends_with(".py")) base.remove_suffix(3);
  return base;
}

void warn_about_script_name(Diagnostics& diagnostics, const char* path) {
  const std::string_view module = script_module_name(path);
  if (!is_module_name(module))
    diagnostics.warning(Message::script_name, {}, path, static_cast<int>(module.size()), module.data());
}

}  // namespace pl_config
