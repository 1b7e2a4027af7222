#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "output.h"
#include "section_writer.h"
#include "printf_format.h"

namespace pl_config {

// What a description may declare and the tool accepts, but an engine built
// from its headers would get wrong.  Each warning is written as
// "FILE:LINE: warning: TEXT", LINE being that of the later declaration.
class LayoutWarnings : public SectionWriter {
 public:
  // Names are remembered for the repeats across sections up to this many;
  // later ones are still compared with them, but not kept.
  static constexpr std::size_t name_capacity = 2048;

  // A warning of the section just handed over, as it was written: its line
  // and its text after "warning: ".
  struct Recorded {
    int line = 0;
    char text[192] = "";
  };
  // The most warnings one section can draw: one per register, or one for the
  // largest tag value and three per tag.
  static constexpr std::size_t section_capacity = RegsSection::capacity;
  static_assert(section_capacity >= 1 + 3 * TagsSection::capacity);

  LayoutWarnings(Output& out, const char* description) : out_(out), description_(description) {}

  void regs_section(const RegsSection& section, const MachineRegisters& machine_registers) override;
  void tags_section(const TagsSection& section) override;
  void stacks_section(const StacksSection& section) override;

  // The warnings of the last section handed over, in the order written.
  std::span<const Recorded> section_warnings() const { return {recorded_.data(), recorded_count_}; }

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
  void warn(int line, const char* format, ...) PL_CONFIG_PRINTF(3, 4);

  Output& out_;
  const char* description_;
  std::array<Declared, name_capacity> names_{};
  std::size_t name_count_ = 0;
  std::array<Recorded, section_capacity> recorded_{};
  std::size_t recorded_count_ = 0;
};

}  // namespace pl_config
