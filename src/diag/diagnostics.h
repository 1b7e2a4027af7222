#pragma once

#include <cstdarg>
#include <cstdint>
#include <string_view>

#include "description_lines.h"
#include "diagnostic.h"
#include "error.h"
#include "files.h"
#include "fixed_table.h"
#include "held_diagnostics.h"
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
  // A check stops at the error limit; an editor reads the whole text.
  bool stops_at_error_limit = true;
  // Bit i set: the warning of the i-th warning entry of the message table is off.
  std::uint64_t disabled = 0;
};

// Writes diagnostics as compilers write theirs: the locus, the severity and
// the text, then the line with a caret under the field.  Without `located`,
// an error is its plain message alone.
class DiagnosticPrinter : public DiagnosticConsumer {
 public:
  DiagnosticPrinter(Output& out, const Directory& directory, const DiagnosticSettings& settings)
      : out_(out), located_(settings.located), color_(settings.color), lines_(directory) {}

  void take(const Diagnostic& diagnostic) override;

 private:
  void start(const Diagnostic& diagnostic, int column);
  void show_line(const Diagnostic& diagnostic, std::string_view text);
  void put_repeated(std::string_view run, int count);
  const char* color(const char* code) const { return color_ ? code : ""; }

  Output& out_;
  bool located_;
  bool color_;
  DescriptionLines lines_;
};

// The one way every error, warning and note of the tool goes: formatted once
// and handed to the printer and to every consumer that asked, as it arises,
// or, inside a section, at the section's end in line order.
// Counts the errors, so that a check can go on after one and end with the
// right status, and --werror fail a run.
class Diagnostics {
 public:
  static constexpr int error_limit = 20;
  static constexpr std::size_t consumer_capacity = 4;

  Diagnostics(Output& out, const Directory& directory, const DiagnosticSettings& settings);
  Diagnostics(const Diagnostics&) = delete;
  Diagnostics& operator=(const Diagnostics&) = delete;

  // `consumer` takes every diagnostic from now on, after the printer, until
  // it is removed; see ConsumerScope.
  void add_consumer(DiagnosticConsumer& consumer);
  void remove_consumer(DiagnosticConsumer& consumer);

  // An error: one that ends a run, or one of a check, which goes on after it.
  void error(const Error& error);
  // False when the warning is off, and so is any note that would follow it.
  bool warning(Message id, Location at, ...);
  bool vwarning(Message id, Location at, std::va_list args);
  void note(Message id, Location at);
  // Once the error limit is reached: says so.
  void note_limit();

  // The diagnostics from now on belong to the section opened at `opening`,
  // and are held; line 0 for none, which lets the held ones go.
  void in_section(Location opening);
  // Hands out the held diagnostics, in line order.
  void release_held();

  bool keeps_going() const { return settings_.keep_going; }
  int errors() const { return errors_; }
  int warnings() const { return warnings_; }
  bool full() const { return settings_.stops_at_error_limit && errors_ >= error_limit; }

  // The bit of `id` in DiagnosticSettings::disabled; -1 for no warning.
  static int warning_bit(Message id);

 private:
  void hand_out(const Diagnostic& diagnostic);
  void deliver(const Diagnostic& diagnostic);
  Diagnostic make(Severity severity, Message id, Location at, std::string_view text) const;

  const Directory& directory_;
  DiagnosticSettings settings_;
  DiagnosticPrinter printer_;
  FixedTable<DiagnosticConsumer*, consumer_capacity> consumers_;
  Location section_;
  HeldDiagnostics held_;
  int errors_ = 0;
  int warnings_ = 0;
};

// `consumer` takes the diagnostics while it lives.
class ConsumerScope {
 public:
  ConsumerScope(Diagnostics& diagnostics, DiagnosticConsumer& consumer)
      : diagnostics_(diagnostics), consumer_(consumer) {
    diagnostics_.add_consumer(consumer_);
  }
  ~ConsumerScope() { diagnostics_.remove_consumer(consumer_); }
  ConsumerScope(const ConsumerScope&) = delete;
  ConsumerScope& operator=(const ConsumerScope&) = delete;

 private:
  Diagnostics& diagnostics_;
  DiagnosticConsumer& consumer_;
};

// The diagnostics of the section opened at `opening` while it lives.
class SectionScope {
 public:
  SectionScope(Diagnostics* diagnostics, Location opening) : diagnostics_(diagnostics) {
    if (diagnostics_ != nullptr) diagnostics_->in_section(opening);
  }
  ~SectionScope() {
    if (diagnostics_ != nullptr) diagnostics_->in_section({});
  }
  SectionScope(const SectionScope&) = delete;
  SectionScope& operator=(const SectionScope&) = delete;

 private:
  Diagnostics* diagnostics_;
};

// The word of `choices` ("a, b, c") nearest `word`, letter case aside, if
// it is within two edits; empty if none is.
std::string_view nearest_choice(std::string_view word, std::string_view choices);

}  // namespace pl_config
