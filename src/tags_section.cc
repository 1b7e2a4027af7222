#include "tags_section.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "fatal_error.h"
#include "layout_observer.h"
#include "word_layout.h"

namespace pl_config {

namespace {

constexpr char end_expected[] = "Syntax error: end expected for @begin tag";

// The tags of one section in line order, and the largest value seen.
class TagTable {
 public:
  static constexpr int capacity = limit::tags;

  void add(std::string_view name, TagKind kind, std::int32_t value, const Scanner& line);

  const Tag* begin() const { return tags_.data(); }
  const Tag* end() const { return tags_.data() + count_; }
  std::span<const Tag> tags() const { return {begin(), end()}; }
  int count() const { return count_; }
  std::int32_t largest_value() const { return largest_value_; }

 private:
  std::array<Tag, capacity> tags_{};
  int count_ = 0;
  std::int32_t largest_value_ = 0;
};

void TagTable::add(std::string_view name, TagKind kind, std::int32_t value, const Scanner& line) {
  if (count_ == capacity) line.fail("Syntax error: too many tags in: %s");
  if (!Name::fits(name)) line.fail(message::name_too_long);
  if (value >= limit::tag_value_bound) line.fail("Syntax error: tag value too large in: %s");
  Tag& tag = tags_[count_++];
  tag.name.assign(name);
  tag.kind = kind;
  tag.value = value;
  tag.line = line.line_number();
  if (value > largest_value_) largest_value_ = value;
}

TagKind read_tag_kind(std::string_view word, const Scanner& line) {
  for (int kind = 0; kind < static_cast<int>(std::size(tag_kind_names)); ++kind) {
    if (word == tag_kind_names[kind].word) return static_cast<TagKind>(kind);
  }
  line.fail("Syntax error: wrong tag type in: %s");
}

const char* kind_name(TagKind kind) { return names_of(kind).generated; }

// "@tag <name> <kind> <value>": every token is read before any limit is
// checked, so a malformed line reports its syntax first.
void read_tag_line(Scanner& line, TagTable& tags) {
  const std::string_view name = line.identifier();
  const TagKind kind = read_tag_kind(line.identifier(), line);
  const std::int32_t value = line.integer();
  tags.add(name, kind, value, line);
}

// A tagged word's values are printed through long long, which holds 64 bits
// on every platform; long has 32 on Windows.
unsigned long long hex(std::uint64_t bits) { return bits; }

void emit_integer_range(std::FILE* pch, const WordLayout& layout) {
  std::fprintf(pch, "#define PL_MIN_INTEGER\t\t%lld\n", static_cast<long long>(layout.min_integer));
  std::fprintf(pch, "#define PL_MAX_INTEGER\t\t%lld\n", static_cast<long long>(layout.max_integer));
  std::fputs("\n", pch);
}

void emit_layout_constants(std::FILE* ah, const WordLayout& layout) {
  const int n = layout.tag_size;
  std::fprintf(ah, "#define TAG_SIZE     \t\t%d\n", n);
  std::fprintf(ah, "#define TAG_SIZE_LOW \t\t%d\n", 3);
  std::fprintf(ah, "#define TAG_SIZE_HIGH\t\t%d\n", n - 3);
  std::fprintf(ah, "#define VALUE_SIZE   \t\t%d\n", 64 - n);
  std::fprintf(ah, "#define TAG_MASK     \t\t(PlULong)%#llx\n", hex(layout.tag_mask));
  std::fprintf(ah, "#define VALUE_MASK   \t\t(PlULong)%#llx\n", hex(layout.value_mask));
  std::fputs("#define Tag_Mask_Of(w)\t\t((PlLong) (w) & (TAG_MASK))\n", ah);
  if (layout.split()) {
    std::fprintf(ah, "#define Tag_From_Tag_Mask(w) \t(((PlULong) (w) >> %d) | ((w) & %d))\n", 64 - n, 7);
    std::fprintf(ah, "#define Tag_Of(w)     \t\t((((PlULong) (w) >> %d) << %d) | ((w) & %d))\n", 67 - n, 3, 7);
  } else {
    std::fputs("#define Tag_From_Tag_Mask(w) \t(w)\n", ah);
    std::fputs("#define Tag_Of(w)     \t\tTag_Mask_Of(w)\n", ah);
  }
}

void emit_tag_masks(std::FILE* ah, const TagTable& tags, const WordLayout& layout) {
  for (const Tag& tag : tags)
    std::fprintf(ah, "#define TAG_%s_MASK\t\t(PlULong)%#llx\n", tag.c_name(), hex(layout.mask_of(tag.value)));
}

void emit_tag_values(std::FILE* ah, std::FILE* pch, const TagTable& tags) {
  std::fputs("\n", ah);
  std::fprintf(ah, "#define NB_OF_TAGS       \t%d\n", tags.count());
  for (const Tag& tag : tags) {
    std::fprintf(ah, "#define %-10s \t\t%-2d\n", tag.c_name(), tag.value);
    std::fprintf(pch, "#define PL_%-10s \t\t%-2d\n", tag.c_name(), tag.value);
  }
  std::fputs("\n", ah);
}

void emit_general_macros(std::FILE* ah, const WordLayout& layout) {
  const int n = layout.tag_size;
  std::fputs("\t/* General Tag/UnTag macros */\n\n", ah);
  std::fprintf(ah, "#define Tag_Long_Int(tm, v)  \t((((PlLong) ((v) << %d)) >> %d) | (tm))\n", n, n - 3);
  std::fprintf(ah, "#define Tag_Short_Uns(tm, v)\t(((PlLong) (v) << %d) + (tm))\n", 3);
  std::fputs("#define Tag_Address(tm, v)  \t((PlLong) (v) + (tm))\n", ah);
  std::fputs("\n", ah);
  std::fprintf(ah, "#define UnTag_Long_Int(w)    \t((PlLong) ((w) << %d) >> %d)\n", n - 3, n);
  std::fputs("#define UnTag_Short_Uns(w)\tUnTag_Long_Int(w)\n", ah);
  std::fputs("#define UnTag_Address(w)  \t((WamWord *) ((w) & VALUE_MASK))\n", ah);
  std::fputs("\n\n", ah);
}

void emit_tag_body(std::FILE* ah, const Tag& tag, const WordLayout& layout) {
  if (tag.kind == TagKind::short_uns) {
    std::fprintf(ah, "Tag_Short_Uns(TAG_%s_MASK, v)\n", tag.c_name());
  } else if (tag.kind == TagKind::address) {
    std::fprintf(ah, "Tag_Address(TAG_%s_MASK, v)\n", tag.c_name());
  } else if (tag.value == 0) {
    std::fprintf(ah, "(((PlULong) (v) << %d) & VALUE_MASK)\n", 3);
  } else if (tag.value == layout.all_ones) {
    std::fprintf(ah, "(((PlULong) (v) << %d) | TAG_MASK)\n", 3);
  } else {
    std::fprintf(ah, "Tag_Long_Int(TAG_%s_MASK, v)\n", tag.c_name());
  }
}

void emit_untag_body(std::FILE* ah, const Tag& tag) {
  switch (tag.kind) {
    case TagKind::short_uns:
      if (tag.value <= 3) {
        std::fprintf(ah, "((PlULong) (w) >> %d)\n", 3);
      } else {
        std::fputs("UnTag_Short_Uns(w)\n", ah);
      }
      break;
    case TagKind::address:
      std::fputs(tag.value == 0 ? "((WamWord *) (w))\n" : "UnTag_Address(w)\n", ah);
      break;
    case TagKind::long_int:
      std::fputs("UnTag_Long_Int(w)\n", ah);
      break;
  }
}

void emit_specialized_macros(std::FILE* ah, const TagTable& tags, const WordLayout& layout) {
  std::fputs("\t/* Specialized Tag/UnTag macros */\n\n", ah);
  std::fputs("\n", ah);
  for (const Tag& tag : tags) {
    std::fprintf(ah, "#define Tag_%s(v)  \t\t", tag.c_name());
    emit_tag_body(ah, tag, layout);
  }
  std::fputs("\n", ah);
  for (const Tag& tag : tags) {
    std::fprintf(ah, "#define UnTag_%s(w)  \t\t", tag.c_name());
    emit_untag_body(ah, tag);
  }
  std::fputs("\n", ah);
  for (const Tag& tag : tags)
    std::fprintf(ah, "#define Tag_Is_%s(w)  \t\t(Tag_Mask_Of(w) == TAG_%s_MASK)\n", tag.c_name(), tag.c_name());
}

constexpr std::array tag_types = {
    "\ntypedef enum\n", "{\n", "  LONG_INT,\n", "  SHORT_UNS,\n", "  ADDRESS\n", "}TypTag;\n",
    "\ntypedef struct\n", "{\n", "  char *name;\n", "  TypTag type;\n", "  int value;\n", "  PlLong tag_mask;\n",
    "}InfTag;\n\n\n",
};

// A C array needs at least one element: a section without tags gets a row
// that nothing reads, since NB_OF_TAGS is then 0.
void emit_tag_table(std::FILE* ah, const TagTable& tags, const WordLayout& layout) {
  std::fputs("#ifdef ENGINE_FILE\n\n", ah);
  std::fputs("InfTag pl_tag_tbl[] =\n{\n", ah);
  if (tags.count() == 0) std::fputs("  { 0, LONG_INT, 0, 0}\n};\n", ah);
  for (const Tag& tag : tags) {
    const char* separator = &tag == tags.end() - 1 ? "\n};\n" : ",\n";
    std::fprintf(ah, "  { \"%s\", %s, %d, %#llx}%s", tag.c_name(), kind_name(tag.kind), tag.value,
                 hex(layout.mask_of(tag.value)), separator);
  }
  std::fputs("\n#else\n\n", ah);
  std::fputs("extern InfTag pl_tag_tbl[];\n", ah);
  std::fputs("\n#endif\n", ah);
}

void write_tags_section(const TagTable& tags, const Scanner& end_line, int opening_line, std::FILE* ah, Run& run) {
  std::FILE* pch = run.public_config;
  std::fputs("\n\n   /*--- Begin Tag Generation ---*/\n\n", ah);
  // Two tags cannot share a value if there are more tags than values.
  if (tags.largest_value() + 1 < tags.count())
    fatal_error_at(end_line.line_number(), "There is an invalid tag value (repetition ?)\n");
  const WordLayout layout(tags.largest_value());
  emit_integer_range(pch, layout);
  emit_layout_constants(ah, layout);
  emit_tag_masks(ah, tags, layout);
  emit_tag_values(ah, pch, tags);
  emit_general_macros(ah, layout);
  emit_specialized_macros(ah, tags, layout);
  for (const char* text : tag_types) std::fputs(text, ah);
  emit_tag_table(ah, tags, layout);
  std::fputs("\n\n   /*--- End Tag Generation ---*/\n\n", ah);
  if (run.observer != nullptr) run.observer->tags_section({opening_line, layout, tags.tags()});
}

}  // namespace

void generate_tags_section(DescriptionInput& in, std::FILE* arch_header, Run& run) {
  TagTable tags;
  SectionLines lines(in, arch_header, run, end_expected);
  for (;;) {
    Directive directive = lines.next_directive();
    if (directive.word == "end") {
      write_tags_section(tags, directive.rest, lines.opening_line(), arch_header, run);
      return;
    }
    if (directive.word != "tag") directive.rest.fail(message::incorrect_declaration);
    read_tag_line(directive.rest, tags);
  }
}

}  // namespace pl_config
