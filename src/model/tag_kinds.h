#pragma once

#include "enum_rows.h"

namespace pl_config {

enum class TagKind { long_int, short_uns, address };

// A kind of tag: as the description names it, as the generated TypTag names
// it, and its general tag and untag macros.
struct TagKindRow {
  TagKind kind;
  const char* word;
  const char* generated;
  const char* tag_macro;
  const char* untag_macro;
};

// In the order of TagKind, which is that of the generated TypTag.
inline constexpr TagKindRow tag_kinds[] = {
    {TagKind::long_int, "long_int", "LONG_INT", "Tag_Long_Int", "UnTag_Long_Int"},
    {TagKind::short_uns, "short_uns", "SHORT_UNS", "Tag_Short_Uns", "UnTag_Short_Uns"},
    {TagKind::address, "address", "ADDRESS", "Tag_Address", "UnTag_Address"},
};

inline constexpr const TagKindRow& row_of(TagKind kind) { return tag_kinds[static_cast<int>(kind)]; }

static_assert(in_enum_order(tag_kinds, &TagKindRow::kind));

}  // namespace pl_config
