#include "generated_names.h"

#include <algorithm>
#include <array>

#include "ascii.h"
#include "tag_kinds.h"

namespace pl_config {

namespace {

constexpr std::size_t names_per_kind = 3;  // its enumerator, its tag and untag macros
constexpr std::size_t fixed_count = std::size(fixed_names) + names_per_kind * std::size(tag_kinds);

// The rows and the tag kinds' names, in name order for a binary search.
constexpr std::array<FixedName, fixed_count> sorted_fixed_names = [] {
  std::array<FixedName, fixed_count> all{};
  std::size_t n = 0;
  for (const FixedName& fixed : fixed_names) all[n++] = fixed;
  for (const TagKindRow& row : tag_kinds)
    for (const char* name : {row.generated, row.tag_macro, row.untag_macro})
      all[n++] = {name, row_of(HeaderRole::arch_header).name, NameRole::defined};
  std::sort(all.begin(), all.end(), [](const FixedName& a, const FixedName& b) { return a.name < b.name; });
  return all;
}();

constexpr bool names_distinct() {
  for (std::size_t i = 1; i < fixed_count; ++i)
    if (sorted_fixed_names[i - 1].name == sorted_fixed_names[i].name) return false;
  return true;
}
static_assert(names_distinct());

}  // namespace

MadeText made_name(const MadeName& made, std::string_view part) {
  MadeText text;
  text.assign(made.prefix);
  if (made.part == MadePart::capitalised && !part.empty()) {
    const char capital = ascii_upper(part.front());
    text.append({&capital, 1});
    part.remove_prefix(1);
  }
  text.append(part);
  text.append(made.suffix);
  return text;
}

const FixedName* find_fixed_name(std::string_view name) {
  const auto found = std::lower_bound(sorted_fixed_names.begin(), sorted_fixed_names.end(), name,
                                      [](const FixedName& fixed, std::string_view n) { return fixed.name < n; });
  return found != sorted_fixed_names.end() && found->name == name ? &*found : nullptr;
}

}  // namespace pl_config
