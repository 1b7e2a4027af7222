#include "description_facts.h"

#include <cinttypes>

#include "ascii.h"
#include "layout_report.h"
#include "reader.h"
#include "section_model.h"
#include "tag_kinds.h"

namespace pl_config {

namespace {

std::optional<TextLine> line_of(std::string_view text, int number) { return TextLines(text).line(number); }

void write_macros(Output& out, const Declaration& declaration) {
  out.put("\nmacros:");
  const char* separator = " ";
  for (const MadeName& made : made_names) {
    if (!made_by_declaration(made, declaration.kind)) continue;
    out.print("%s`%s`", separator, made_name(made, declaration.name).c_str());
    separator = ", ";
  }
  out.put('\n');
}

void write_tag(Output& out, const Tag& tag, const WordLayout& word) {
  out.print("**%s**: tag, kind `%s`, value %d, mask `0x%016" PRIx64 "`\n\n```text\n", tag.c_name(),
            row_of(tag.kind).word, tag.value, word.mask_of(tag.value));
  write_word_picture(out, word);
  out.put("```\n");
  if (tag.kind == TagKind::long_int)
    out.print("\nintegers %" PRId64 "..%" PRId64 "\n", word.min_integer, word.max_integer);
  write_macros(out, {SectionKind::tags, tag.name.view(), tag.name_at});
}

void write_register(Output& out, const PlacedRegister& reg, const char* filler_prefix, bool written) {
  out.print("**%s**: register of group %d, type `%s`", reg.c_name(), reg.group, reg.c_type());
  if (!written) {
    out.put(", in a group that no header shows\n");
    return;
  }
  if (reg.machine_register != nullptr) {
    out.print(", machine register %s\n", reg.machine_register);
  } else {
    const BankPlace place = bank_place(filler_prefix, reg.bank_slot);
    out.print(", bank slot %s, byte offset %s\n", place.slot, place.byte_offset);
  }
  write_macros(out, {SectionKind::regs, reg.name.view(), reg.name_at});
}

void write_stack(Output& out, const StackEntry& stack) {
  out.print("**%s**: stack of %d words (%" PRId64 " bytes), top `%s`\n", stack.name.c_str(), stack.default_size,
            std::int64_t{stack.default_size} * bank_slot_bytes, stack.top_expression.c_str());
  write_macros(out, {SectionKind::stacks, stack.name.view(), stack.name_at});
}

// Finds the declaration whose line's field holds the cursor, or, when
// `word` is given, the first that the word names, and writes its hover.
class HoverWriter : public SectionWriter {
 public:
  HoverWriter(TextPosition at, std::optional<Field> word, Output& out) : at_(at), word_(word), out_(out) {}

  void section(const RegsSection& section) override {
    for (const bool written : {true, false}) {
      for (const PlacedRegister& reg : written ? section.registers() : section.unwritten())
        if (found(SectionKind::regs, reg.name.view(), {reg.name_at, reg.type_at}))
          write_register(out_, reg, section.filler_prefix.c_str(), written);
    }
  }
  void section(const TagsSection& section) override {
    for (const Tag& tag : section.tags())
      if (found(SectionKind::tags, tag.name.view(), {tag.name_at, tag.kind_at, tag.value_at}))
        write_tag(out_, tag, section.word);
  }
  // The stack's top is a name of its own: it hovers as what it names.
  void section(const StacksSection& section) override {
    for (const StackEntry& stack : section.stacks())
      if (found(SectionKind::stacks, stack.name.view(), {stack.name_at, stack.description_at, stack.size_at}))
        write_stack(out_, stack);
  }

  std::optional<Location> range() const { return range_; }

 private:
  bool found(SectionKind kind, std::string_view name, std::initializer_list<Location> fields) {
    if (range_) return false;
    if (word_) {
      if (names_declaration(word_->text, {kind, name, {}})) range_ = word_->at;
    } else {
      for (const Location field : fields)
        if (field.line == at_.line && at_.column >= field.column && at_.column < field.column + field.length)
          range_ = field;
    }
    return range_.has_value();
  }

  TextPosition at_;
  std::optional<Field> word_;
  Output& out_;
  std::optional<Location> range_;
};

// The syntax of the directive word or section name at the cursor.
std::optional<Location> write_syntax_hover(const TextLine& line, TextPosition at, Output& out) {
  const DirectiveTokens tokens(line.text, line.number);
  if (tokens.row == nullptr) return std::nullopt;
  Location range = tokens.word.at;
  const SectionKindRow* section = nullptr;
  if (!contains(tokens.word, at)) {
    const LineToken* name = tokens.fields.empty() ? nullptr : tokens.fields.data();
    section = name ? find_section_kind(name->text) : nullptr;
    if (tokens.row->word != std::string_view(directive_word::opening) || section == nullptr || !contains(*name, at))
      return std::nullopt;
    range = name->at;
  }
  out.put("```text\n");
  if (section != nullptr) {
    out.print("%s\n", opening_syntax(section->kind).c_str());
  } else if (tokens.row->syntax != nullptr) {
    out.print("%s\n", tokens.row->syntax);
  } else {
    for (const SectionKindRow& kind : section_kinds) out.print("%s\n", opening_syntax(kind.kind).c_str());
  }
  out.put("```\n");
  return range;
}

}  // namespace

std::optional<Location> write_hover(std::string_view text, TextPosition at, Output& out,
                                    std::span<const char* const> machine_register_list) {
  const std::optional<TextLine> line = line_of(text, at.line);
  if (!line) return std::nullopt;
  if (line->directive())
    if (const std::optional<Location> range = write_syntax_hover(*line, at, out)) return range;
  HoverWriter by_field(at, std::nullopt, out);
  read_text(text, by_field, machine_register_list);
  if (by_field.range()) return by_field.range();
  const std::optional<Field> word = identifier_at(*line, at);
  if (!word) return std::nullopt;
  HoverWriter by_name(at, word, out);
  read_text(text, by_name, machine_register_list);
  return by_name.range();
}

namespace {

// The name of a copied "#define NAME" line.
std::optional<Field> defined_name(const TextLine& line) {
  std::size_t i = 0;
  const auto skip_blanks = [&] {
    while (i < line.text.size() && (line.text[i] == ' ' || line.text[i] == '\t')) ++i;
  };
  skip_blanks();
  if (i >= line.text.size() || line.text[i] != '#') return std::nullopt;
  ++i;
  skip_blanks();
  constexpr std::string_view define = "define";
  if (!line.text.substr(i).starts_with(define)) return std::nullopt;
  i += define.size();
  const std::size_t name = i;
  skip_blanks();
  if (i == name) return std::nullopt;
  return identifier_at(line, {line.number, static_cast<int>(i) + 1});
}

// The first declaration that a word names.
class DeclarationFinder : public DeclarationReader {
 public:
  explicit DeclarationFinder(std::string_view word) : word_(word) {}

  void declaration(const Declaration& declaration) override {
    if (found_ || !names_declaration(word_, declaration)) return;
    found_ = true;
    kind_ = declaration.kind;
    name_.assign(declaration.name);
    at_ = declaration.name_at;
  }
  std::optional<Declaration> found() const {
    if (!found_) return std::nullopt;
    return Declaration{kind_, name_.view(), at_};
  }

 private:
  std::string_view word_;
  bool found_ = false;
  SectionKind kind_ = SectionKind::regs;
  Name name_;
  Location at_;
};

class DefinitionLister : public DeclarationReader {
 public:
  DefinitionLister(std::string_view word, LocationConsumer& out) : word_(word), out_(out) {}
  void declaration(const Declaration& declaration) override {
    if (names_declaration(word_, declaration)) out_.location(declaration.name_at);
  }

 private:
  std::string_view word_;
  LocationConsumer& out_;
};

std::optional<Field> word_at(std::string_view text, TextPosition at) {
  const std::optional<TextLine> line = line_of(text, at.line);
  return line ? identifier_at(*line, at) : std::nullopt;
}

// Each identifier of an ordinary line, with whether it is a declaration.
template <typename Visit>
void for_each_ordinary_name(const TextLine& line, Visit visit) {
  const std::optional<Field> defined = defined_name(line);
  for (std::size_t i = 0; i < line.text.size(); ++i) {
    const char c = line.text[i];
    if (!is_letter(c) && c != '_') continue;
    if (i > 0 && is_identifier_char(line.text[i - 1])) continue;
    const std::optional<Field> name = identifier_at(line, {line.number, static_cast<int>(i) + 1});
    if (name) visit(*name, defined && defined->at.column == name->at.column);
  }
}

// Each identifier field of a directive line, with whether it is the name
// the line declares.
template <typename Visit>
void for_each_directive_name(const TextLine& line, Visit visit) {
  const DirectiveTokens tokens(line.text, line.number);
  for (int i = 0; i < static_cast<int>(tokens.fields.size()); ++i) {
    const TokenKind expected = tokens.row->fields[i];
    const LineToken& field = tokens.fields[i];
    if ((expected == TokenKind::name || expected == TokenKind::type) && is_letter(field.text.front()))
      visit(field, i == tokens.row->declared);
  }
}

}  // namespace

void find_definitions(std::string_view text, TextPosition at, LocationConsumer& out) {
  const std::optional<Field> word = word_at(text, at);
  if (!word) return;
  DefinitionLister lister(word->text, out);
  read_text(text, lister);
  TextLines lines(text);
  while (const std::optional<TextLine> line = lines.next()) {
    if (line->directive()) continue;
    const std::optional<Field> defined = defined_name(*line);
    if (defined && defined->text == word->text) out.location(defined->at);
  }
}

void find_references(std::string_view text, TextPosition at, bool with_declaration, LocationConsumer& out) {
  const std::optional<Field> word = word_at(text, at);
  if (!word) return;
  DeclarationFinder finder(word->text);
  read_text(text, finder);
  const std::optional<Declaration> target = finder.found();
  const auto visit = [&](const Field& name, bool declares) {
    const bool refers = target ? names_declaration(name.text, *target) : name.text == word->text;
    if (refers && (with_declaration || !declares)) out.location(name.at);
  };
  TextLines lines(text);
  while (const std::optional<TextLine> line = lines.next()) {
    if (line->directive()) {
      for_each_directive_name(*line, visit);
    } else {
      for_each_ordinary_name(*line, visit);
    }
  }
}

}  // namespace pl_config
