#pragma once

#include <array>
#include <cstddef>

#include "output.h"
#include "section_writer.h"
#include "messages.h"

namespace pl_config {

// What a description may declare and the tool accepts, but an engine built
// from its headers would get wrong.  Each warning is written as
// "FILE:LINE: warning: TEXT", LINE being that of the later declaration.
class LayoutWarnings : public SectionWriter {
 public:
  // Names are remembered for the repeats across sections up to this many;
  // later ones are still compared with them, but not kept.
  static constexpr std::size_t name_capacity = 2048;

  LayoutWarnings(Output& out, const char* description) : out_(out), description_(description) {}

  void regs_section(const RegsSection& section, const MachineRegisters& machine_registers) override;
  void tags_section(const TagsSection& section) override;
  void stacks_section(const StacksSection& section) override;

 private:
  enum class Kind { register_name, tag, stack };
  struct Declared {
    Name name;
    Kind kind;
    int line;
  };

  // Warns if `name` repeats an earlier declaration it clashes with, and
  // remembers it.
  void declare(const char* name, Kind kind, int line);
  void warn(int line, Message id, ...);

  Output& out_;
  const char* description_;
  std::array<Declared, name_capacity> names_{};
  std::size_t name_count_ = 0;
};

}  // namespace pl_config
