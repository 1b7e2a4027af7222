#include "layout_warnings.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "ascii.h"

namespace pl_config {

namespace {

const char* declares(SectionKind kind) { return row_of(kind).declares; }
// What the generated-name warning calls a fixed name's source.
constexpr const char* header_word = "header";

// The keywords of C11 and C23: a register or tag becomes a macro of its
// name, which redefines the keyword for every includer.
// A packed table, not a keyword a line:
// clang-format off
constexpr std::string_view c_keywords[] = {
    "alignas", "alignof", "auto", "bool", "break", "case", "char", "const", "constexpr", "continue", "default",
    "do", "double", "else", "enum", "extern", "false", "float", "for", "goto", "if", "inline", "int", "long",
    "nullptr", "register", "restrict", "return", "short", "signed", "sizeof", "static", "static_assert", "struct",
    "switch", "thread_local", "true", "typedef", "typeof", "typeof_unqual", "union", "unsigned", "void",
    "volatile", "while", "_Alignas", "_Alignof", "_Atomic", "_BitInt", "_Bool", "_Complex", "_Decimal128",
    "_Decimal32", "_Decimal64", "_Generic", "_Imaginary", "_Noreturn", "_Static_assert", "_Thread_local",
    "asm", "__asm__",
};
// clang-format on

// C's own types, those of its keywords and of <stdint.h>, <stddef.h>,
// <uchar.h>, <wchar.h> and <signal.h>, that are not one 64-bit word
// wherever the engine is built (long is 32 bits on Windows, int_fast16_t
// 32 bits with musl and on Windows, wchar_t 16 bits on Windows): a register
// is one word of the bank, and its macros and save and restore casts read
// and write it with its type.  A name that starts with "_" is not read.
// A packed table, not a name a line:
// clang-format off
constexpr std::string_view narrow_types[] = {
    "char", "short", "int", "long", "float", "double", "bool", "void", "signed", "unsigned",
    "int8_t", "int16_t", "int32_t", "uint8_t", "uint16_t", "uint32_t",
    "int_least8_t", "int_least16_t", "int_least32_t", "uint_least8_t", "uint_least16_t", "uint_least32_t",
    "int_fast8_t", "int_fast16_t", "int_fast32_t", "uint_fast8_t", "uint_fast16_t", "uint_fast32_t",
    "wchar_t", "max_align_t", "char8_t", "char16_t", "char32_t", "mbstate_t", "wint_t", "sig_atomic_t",
};
// clang-format on

bool listed(std::span<const std::string_view> words, std::string_view word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool is_keyword(std::string_view name) { return listed(c_keywords, name); }

// The bits of the user-space addresses that Linux hands out by default,
// without an address hint, by processor (Windows' names too).
struct AddressBits {
  std::string_view processor;
  int bits;
};
constexpr AddressBits address_bits[] = {
    {"x86_64", 47}, {"AMD64", 47},   {"amd64", 47}, {"aarch64", 48}, {"ARM64", 48},
    {"arm64", 48},  {"riscv64", 47}, {"ppc64", 47}, {"ppc64le", 47},
};
constexpr int other_address_bits = 48;

int user_address_bits(std::string_view processor) {
  for (const AddressBits& row : address_bits)
    if (row.processor == processor) return row.bits;
  return other_address_bits;
}

// FNV-1a, for the slot where the search for a name starts.
std::uint32_t hash_of(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

bool same_but_case(std::string_view a, std::string_view b) {
  return a != b && a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

}  // namespace

// Registers and tags are both macros of the architecture header, so one name
// cannot be both; a stack's name only ever stands inside longer names.
void LayoutWarnings::declare(const Name& name, Kind kind, Location at) {
  if (is_keyword(name.view())) diagnostics_.warning(Message::keyword_name, at, declares(kind), name.c_str());
  const auto clashes = [kind](Kind earlier) {
    return earlier == kind || (earlier != Kind::stacks && kind != Kind::stacks);
  };
  for (const Declared& earlier : names_) {
    if (earlier.name.view() == name.view() && clashes(earlier.kind)) {
      if (diagnostics_.warning(Message::duplicate_name, at, name.c_str(), declares(earlier.kind), earlier.at.line))
        diagnostics_.note(Message::first_declared_here, earlier.at);
      return;
    }
  }
  remember(name, kind, at);
}

// The index has twice the slots of the names: every search ends at an empty one.
void LayoutWarnings::remember(const Name& name, Kind kind, Location at) {
  static_assert(name_capacity < 0xFFFF && std::tuple_size_v<decltype(name_index_)> > name_capacity);
  if (names_.full()) return;
  const std::uint32_t hash = hash_of(name.view());
  std::size_t slot = hash % name_index_.size();
  while (name_index_[slot] != 0) slot = (slot + 1) % name_index_.size();
  name_index_[slot] = (hash & 0xFFFF0000u) | static_cast<std::uint32_t>(names_.size() + 1);
  names_.add(Declared{name, kind, at});
}

const LayoutWarnings::Declared* LayoutWarnings::find_declared(std::string_view name, Kind kind) const {
  const std::uint32_t hash = hash_of(name);
  for (std::size_t slot = hash % name_index_.size(); name_index_[slot] != 0; slot = (slot + 1) % name_index_.size()) {
    if ((name_index_[slot] ^ hash) >> 16 != 0) continue;
    const Declared& entry = names_[(name_index_[slot] & 0xFFFFu) - 1u];
    if (entry.kind == kind && entry.name.view() == name) return &entry;
  }
  return nullptr;
}

const LayoutWarnings::TypeUse* LayoutWarnings::find_type(std::string_view type) const {
  const auto found =
      std::find_if(types_.begin(), types_.end(), [&](const TypeUse& use) { return use.type.view() == type; });
  return found != types_.end() ? &*found : nullptr;
}

// A declaration of the same name as `declared` is a duplicate-name's (or,
// stacks, a stack-name-case's), not one of the made names'.
LayoutWarnings::Clash LayoutWarnings::made_by_earlier(const MadeName& made, std::string_view part,
                                                      std::string_view declared) const {
  if (made.part == MadePart::type) {
    const TypeUse* use = find_type(part);
    return use == nullptr ? Clash{} : Clash{declares(Kind::regs), use->register_name.c_str(), &use->at};
  }
  const auto earlier = [&](std::string_view name) {
    return name == declared ? nullptr : find_declared(name, made.kind);
  };
  const Declared* found = earlier(part);
  if (found == nullptr && made.part == MadePart::capitalised) {
    Name lower;
    lower.assign(part);
    lower.change_first(1, ascii_lower);
    found = earlier(lower.view());
  }
  return found == nullptr ? Clash{} : Clash{declares(found->kind), found->name.c_str(), &found->at};
}

// Two uses of a name do not clash; a definition and anything else do.
LayoutWarnings::Clash LayoutWarnings::clash_of(const MadeName& made, std::string_view text,
                                               std::string_view declared) const {
  const FixedName* fixed = find_fixed_name(text);
  if (fixed != nullptr && (made.role == NameRole::defined || fixed->role == NameRole::defined))
    return {header_word, fixed->header, nullptr};
  for (const MadeName& other : made_names) {
    if (&other == &made || (made.role == NameRole::used && other.role == NameRole::used)) continue;
    const std::string_view part = made_part(other, text);
    if (part.empty()) continue;
    if (const Clash clash = made_by_earlier(other, part, declared); clash.kind != nullptr) return clash;
  }
  return {};
}

// One warning per declaration, at the first of its names that clashes; a
// type only where it first stands.
void LayoutWarnings::generated_names(Kind kind, const Name& name, Location name_at, const Name* type,
                                     Location type_at) {
  const bool new_type = type != nullptr && find_type(type->view()) == nullptr;
  for (const MadeName& made : made_names) {
    const bool of_type = made.part == MadePart::type;
    if (made.kind != kind || (of_type && !new_type)) continue;
    const MadeText text = made_name(made, of_type ? type->view() : name.view());
    const Clash clash = clash_of(made, text.view(), name.view());
    if (clash.kind == nullptr) continue;
    if (diagnostics_.warning(Message::generated_name, of_type ? type_at : name_at, declares(kind), name.c_str(),
                             clash.kind, clash.name, text.c_str()) &&
        clash.at != nullptr)
      diagnostics_.note(Message::first_declared_here, *clash.at);
    break;
  }
  if (new_type && !types_.full()) types_.add(TypeUse{*type, name, type_at});
}

void LayoutWarnings::second_section(SectionKind kind, Location at) {
  Location& first = first_sections_[static_cast<std::size_t>(kind)];
  if (first.line == 0) {
    first = at;
  } else if (diagnostics_.warning(Message::second_section, at, row_of(kind).name, row_of(kind).redefined)) {
    diagnostics_.note(Message::first_declared_here, first);
  }
}

// In line order, which register order is not.
void LayoutWarnings::section(const RegsSection& section) {
  second_section(RegsSection::kind, section.opening);
  std::array<const PlacedRegister*, RegsSection::capacity> by_line{};
  std::size_t count = 0;
  for (const PlacedRegister& reg : section.registers()) by_line[count++] = &reg;
  std::sort(by_line.begin(), by_line.begin() + count,
            [](const PlacedRegister* a, const PlacedRegister* b) { return a->line() < b->line(); });
  for (std::size_t i = 0; i < count; ++i) {
    const PlacedRegister& reg = *by_line[i];
    if (listed(narrow_types, reg.type.view()))
      diagnostics_.warning(Message::register_type, reg.type_at, reg.c_name(), reg.c_type());
    declare(reg.name, Kind::regs, reg.name_at);
    generated_names(Kind::regs, reg.name, reg.name_at, &reg.type, reg.type_at);
  }
  for (const PlacedRegister& reg : section.unwritten())
    diagnostics_.warning(Message::unwritten_group, reg.name_at, reg.c_name(), reg.group);
}

// Tag_Long_Int makes a negative integer by shifting its sign into the high
// tag bits of the split layout: only a tag whose high bits are all ones
// survives that, and the value 0, whose tag macro masks the value instead.
// Only when every line was read: the layout follows from the largest value.
void LayoutWarnings::word_layout(const TagsSection& section) {
  const WordLayout& word = section.word;
  const std::span<const Tag> tags = section.tags();
  if (section.largest_value < 4)
    diagnostics_.warning(Message::small_tag_values, section.opening, section.largest_value);
  const int value_bits = word.split() ? word.high_tag_shift() : WordLayout::word_bits - WordLayout::low_tag_bits;
  const auto largest =
      std::find_if(tags.begin(), tags.end(), [&](const Tag& t) { return t.value == section.largest_value; });
  const bool addresses = std::any_of(tags.begin(), tags.end(), [](const Tag& t) { return t.kind == TagKind::address; });
  if (addresses && value_bits < user_address_bits(processor_) && largest != tags.end())
    diagnostics_.warning(Message::address_bits, largest->value_at, value_bits, user_address_bits(processor_),
                         processor_);
}

void LayoutWarnings::section(const TagsSection& section) {
  second_section(TagsSection::kind, section.opening);
  const WordLayout& word = section.word;
  const std::span<const Tag> tags = section.tags();
  if (section.every_line_read) word_layout(section);
  const std::int64_t high_ones = word.all_ones & ~std::int64_t{7};
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const Tag& tag = tags[i];
    declare(tag.name, Kind::tags, tag.name_at);
    generated_names(Kind::tags, tag.name, tag.name_at);
    const auto earlier = tags.first(i);
    const auto same = std::find_if(earlier.begin(), earlier.end(), [&](const Tag& e) { return e.value == tag.value; });
    if (same != earlier.end() &&
        diagnostics_.warning(Message::duplicate_tag_value, tag.value_at, tag.c_name(), same->c_name(), tag.value))
      diagnostics_.note(Message::first_declared_here, same->value_at);
    if (section.every_line_read && word.split() && tag.kind == TagKind::long_int && tag.value != 0 &&
        tag.value < high_ones)
      diagnostics_.warning(Message::long_int_sign, tag.value_at, tag.c_name(), tag.value, static_cast<int>(high_ones),
                           static_cast<int>(word.all_ones));
  }
}

void LayoutWarnings::section(const StacksSection& section) {
  second_section(StacksSection::kind, section.opening);
  const std::span<const StackEntry> stacks = section.stacks();
  for (std::size_t i = 0; i < stacks.size(); ++i) {
    declare(stacks[i].name, Kind::stacks, stacks[i].name_at);
    generated_names(Kind::stacks, stacks[i].name, stacks[i].name_at);
    if (stacks[i].description.view().find('\\') != std::string_view::npos)
      diagnostics_.warning(Message::description_escape, stacks[i].description_at, stacks[i].name.c_str());
    for (const StackEntry& earlier : stacks.first(i)) {
      if (!same_but_case(earlier.name.view(), stacks[i].name.view())) continue;
      if (diagnostics_.warning(Message::stack_name_case, stacks[i].name_at, stacks[i].name.c_str(),
                               earlier.name.c_str()))
        diagnostics_.note(Message::first_declared_here, earlier.name_at);
      break;
    }
  }
}

}  // namespace pl_config
