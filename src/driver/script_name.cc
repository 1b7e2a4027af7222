#include "script_name.h"

#include "bounded_text.h"
#include "error.h"
#include "python_names.h"

#ifdef _WIN32
#include <windows.h>

#include <iterator>
#endif

namespace pl_config {

namespace {

#ifdef _WIN32
constexpr std::string_view path_separators = "/\\";

// A Windows program gets its command line in the ANSI code page; Python's
// names are judged in UTF-8.  A name too long to convert is judged as it is.
bool is_module_name(std::string_view module) {
  wchar_t wide[1024];
  char utf8[4 * std::size(wide)];
  const int size = static_cast<int>(module.size());
  const int wide_size = MultiByteToWideChar(CP_ACP, 0, module.data(), size, wide, static_cast<int>(std::size(wide)));
  const int utf8_size = wide_size <= 0 ? 0
                                       : WideCharToMultiByte(CP_UTF8, 0, wide, wide_size, utf8,
                                                             static_cast<int>(sizeof utf8), nullptr, nullptr);
  if (utf8_size <= 0) return is_python_identifier(module);
  return is_python_identifier({utf8, static_cast<std::size_t>(utf8_size)});
}
#else
constexpr std::string_view path_separators = "/";

bool is_module_name(std::string_view module) { return is_python_identifier(module); }
#endif

std::string_view base_name(std::string_view path) {
  const std::size_t separator = path.find_last_of(path_separators);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::string_view script_module_name(std::string_view path) {
  std::string_view base = base_name(path);
  if (base.ends_with(".py")) base.remove_suffix(3);
  return base;
}

// gdb's `source` reads a file as Python by its ".py" alone; lldb's `command
// script import` imports the module of the base name.
void warn_about_script_name(Diagnostics& diagnostics, const char* path) {
  const std::string_view module = script_module_name(path);
  const int size = static_cast<int>(module.size());
  BoundedText<Error::capacity> why;
  if (!base_name(path).ends_with(".py")) {
    why.assign(entry_of(Message::script_without_py).text);
  } else if (is_python_keyword(module)) {
    why.append_format(entry_of(Message::script_keyword).text, size, module.data());
  } else if (!is_module_name(module)) {
    why.append_format(entry_of(Message::script_not_identifier).text, size, module.data());
  }
  if (!why.view().empty()) diagnostics.warning(Message::script_name, {}, path, why.c_str());
}

}  // namespace pl_config
