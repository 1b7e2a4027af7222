#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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
  void next_block();
  void start_block(const char* title, const char* section, int line);

  Output& out_;
  bool blocks_written_ = false;
};

// A tags section's block of the report, from its title line to its last tag.
void write_tagged_word_block(Output& out, const TagsSection& section);

// Each value of a filler prefix, without its "+".
template <typename Visit>
void for_each_filler_value(std::string_view prefix, Visit visit) {
  while (!prefix.empty()) {
    const std::size_t plus = prefix.find('+');
    visit(prefix.substr(0, plus));
    prefix.remove_prefix(plus == std::string_view::npos ? prefix.size() : plus + 1);
  }
}

// A filler value written in digits, as the reader writes integers back.
bool is_number(std::string_view filler_value);
// The words ahead of the first bank slot, when every filler value is a number.
std::optional<std::int64_t> filler_words(std::string_view prefix);

}  // namespace pl_config
