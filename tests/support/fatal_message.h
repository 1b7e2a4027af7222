#pragma once

#include <string>

#include "error.h"

namespace pl_config::testing {

// The message of the fatal error that `action` raises, or "" if it returns.
template <typename Action>
std::string fatal_message(Action&& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace pl_config::testing
