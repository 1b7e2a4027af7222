#include "script_name.h"

#include "bounded_text.h"
#include "error.h"
#include "python_names.h"

namespace pl_config {

namespace {

#ifdef _WIN32
constexpr std::string_view path_separators = "/\\";
#else
constexpr std::string_view path_separators = "/";
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
  } else if (!is_python_identifier(module)) {
    why.append_format(entry_of(Message::script_not_identifier).text, size, module.data());
  }
  if (!why.view().empty()) diagnostics.warning(Message::script_name, {}, path, why.c_str());
}

}  // namespace pl_config
