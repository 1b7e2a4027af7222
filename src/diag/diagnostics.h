#pragma once

#include <cstdarg>
#include <cstdint>

#include "description_lines.h"
#include "error.h"
#include "files.h"
#include "messages.h"
#include "output.h"

namespace pl_config {

struct DiagnosticSettings {
  // Errors as compilers write them; otherwise as a plain run does, the
  // message alone.
  bool located = true;
  bool color = false;
  // Warnings are shown; with werror, as errors.
  bool warnings = true;
  bool werror = false;
  // An error ends the line or section it is in, not the reading (a check).
  bool keep_going = false;
  // Bit i set: the warning of the i-th warning entry of the message table is off.
  std::uint64_t disabled = 0;
};

// Writes errors, warnings and notes as compilers write theirs: the locus,
// the severity and the text, then the line with a caret under the field.
// Counts what it wrote, so that a check can go on after an error and end
// with the right status.
class Diagnostics {
 public:
  static constexpr int error_limit = 20;

  Diagnostics(Output& out, const Directory& directory, const DiagnosticSettings& settings)
      : out_(out), directory_(directory), settings_(settings), lines_(directory) {}

  void error(const Error& error);
  // The error that ends a run or a check.
  void fatal(const Error& error);
  // False when the warning is off, and so is any note that would follow it.
  bool warning(Message id, Location at, ...);
  bool vwarning(Message id, Location at, std::va_list args);
  void note(Message id, Location at);
  // Once the error limit is reached: says so.
  void note_limit();

  bool keeps_going() const { return settings_.keep_going; }
  int errors() const { return errors_; }
  bool full() const { return errors_ >= error_limit; }

  // The bit of `id` in DiagnosticSettings::disabled; -1 for no warning.
  static int warning_bit(Message id);

 private:
  enum class Severity { error, warning, note };

  void start(const char* locus, Location at, Severity severity);
  void show_line(Location at, const Error::LineText* known);
  const char* color(const char* code) const { return settings_.color ? code : ""; }

  Output& out_;
  const Directory& directory_;
  DiagnosticSettings settings_;
  DescriptionLines lines_;
  int errors_ = 0;
};

// The word of `choices` ("a, b, c") nearest `word`, letter case aside, if
// it is within two edits; empty if none is.
std::string_view nearest_choice(std::string_view word, std::string_view choices);

}  // namespace pl_config
