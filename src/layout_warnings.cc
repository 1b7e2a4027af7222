#include "layout_warnings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace pl_config {

void LayoutWarnings::warn(int line, const char* format, ...) {
  out_.print("%s:%d: warning: ", description_, line);
  std::va_list args;
  va_start(args, format);
  out_.vprint(format, args);
  va_end(args);
  out_.put('\n');
  if (recorded_count_ == section_capacity) return;
  Recorded& recorded = recorded_[recorded_count_++];
  recorded.line = line;
  va_start(args, format);
  std::vsnprintf(recorded.text, sizeof recorded.text, format, args);
  va_end(args);
}

// Registers and tags are both macros of the architecture header, so one name
// cannot be both; a stack's name only ever stands inside longer names.
void LayoutWarnings::declare(const char* name, Kind kind, int line) {
  const auto clashes = [kind](Kind earlier) {
    return earlier == kind || (earlier != Kind::stack && kind != Kind::stack);
  };
  for (std::size_t i = 0; i < name_count_; ++i) {
    const Declared& earlier = names_[i];
    if (earlier.name.view() == name && clashes(earlier.kind)) {
      static constexpr const char* kind_words[] = {"register", "tag", "stack"};
      warn(line, "%s is already declared as a %s on line %d", name, kind_words[static_cast<int>(earlier.kind)],
           earlier.line);
      return;
    }
  }
  if (name_count_ == name_capacity) return;
  Declared& declared = names_[name_count_++];
  declared.name.assign(name);
  declared.kind = kind;
  declared.line = line;
}

// In line order, which register order is not.
void LayoutWarnings::regs_section(const RegsSection& section, const MachineRegisters&) {
  recorded_count_ = 0;
  std::array<const PlacedRegister*, limit::written_register_groups * limit::registers_per_group> by_line{};
  std::size_t count = 0;
  for (const PlacedRegister& reg : section.registers()) by_line[count++] = &reg;
  std::sort(by_line.begin(), by_line.begin() + count,
            [](const PlacedRegister* a, const PlacedRegister* b) { return a->line() < b->line(); });
  for (std::size_t i = 0; i < count; ++i) declare(by_line[i]->c_name(), Kind::register_name, by_line[i]->line());
}

// Tag_Long_Int makes a negative integer by shifting its sign into the high
// tag bits of the split layout: only a tag whose high bits are all ones
// survives that, and the value 0, whose tag macro masks the value instead.
void LayoutWarnings::tags_section(const TagsSection& section) {
  recorded_count_ = 0;
  const WordLayout& word = section.word;
  const std::span<const Tag> tags = section.tags();
  std::int32_t largest = 0;
  for (const Tag& tag : section.tags()) largest = std::max(largest, tag.value);
  if (largest < 4)
    warn(section.opening.line, "the largest tag value is %d, below 4: the tag macros shift by negative counts",
         largest);
  const std::int64_t high_ones = word.all_ones & ~std::int64_t{7};
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const Tag& tag = tags[i];
    declare(tag.c_name(), Kind::tag, tag.line());
    const auto same = std::find_if(tags.begin(), tags.begin() + static_cast<std::ptrdiff_t>(i),
                                   [&](const Tag& earlier) { return earlier.value == tag.value; });
    if (same != tags.begin() + static_cast<std::ptrdiff_t>(i))
      warn(tag.line(), "tag %s has the same value as tag %s (%d)", tag.c_name(), same->c_name(), tag.value);
    if (word.split() && tag.kind == TagKind::long_int && tag.value != 0 && tag.value < high_ones)
      warn(tag.line(), "long_int tag %s has the value %d, not 0 or %d to %d: it cannot carry negative integers",
           tag.c_name(), tag.value, static_cast<int>(high_ones), static_cast<int>(word.all_ones));
  }
}

void LayoutWarnings::stacks_section(const StacksSection& section) {
  recorded_count_ = 0;
  for (const StackEntry& stack : section.stacks()) declare(stack.name.c_str(), Kind::stack, stack.line());
}

}  // namespace pl_config
