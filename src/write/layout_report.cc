#include "layout_report.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <string_view>

#include "ascii.h"
#include "section_model.h"

namespace pl_config {

namespace {

// The width of a column: its heading or its longest text.
template <typename Rows, typename Text>
int column_width(const char* heading, const Rows& rows, Text text) {
  std::size_t width = std::strlen(heading);
  for (const auto& row : rows) width = std::max(width, std::string_view(text(row)).size());
  return static_cast<int>(width);
}

int decimal_width(std::int64_t value) {
  int width = value < 0 ? 2 : 1;
  for (; value <= -10 || value >= 10; value /= 10) ++width;
  return width;
}

// A text short enough for a cell of a table.
struct Cell {
  char text[64] = "";
  operator std::string_view() const { return text; }
};

// The words ahead of the first bank slot.  When every filler value is a
// number they add up to one; otherwise the slots are written as the
// register map writes them, the filler's text in front.
class Filler {
 public:
  explicit Filler(const char* prefix) : prefix_(prefix) {
    const std::optional<std::int64_t> words = filler_words(prefix_);
    numeric_ = words.has_value();
    words_ = words.value_or(0);
  }

  void write(Output& out) const {
    if (prefix_.empty()) {
      out.put("none\n");
    } else if (numeric_) {
      out.print("%" PRId64 " words\n", words_);
    } else {
      out.print("%.*s words\n", static_cast<int>(prefix_.size() - 1), prefix_.data());
    }
  }

  Cell slot(int k) const {
    Cell cell;
    if (numeric_) {
      std::snprintf(cell.text, sizeof cell.text, "%" PRId64, words_ + k);
    } else {
      std::snprintf(cell.text, sizeof cell.text, "%.*s%d", static_cast<int>(prefix_.size()), prefix_.data(), k);
    }
    return cell;
  }

  Cell byte_offset(int k) const {
    Cell cell;
    if (numeric_) {
      std::snprintf(cell.text, sizeof cell.text, "%" PRId64, (words_ + k) * bank_slot_bytes);
    } else {
      std::snprintf(cell.text, sizeof cell.text, "(%s)*%d", slot(k).text, bank_slot_bytes);
    }
    return cell;
  }

 private:
  std::string_view prefix_;
  bool numeric_ = true;
  std::int64_t words_ = 0;
};

void write_bank_pointer_and_filler(Output& out, const RegsSection& section, const Filler& filler) {
  if (section.bank_pointer_register == nullptr) {
    out.put("  pl_reg_bank  a variable\n");
  } else {
    out.print("  pl_reg_bank  machine register %s\n", section.bank_pointer_register);
  }
  out.put("  filler       ");
  filler.write(out);
}

void write_register_table(Output& out, std::span<const PlacedRegister> registers, const Filler& filler) {
  const int name_width = column_width("register", registers, [](const PlacedRegister& r) { return r.c_name(); });
  const int type_width = column_width("type", registers, [](const PlacedRegister& r) { return r.c_type(); });
  const int slot_width = column_width("slot", registers, [&](const PlacedRegister& r) {
    return r.machine_register == nullptr ? filler.slot(r.bank_slot) : Cell{};
  });
  out.print("  %-*s  %-*s  %-*s  byte offset\n", name_width, "register", type_width, "type", slot_width, "slot");
  for (const PlacedRegister& reg : registers) {
    out.print("  %-*s  %-*s  ", name_width, reg.c_name(), type_width, reg.c_type());
    if (reg.machine_register != nullptr) {
      out.print("machine register %s\n", reg.machine_register);
    } else {
      out.print("%-*s  %s\n", slot_width, filler.slot(reg.bank_slot).text, filler.byte_offset(reg.bank_slot).text);
    }
  }
}

void write_word_layout(Output& out, const WordLayout& word) {
  const int n = word.tag_size;
  if (word.split()) {
    out.print("  split layout, TAG_SIZE %d: tag bits t (3 low, %d high), value bits v (%d)\n", n, word.high_tag_bits(),
              word.value_size());
  } else {
    out.print("  low layout, TAG_SIZE %d: tag bits t (%d low), value bits v (%d)\n", n, n, word.value_size());
  }
}

// Bit 63 on the left, a blank between bytes.
void write_word_diagram(Output& out, const WordLayout& word) {
  out.put("  bit 63                                                            bit 0\n  ");
  for (int bit = 63; bit >= 0; --bit) {
    out.put(((word.tag_mask >> bit) & 1) != 0 ? 't' : 'v');
    if (bit % 8 == 0) out.put(bit == 0 ? '\n' : ' ');
  }
}

void write_tag_table(Output& out, std::span<const Tag> tags, const WordLayout& word) {
  const int name_width = column_width("tag", tags, [](const Tag& tag) { return tag.c_name(); });
  int value_width = 5;
  for (const Tag& tag : tags) value_width = std::max(value_width, decimal_width(tag.value));
  out.print("  %-*s  kind       %*s  mask\n", name_width, "tag", value_width, "value");
  for (const Tag& tag : tags) {
    out.print("  %-*s  %-9s  %*d  0x%016" PRIx64 "\n", name_width, tag.c_name(), row_of(tag.kind).word, value_width,
              tag.value, word.mask_of(tag.value));
  }
}

void write_stack_table(Output& out, std::span<const StackEntry> stacks) {
  const auto bytes = [](const StackEntry& stack) { return std::int64_t{stack.default_size} * bank_slot_bytes; };
  const int name_width = column_width("stack", stacks, [](const StackEntry& s) { return s.name.c_str(); });
  int words_width = 5, bytes_width = 5;
  for (const StackEntry& stack : stacks) {
    words_width = std::max(words_width, decimal_width(stack.default_size));
    bytes_width = std::max(bytes_width, decimal_width(bytes(stack)));
  }
  out.print("  %-*s  %*s  %*s  top\n", name_width, "stack", words_width, "words", bytes_width, "bytes");
  for (const StackEntry& stack : stacks) {
    out.print("  %-*s  %*d  %*" PRId64 "  %s\n", name_width, stack.name.c_str(), words_width, stack.default_size,
              bytes_width, bytes(stack), stack.top_expression.c_str());
  }
}

void write_title(Output& out, SectionKind kind, int line) {
  out.print("%s, %s section of line %d\n", row_of(kind).title, row_of(kind).name, line);
}

}  // namespace

void write_word_picture(Output& out, const WordLayout& word) {
  write_word_layout(out, word);
  write_word_diagram(out, word);
}

BankPlace bank_place(const char* filler_prefix, int bank_slot) {
  const Filler filler(filler_prefix);
  BankPlace place;
  std::snprintf(place.slot, sizeof place.slot, "%s", filler.slot(bank_slot).text);
  std::snprintf(place.byte_offset, sizeof place.byte_offset, "%s", filler.byte_offset(bank_slot).text);
  return place;
}

void write_tagged_word_block(Output& out, const TagsSection& section) {
  write_title(out, TagsSection::kind, section.opening.line);
  write_word_picture(out, section.word);
  out.print("  PL_MIN_INTEGER..PL_MAX_INTEGER  %" PRId64 "..%" PRId64 "\n", section.word.min_integer,
            section.word.max_integer);
  write_tag_table(out, section.tags(), section.word);
}

void LayoutReport::next_block() {
  if (blocks_written_) out_.put('\n');
  blocks_written_ = true;
}

void LayoutReport::start_block(SectionKind kind, int line) {
  next_block();
  write_title(out_, kind, line);
}

void LayoutReport::section(const RegsSection& section) {
  start_block(RegsSection::kind, section.opening.line);
  const Filler filler(section.filler_prefix.c_str());
  write_bank_pointer_and_filler(out_, section, filler);
  write_register_table(out_, section.registers(), filler);
}

void LayoutReport::section(const TagsSection& section) {
  next_block();
  write_tagged_word_block(out_, section);
}

void LayoutReport::section(const StacksSection& section) {
  start_block(StacksSection::kind, section.opening.line);
  write_stack_table(out_, section.stacks());
}

// "No section: the description declares no register, tag or stack.", by
// what each kind's lines declare.
void LayoutReport::finish() {
  if (blocks_written_) return;
  out_.put("No section: the description declares no ");
  for (const SectionKindRow& row : section_kinds) {
    if (&row != section_kinds) out_.put(&row == std::end(section_kinds) - 1 ? " or " : ", ");
    out_.put(row.declares);
  }
  out_.put(".\n");
}

}  // namespace pl_config
