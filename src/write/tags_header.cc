// The generated text of a tags section, in output order: into the
// architecture header the word layout, the tag/untag macros and pl_tag_tbl;
// into the public configuration header the integer range and tag values.

#include <cstdint>
#include <iterator>
#include <span>

#include "generated_names.h"
#include "header_writer.h"

namespace pl_config {

namespace {

// The macros' parameters, short for their many uses below.
constexpr const char* w = names::param_w;
constexpr const char* v = names::param_v;
constexpr const char* tm = names::param_tm;

// A tagged word's values are printed through long long, which holds 64 bits
// on every platform; long has 32 on Windows.
unsigned long long hex(std::uint64_t bits) { return bits; }

void emit_integer_range(Output& pch, const WordLayout& layout) {
  pch.print("#define %s\t\t%lld\n", names::min_integer, static_cast<long long>(layout.min_integer));
  pch.print("#define %s\t\t%lld\n", names::max_integer, static_cast<long long>(layout.max_integer));
  pch.put("\n");
}

void emit_layout_constants(Output& ah, const WordLayout& layout) {
  const int n = layout.tag_size;
  ah.print("#define %-13s\t\t%d\n", names::tag_size, n);
  ah.print("#define %-13s\t\t%d\n", names::tag_size_low, WordLayout::low_tag_bits);
  ah.print("#define %-13s\t\t%d\n", names::tag_size_high, layout.high_tag_bits());
  ah.print("#define %-13s\t\t%d\n", names::value_size, layout.value_size());
  ah.print("#define %-13s\t\t(PlULong)%#llx\n", names::tag_mask, hex(layout.tag_mask));
  ah.print("#define %-13s\t\t(PlULong)%#llx\n", names::value_mask, hex(layout.value_mask));
  ah.print("#define %s(%s)\t\t((PlLong) (%s) & (TAG_MASK))\n", names::tag_mask_of, w, w);
  if (layout.split()) {
    ah.print("#define %s(%s) \t(((PlULong) (%s) >> %d) | ((%s) & %d))\n", names::tag_from_tag_mask, w, w,
             layout.value_size(), w, WordLayout::low_tag_mask);
    ah.print("#define %s(%s)     \t\t((((PlULong) (%s) >> %d) << %d) | ((%s) & %d))\n", names::tag_of, w, w,
             layout.high_tag_shift(), WordLayout::low_tag_bits, w, WordLayout::low_tag_mask);
  } else {
    ah.print("#define %s(%s) \t(%s)\n", names::tag_from_tag_mask, w, w);
    ah.print("#define %s(%s)     \t\t%s(%s)\n", names::tag_of, w, names::tag_mask_of, w);
  }
}

void emit_tag_masks(Output& ah, std::span<const Tag> tags, const WordLayout& layout) {
  for (const Tag& tag : tags)
    ah.print("#define %s\t\t(PlULong)%#llx\n", made_name(made::tag_mask, tag.name.view()).c_str(),
             hex(layout.mask_of(tag.value)));
}

void emit_tag_values(Output& ah, Output& pch, std::span<const Tag> tags) {
  ah.put("\n");
  ah.print("#define %-17s\t%d\n", names::nb_of_tags, static_cast<int>(tags.size()));
  for (const Tag& tag : tags) {
    ah.print("#define %-10s \t\t%-2d\n", tag.c_name(), tag.value);
    pch.print("#define %-13s \t\t%-2d\n", made_name(made::public_tag_value, tag.name.view()).c_str(), tag.value);
  }
  ah.put("\n");
}

void emit_general_macros(Output& ah, const WordLayout& layout) {
  const int n = layout.tag_size;
  ah.put("\t/* General Tag/UnTag macros */\n\n");
  ah.print("#define Tag_Long_Int(%s, %s)  \t((((PlLong) ((%s) << %d)) >> %d) | (%s))\n", tm, v, v, n,
           layout.high_tag_bits(), tm);
  ah.print("#define Tag_Short_Uns(%s, %s)\t(((PlLong) (%s) << %d) + (%s))\n", tm, v, v, WordLayout::low_tag_bits, tm);
  ah.print("#define Tag_Address(%s, %s)  \t((PlLong) (%s) + (%s))\n", tm, v, v, tm);
  ah.put("\n");
  ah.print("#define UnTag_Long_Int(%s)    \t((PlLong) ((%s) << %d) >> %d)\n", w, w, layout.high_tag_bits(), n);
  ah.print("#define UnTag_Short_Uns(%s)\tUnTag_Long_Int(%s)\n", w, w);
  ah.print("#define UnTag_Address(%s)  \t((WamWord *) ((%s) & VALUE_MASK))\n", w, w);
  ah.put("\n\n");
}

void emit_tag_body(Output& ah, const Tag& tag, const WordLayout& layout) {
  if (tag.kind == TagKind::long_int && tag.value == 0) {
    ah.print("(((PlULong) (%s) << %d) & VALUE_MASK)\n", v, WordLayout::low_tag_bits);
  } else if (tag.kind == TagKind::long_int && tag.value == layout.all_ones) {
    ah.print("(((PlULong) (%s) << %d) | TAG_MASK)\n", v, WordLayout::low_tag_bits);
  } else {
    ah.print("%s(%s, %s)\n", row_of(tag.kind).tag_macro, made_name(made::tag_mask, tag.name.view()).c_str(), v);
  }
}

void emit_untag_body(Output& ah, const Tag& tag) {
  switch (untag_form(tag)) {
    case UntagForm::unsigned_shift: ah.print("((PlULong) (%s) >> %d)\n", w, WordLayout::low_tag_bits); break;
    case UntagForm::whole_word: ah.print("((WamWord *) (%s))\n", w); break;
    case UntagForm::kind_macro: ah.print("%s(%s)\n", row_of(tag.kind).untag_macro, w); break;
  }
}

void emit_specialized_macros(Output& ah, std::span<const Tag> tags, const WordLayout& layout) {
  ah.put("\t/* Specialized Tag/UnTag macros */\n\n");
  ah.put("\n");
  for (const Tag& tag : tags) {
    ah.print("#define %s(%s)  \t\t", made_name(made::tag_macro, tag.name.view()).c_str(), v);
    emit_tag_body(ah, tag, layout);
  }
  ah.put("\n");
  for (const Tag& tag : tags) {
    ah.print("#define %s(%s)  \t\t", made_name(made::untag_macro, tag.name.view()).c_str(), w);
    emit_untag_body(ah, tag);
  }
  ah.put("\n");
  for (const Tag& tag : tags)
    ah.print("#define %s(%s)  \t\t(%s(%s) == %s)\n", made_name(made::tag_is, tag.name.view()).c_str(), w,
             names::tag_mask_of, w, made_name(made::tag_mask, tag.name.view()).c_str());
}

// One enumerator per kind, in the order of the rows.
void emit_tag_types(Output& ah) {
  ah.put("\ntypedef enum\n{\n");
  for (const TagKindRow& row : tag_kinds)
    ah.print("  %s%s\n", row.generated, &row == std::end(tag_kinds) - 1 ? "" : ",");
  ah.print("}%s;\n", names::typ_tag);
  ah.print("\ntypedef struct\n{\n  char *name;\n  TypTag type;\n  int value;\n  PlLong tag_mask;\n}%s;\n\n\n",
           names::inf_tag);
}

// A C array needs at least one element: a section without tags gets a row
// that nothing reads, since NB_OF_TAGS is then 0.
void emit_tag_table(Output& ah, std::span<const Tag> tags, const WordLayout& layout) {
  ah.put("#ifdef ENGINE_FILE\n\n");
  ah.print("InfTag %s[] =\n{\n", names::tag_tbl);
  if (tags.empty()) ah.print("  { 0, %s, 0, 0}\n};\n", tag_kinds[0].generated);
  for (const Tag& tag : tags) {
    const char* separator = &tag == &tags.back() ? "\n};\n" : ",\n";
    ah.print("  { \"%s\", %s, %d, %#llx}%s", tag.c_name(), row_of(tag.kind).generated, tag.value,
             hex(layout.mask_of(tag.value)), separator);
  }
  ah.put("\n#else\n\n");
  ah.print("extern InfTag %s[];\n", names::tag_tbl);
  ah.put("\n#endif\n");
}

}  // namespace

// A short_uns value of a tag at most 3 is its word shifted unsigned; an
// address of tag 0 is the word itself.
void emit_tags_begin(Output& arch_header) { arch_header.put("\n\n   /*--- Begin Tag Generation ---*/\n\n"); }

void emit_tags_section(const TagsSection& section, Output& arch_header, Output& public_config) {
  const WordLayout& layout = section.word;
  const std::span<const Tag> tags = section.tags();
  emit_tags_begin(arch_header);
  emit_integer_range(public_config, layout);
  emit_layout_constants(arch_header, layout);
  emit_tag_masks(arch_header, tags, layout);
  emit_tag_values(arch_header, public_config, tags);
  emit_general_macros(arch_header, layout);
  emit_specialized_macros(arch_header, tags, layout);
  emit_tag_types(arch_header);
  emit_tag_table(arch_header, tags, layout);
  arch_header.put("\n\n   /*--- End Tag Generation ---*/\n\n");
}

}  // namespace pl_config
