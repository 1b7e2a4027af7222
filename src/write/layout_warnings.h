#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "diagnostics.h"
#include "fixed_table.h"
#include "section_writer.h"

namespace pl_config {

// What a description may declare and the tool accepts, but an engine built
// from its headers would get wrong, warned about at the later declaration
// with a note at the first where there are two.
class LayoutWarnings : public SectionWriter {
 public:
  // Names are remembered for the repeats across sections up to this many;
  // later ones are still compared with them, but not kept.
  static constexpr std::size_t name_capacity = 2048;

  // `processor`: the engine's, whose user addresses the address tags hold.
  LayoutWarnings(Diagnostics& diagnostics, const char* processor) : diagnostics_(diagnostics), processor_(processor) {}

  void regs_section(const RegsSection& section, const MachineRegisters& machine_registers) override;
  void tags_section(const TagsSection& section) override;
  void stacks_section(const StacksSection& section) override;

 private:
  enum class Kind { register_name, tag, stack };
  struct Declared {
    Name name;
    Kind kind;
    Location at;
  };

  // Warns if `name` repeats an earlier declaration it clashes with, or is a
  // C keyword, and remembers it.
  void declare(const Name& name, Kind kind, Location at);
  void second_section(int kind, Location at, const char* defined_twice);
  // False when the warning is turned off.
  bool warn(Message id, Location at, ...);

  Diagnostics& diagnostics_;
  const char* processor_;
  FixedTable<Declared, name_capacity> names_;
  std::array<Location, 3> first_sections_{};  // by Kind
};

}  // namespace pl_config
