#pragma once

#include <cstddef>
#include <iterator>

#include "description_limits.h"
#include "enum_rows.h"

namespace pl_config {

enum class SectionKind { regs, tags, stacks };

// A kind of section, with all the words the tool has for it: what follows
// "@begin", the word the error of a section left open names it by, what one
// of its lines declares, the first name that a second such section makes
// the headers define again, the title of its block in the layout report,
// the entries one section holds, and what an editor's outline shows its
// declarations as (a SymbolKind of the language server protocol).
struct SectionKindRow {
  SectionKind kind;
  const char* name;
  const char* end_word;
  const char* declares;
  const char* redefined;
  const char* title;
  std::size_t capacity;
  int symbol_kind;
};

// In the order of SectionKind.
inline constexpr SectionKindRow section_kinds[] = {
    {SectionKind::regs, "regs", "reg", "register", "pl_reg_tbl", "Register bank",
     limit::written_register_groups* limit::registers_per_group, 13 /* Variable */},
    {SectionKind::tags, "tags", "tag", "tag", "pl_tag_tbl", "Tagged word", 128, 14 /* Constant */},
    {SectionKind::stacks, "stacks", "stack", "stack", "InfStack", "Stacks", 12, 18 /* Array */},
};

inline constexpr const SectionKindRow& row_of(SectionKind kind) { return section_kinds[static_cast<int>(kind)]; }

static_assert(in_enum_order(section_kinds, &SectionKindRow::kind));

}  // namespace pl_config
