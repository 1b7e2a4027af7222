#pragma once


#include "output.h"
#include "section_writer.h"

namespace pl_config {

// The layout that a description declares, written for a person at a
// terminal: one block per section, in the order of the description, in
// aligned columns.  No line is wider than 80 columns but for a name or top
// expression that is longer by itself.
class LayoutReport : public SectionWriter {
 public:
  explicit LayoutReport(Output& out) : out_(out) {}

  void regs_section(const RegsSection& section, const MachineRegisters& machine_registers) override;
  void tags_section(const TagsSection& section) override;
  void stacks_section(const StacksSection& section) override;
  // After the last section: a description without sections says so.
  void finish();

 private:
  void start_block(const char* title, const char* section, int line);

  Output& out_;
  bool blocks_written_ = false;
};

}  // namespace pl_config
