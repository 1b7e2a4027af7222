#pragma once

#include <string_view>

#include "layout_warnings.h"
#include "output.h"
#include "section_writer.h"

namespace pl_config {

// The layout that a description declares, as one JSON document for other
// programs: every section in the order of the description, with the
// warnings it drew.  The warnings come from `warnings`, which must have been
// handed each section before this writer.
class JsonReport : public SectionWriter {
 public:
  static constexpr int format_version = 1;

  JsonReport(Output& out, const char* description, const LayoutWarnings& warnings)
      : out_(out), description_(description), warnings_(warnings) {}

  void regs_section(const RegsSection& section, const MachineRegisters& machine_registers) override;
  void tags_section(const TagsSection& section) override;
  void stacks_section(const StacksSection& section) override;
  // After the last section: closes the document.
  void finish();

 private:
  void start_document();
  void start_section(const char* kind, int line);
  void end_section();

  Output& out_;
  const char* description_;
  const LayoutWarnings& warnings_;
  bool sections_written_ = false;
};

// `text` as a JSON string, its quotes included.  A byte that is not part of
// well-formed UTF-8 becomes U+FFFD, so that the document is always valid.
void put_json_string(Output& out, std::string_view text);

}  // namespace pl_config
