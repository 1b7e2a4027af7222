#pragma once

#include <span>

#include "machine_registers.h"
#include "section_model.h"

namespace pl_config {

// Takes each section of a description, in the order of the description, once
// it has been read and checked to its end line: the headers, the layout
// report, the warnings.  The model is gone after the call.  A writer that
// has nothing to say about a kind of section leaves its call as it is.
class SectionWriter {
 public:
  virtual ~SectionWriter() = default;
  // `machine_registers`: the whole run's table, this section's included.
  virtual void regs_section(const RegsSection&, const MachineRegisters&) {}
  virtual void tags_section(const TagsSection&) {}
  virtual void stacks_section(const StacksSection&) {}
  // A tags section was read to its end line and failed its last check.
  virtual void tags_section_rejected() {}
  // After the description's last section, for a writer that ends its text.
  virtual void end_of_description() {}
};

// Hands each section to every writer of a list, in list order.
class WriterList : public SectionWriter {
 public:
  explicit WriterList(std::span<SectionWriter* const> writers) : writers_(writers) {}

  void regs_section(const RegsSection& section, const MachineRegisters& machine_registers) override {
    for (SectionWriter* writer : writers_) writer->regs_section(section, machine_registers);
  }
  void tags_section(const TagsSection& section) override {
    for (SectionWriter* writer : writers_) writer->tags_section(section);
  }
  void stacks_section(const StacksSection& section) override {
    for (SectionWriter* writer : writers_) writer->stacks_section(section);
  }
  void tags_section_rejected() override {
    for (SectionWriter* writer : writers_) writer->tags_section_rejected();
  }
  void end_of_description() override {
    for (SectionWriter* writer : writers_) writer->end_of_description();
  }

 private:
  std::span<SectionWriter* const> writers_;
};

}  // namespace pl_config
