#pragma once

#include <string_view>

#include "diagnostics.h"
#include "machine_registers.h"
#include "output.h"
#include "section_writer.h"

namespace pl_config {

// What a check finds, as one JSON document for other programs: the sections
// and the diagnostics in one list, each as it arises, so that nothing is
// kept; the machine registers and the counts at the end.  The document is
// whole whether the check passes or fails.
class JsonReport : public SectionWriter, public DiagnosticConsumer {
 public:
  static constexpr int format_version = 2;

  // `version`: the tool's.
  JsonReport(Output& out, const char* version, const char* description)
      : out_(out), version_(version), description_(description) {}

  void take(const Diagnostic& diagnostic) override;
  void section(const RegsSection& section) override;
  void section(const TagsSection& section) override;
  void section(const StacksSection& section) override;
  // After the last item, the reading done or ended: closes the document.
  void finish(const MachineRegisters& machine_registers, const Diagnostics& diagnostics);

 private:
  void start_item();
  void start_section(SectionKind kind, int line);

  Output& out_;
  const char* version_;
  const char* description_;
  bool started_ = false;
  bool items_written_ = false;
};

// `text` as a JSON string, its quotes included.  A byte that is not part of
// well-formed UTF-8 becomes U+FFFD, so that the document is always valid.
void put_json_string(Output& out, std::string_view text);
// The same without the quotes.
void put_json_text(Output& out, std::string_view text);

}  // namespace pl_config
