#pragma once

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

// Writes every section into the headers.
class HeaderWriter : public SectionWriter {
 public:
  HeaderWriter(Output& arch_header, Output& register_map, Output& stack_header, Output& public_config)
      : arch_header_(arch_header),
        register_map_(register_map),
        stack_header_(stack_header),
        public_config_(public_config) {}

  void section(const RegsSection& section) override {
    emit_regs_section(section, *section.machine_registers, arch_header_, register_map_);
  }
  void section(const TagsSection& section) override { emit_tags_section(section, arch_header_, public_config_); }
  void section(const StacksSection& section) override { emit_stacks_section(section, arch_header_, stack_header_); }
  // The block's begin banner is written before the check of its values.
  void tags_section_rejected() override { emit_tags_begin(arch_header_); }

 private:
  Output& arch_header_;
  Output& register_map_;
  Output& stack_header_;
  Output& public_config_;
};

}  // namespace pl_config
