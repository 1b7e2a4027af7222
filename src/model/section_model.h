#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "fixed_table.h"
#include "location.h"
#include "machine_registers.h"
#include "section_kinds.h"
#include "tag_kinds.h"
#include "word_layout.h"

namespace pl_config {

class SectionLines;
struct SectionReading;

// What the section readers make of a section once it has been read and
// checked to its end line: the models that every writer takes.  Each field
// keeps where it stands in the description.  Each model names its reader,
// which src/read/ defines: it reads the section's lines up to its end line.

// A bank slot holds one 64-bit word.
inline constexpr int bank_slot_bytes = 8;

// A register of groups 0 to 9 and where it lives.
struct PlacedRegister {
  Name type;
  Name name;
  int group = 0;
  Location type_at;
  Location name_at;
  const char* machine_register = nullptr;  // null for a register in the bank
  int bank_slot = 0;                       // in the bank: counted from the first slot after the filler

  const char* c_name() const { return name.c_str(); }
  const char* c_type() const { return type.c_str(); }
  int line() const { return name_at.line; }
};

struct RegsSection {
  static constexpr SectionKind kind = SectionKind::regs;
  void read(SectionLines& lines, SectionReading& reading);
  static constexpr std::size_t capacity = row_of(kind).capacity;
  static constexpr std::size_t unwritten_capacity =
      (limit::register_groups - limit::written_register_groups) * limit::registers_per_group;

  Location opening;                                     // the @begin line
  const MachineRegisters* machine_registers = nullptr;  // the whole run's table, this section's included
  const char* bank_pointer_register = nullptr;          // pl_reg_bank's machine register; null: it is a variable
  FillerPrefix filler_prefix;                           // the filler values, each followed by "+"
  FixedTable<PlacedRegister, capacity> register_table;  // in register order
  // Declared in groups 10 to 14, which no header shows, in register order.
  FixedTable<PlacedRegister, unwritten_capacity> unwritten_table;

  std::span<const PlacedRegister> registers() const { return register_table; }
  std::span<const PlacedRegister> unwritten() const { return unwritten_table; }
};

struct Tag {
  Name name;
  TagKind kind = TagKind::long_int;
  std::int32_t value = 0;
  Location name_at;
  Location kind_at;
  Location value_at;

  const char* c_name() const { return name.c_str(); }
  int line() const { return name_at.line; }
};

struct TagsSection {
  static constexpr SectionKind kind = SectionKind::tags;
  void read(SectionLines& lines, SectionReading& reading);
  static constexpr std::size_t capacity = row_of(kind).capacity;

  Location opening;
  WordLayout word{0};  // complete at the end line
  FixedTable<Tag, capacity> tag_table;
  std::int32_t largest_value = 0;
  // False when a line had an error: the largest value, and so the word's
  // layout, may be another one.
  bool every_line_read = true;

  std::span<const Tag> tags() const { return tag_table; }
};

struct StackEntry {
  Name name;
  StackDescription description;   // with its double quotes
  std::int32_t default_size = 0;  // in WamWords
  TopExpression top_expression;
  Location name_at;
  Location description_at;
  Location size_at;
  Location top_at;

  int line() const { return name_at.line; }
};

struct StacksSection {
  static constexpr SectionKind kind = SectionKind::stacks;
  void read(SectionLines& lines, SectionReading& reading);
  static constexpr std::size_t capacity = row_of(kind).capacity;

  Location opening;
  FixedTable<StackEntry, capacity> stack_table;

  std::span<const StackEntry> stacks() const { return stack_table; }
};

// The models of every kind of section, as the arguments of `List`: a
// writer's calls are one for each, and so are the reader's readers.
template <template <typename...> class List>
using EverySection = List<RegsSection, TagsSection, StacksSection>;

// What several writers derive from the models, in one place.

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

// How a tag's UnTag_<TAG> macro takes the value from a word: through its
// kind's general untag macro, by an unsigned shift past the low tag bits, or
// as the whole word.  The debugger script decodes words the same way.
enum class UntagForm { kind_macro, unsigned_shift, whole_word };
UntagForm untag_form(const Tag& tag);
// As the debugger script and the JSON report name it: "kind_macro",
// "unsigned_shift" or "whole_word".
const char* untag_form_word(UntagForm form);

}  // namespace pl_config
