#pragma once

#include "header_rows.h"
#include "machine_registers.h"
#include "output.h"
#include "section_model.h"
#include "section_writer.h"

namespace pl_config {

// Each section's generated text, in output order, from its model.
void emit_regs_section(const RegsSection& section, const MachineRegisters& machine_registers, Output& arch_header,
                       Output& register_map);
void emit_tags_section(const TagsSection& section, Output& arch_header, Output& public_config);
void emit_tags_begin(Output& arch_header);
void emit_stacks_section(const StacksSection& section, Output& arch_header, Output& stack_header);

// Writes every section into the headers, each asked for by its role.
class HeaderWriter : public SectionWriter {
 public:
  explicit HeaderWriter(HeaderOutputs& headers) : headers_(headers) {}

  void section(const RegsSection& section) override {
    emit_regs_section(section, *section.machine_registers, out(HeaderRole::arch_header), out(HeaderRole::register_map));
  }
  void section(const TagsSection& section) override {
    emit_tags_section(section, out(HeaderRole::arch_header), out(HeaderRole::public_config));
  }
  void section(const StacksSection& section) override {
    emit_stacks_section(section, out(HeaderRole::arch_header), out(HeaderRole::stack_header));
  }
  // The block's begin banner is written before the check of its values.
  void tags_section_rejected() override { emit_tags_begin(out(HeaderRole::arch_header)); }

 private:
  Output& out(HeaderRole role) { return headers_.out(role); }

  HeaderOutputs& headers_;
};

}  // namespace pl_config
