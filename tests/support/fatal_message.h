#pragma once

#include <string>

#include "fatal_error.h"

namespace pl_config::testing {

// The message of the fatal error that `action` raises, or "" if it returns.
template <typename Action>
std::string fatal_message(Action&& action) {
  try {
    action();
  } catch (const FatalError& error) {
    return error.what();
  }
  return "";
}

}  // namespace pl_config::testing
