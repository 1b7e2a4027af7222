#pragma once

#include <string_view>

namespace pl_config {

// `name`, UTF-8, is an identifier of Python 3: a letter or "_" first, then
// letters, digits, "_" and the marks that go on letters, beyond ASCII too.
bool is_python_identifier(std::string_view name);

// `name` is one of Python 3's keywords, which no import names.
bool is_python_keyword(std::string_view name);

}  // namespace pl_config
