#pragma once

#include <cstdint>
#include <span>

#include "description_limits.h"
#include "word_layout.h"

namespace pl_config {

// What the section generators collect, as they hand it over once a section
// has been read and checked to its end line.  Each section is handed over
// in the order of the description; the tables are gone after the call.

// A bank slot holds one 64-bit word.
inline constexpr int bank_slot_bytes = 8;

// A register of groups 0 to 9, in register order, and where it lives.
struct PlacedRegister {
  const char* name;
  const char* type;
  int line = 0;
  const char* machine_register;  // null for a register in the bank
  int bank_slot;                 // in the bank: counted from the first slot after the filler
};

struct RegsSection {
  int opening_line;
  const char* bank_pointer_register;  // pl_reg_bank's machine register; null: it is a variable
  const char* filler_prefix;          // the filler values, each followed by "+"
  std::span<const PlacedRegister> registers;
};

enum class TagKind { long_int, short_uns, address };

// Each kind as the description writes it and as the generated text names it,
// in the order of TagKind.
struct TagKindNames {
  const char* word;
  const char* generated;
};
inline constexpr TagKindNames tag_kind_names[] = {
    {"long_int", "LONG_INT"}, {"short_uns", "SHORT_UNS"}, {"address", "ADDRESS"}};

inline const TagKindNames& names_of(TagKind kind) { return tag_kind_names[static_cast<int>(kind)]; }

struct Tag {
  Name name;
  TagKind kind = TagKind::long_int;
  std::int32_t value = 0;
  int line = 0;

  const char* c_name() const { return name.c_str(); }
};

struct TagsSection {
  int opening_line;
  const WordLayout& word;
  std::span<const Tag> tags;
};

struct StackEntry {
  Name name;
  StackDescription description;  // with its double quotes
  std::int32_t default_size = 0;  // in WamWords
  TopExpression top_expression;
  int line = 0;
};

struct StacksSection {
  int opening_line;
  std::span<const StackEntry> stacks;
};

// Receives every section of a run: the check's layout report and warnings.
class LayoutObserver {
 public:
  virtual ~LayoutObserver() = default;
  virtual void regs_section(const RegsSection& section) = 0;
  virtual void tags_section(const TagsSection& section) = 0;
  virtual void stacks_section(const StacksSection& section) = 0;
};

}  // namespace pl_config
