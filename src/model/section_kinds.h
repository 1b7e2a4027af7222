#pragma once

#include <iterator>

#include "messages.h"

namespace pl_config {

enum class SectionKind { regs, tags, stacks };

// A kind of section, with all the words the tool has for it: what follows
// "@begin", the error of a section left open, what one of its lines
// declares, the first name that a second such section makes the headers
// define again, and the title of its block in the layout report.
struct SectionKindRow {
  SectionKind kind;
  const char* name;
  Message end_expected;
  const char* declares;
  const char* redefined;
  const char* title;
};

// In the order of SectionKind.
inline constexpr SectionKindRow section_kinds[] = {
    {SectionKind::regs, "regs", Message::regs_end_expected, "register", "pl_reg_tbl", "Register bank"},
    {SectionKind::tags, "tags", Message::tags_end_expected, "tag", "pl_tag_tbl", "Tagged word"},
    {SectionKind::stacks, "stacks", Message::stacks_end_expected, "stack", "InfStack", "Stacks"},
};

inline constexpr const SectionKindRow& row_of(SectionKind kind) { return section_kinds[static_cast<int>(kind)]; }

constexpr bool section_rows_in_kind_order() {
  for (int i = 0; i < static_cast<int>(std::size(section_kinds)); ++i)
    if (static_cast<int>(section_kinds[i].kind) != i) return false;
  return true;
}
static_assert(section_rows_in_kind_order());

}  // namespace pl_config
