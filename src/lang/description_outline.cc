// The answers about the whole text: symbols, folding ranges, inlay hints,
// semantic tokens, and completion at a place.

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "description_facts.h"
#include "layout_report.h"
#include "reader.h"
#include "tag_kinds.h"

namespace pl_config {

namespace {

// The sections of the text and the declarations of the models, merged in
// text order: a section without a model (one with an error) has none.
class SymbolLister : public DeclarationReader {
 public:
  SymbolLister(std::string_view text, SymbolConsumer& out) : spans_(text), out_(out) {}

  void section_read(Location opening) override {
    while (const std::optional<SectionSpan> span = spans_.next()) {
      out_.section(*span);
      if (span->first >= opening.line) return;
    }
  }
  void declaration(const Declaration& declaration) override { out_.declaration(declaration); }
  void finish() {
    while (const std::optional<SectionSpan> span = spans_.next()) out_.section(*span);
  }

 private:
  SectionSpans spans_;
  SymbolConsumer& out_;
};

class HintWriter : public SectionWriter {
 public:
  HintWriter(std::string_view text, HintConsumer& out) : lines_(text), out_(out) {}

  void section(const RegsSection& section) override {
    for (const PlacedRegister& reg : section.registers()) {
      char text[sizeof(BankPlace::slot) + 8];
      if (reg.machine_register != nullptr) {
        std::snprintf(text, sizeof text, "%s", reg.machine_register);
      } else {
        std::snprintf(text, sizeof text, "slot %s", bank_place(section.filler_prefix.c_str(), reg.bank_slot).slot);
      }
      hint(reg.line(), text);
    }
  }
  void section(const TagsSection& section) override {
    for (const Tag& tag : section.tags()) {
      char text[24];
      std::snprintf(text, sizeof text, "0x%016" PRIx64, section.word.mask_of(tag.value));
      hint(tag.line(), text);
    }
  }

 private:
  void hint(int line, std::string_view text) {
    if (const std::optional<TextLine> found = lines_.line(line)) out_.hint(found->end(), text);
  }

  TextLines lines_;
  HintConsumer& out_;
};

// How a field of a directive line shows: an integer or a string as what it
// is, whatever the line expects there (a filler value may be a name).
TokenKind token_kind(const Field& field, TokenKind expected) {
  if (is_digit(field.text.front())) return TokenKind::number;
  if (field.text.front() == '"') return TokenKind::string;
  return expected == TokenKind::number || expected == TokenKind::string ? TokenKind::name : expected;
}

void list_directive_tokens(const TextLine& line, TokenConsumer& out) {
  DirectiveLine directive(line);
  out.token(directive.word().at, TokenKind::directive);
  if (const DirectiveSyntax* row = find_directive(directive.word().text)) {
    for (const TokenKind expected : row->fields) {
      const std::optional<Field> field = directive.next_field();
      if (!field) return;
      out.token(field->at, token_kind(*field, expected));
    }
  }
  const Field rest = directive.rest();
  if (!rest.text.empty()) out.token(rest.at, TokenKind::free_text);
}

// The types of the register lines, each once, but for the line being
// written: a section whose line has an error has no model, so the lines
// are read as text.
void complete_type(std::string_view text, int line_being_written, CompletionConsumer& out) {
  FixedTable<std::string_view, RegsSection::capacity + RegsSection::unwritten_capacity> seen;
  TextLines lines(text);
  while (const std::optional<TextLine> line = lines.next()) {
    if (!line->directive() || line->number == line_being_written) continue;
    DirectiveLine directive(*line);
    if (directive.word().text != directive_word::reg || !directive.next_field()) continue;
    const std::optional<Field> type = directive.next_field();
    if (!type || !is_letter(type->text.front()) || std::ranges::find(seen, type->text) != seen.end()) continue;
    if (!seen.full()) seen.add(type->text);
    out.completion(type->text, CompletionKind::type);
  }
}

// The directive words that may follow "@" on `line`.
void complete_directive(std::string_view text, int line, CompletionConsumer& out) {
  SectionSpans spans(text);
  std::optional<SectionSpan> span;
  while ((span = spans.next()) && !span->holds(line)) {
  }
  for (const DirectiveSyntax& row : directive_syntax()) {
    const std::string_view word = row.word;
    const bool valid =
        span ? (row.in_section && is_directive_of(row.word, span->kind)) || word == directive_word::closing
             : word == directive_word::opening;
    if (valid) out.completion(row.word, CompletionKind::directive);
  }
}

void complete_field(std::string_view text, int line, std::string_view word, int index, CompletionConsumer& out) {
  if (word == directive_word::opening && index == 0) {
    for (const SectionKindRow& row : section_kinds) out.completion(row.name, CompletionKind::section);
  } else if (word == directive_word::tag && index == 1) {
    for (const TagKindRow& row : tag_kinds) out.completion(row.word, CompletionKind::tag_kind);
  } else if (word == directive_word::reg && index == 0) {
    for (int group = 0; group < static_cast<int>(limit::register_groups); ++group) {
      char label[8];
      std::snprintf(label, sizeof label, "%d", group);
      out.completion(label, CompletionKind::group);
    }
  } else if (word == directive_word::reg && index == 1) {
    complete_type(text, line, out);
  }
}

}  // namespace

void list_symbols(std::string_view text, SymbolConsumer& out) {
  SymbolLister lister(text, out);
  read_text(text, lister);
  lister.finish();
}

void list_folds(std::string_view text, FoldConsumer& out) {
  SectionSpans spans(text);
  while (const std::optional<SectionSpan> span = spans.next()) out.fold(span->first, span->last);
}

void list_inlay_hints(std::string_view text, HintConsumer& out, std::span<const char* const> machine_register_list) {
  HintWriter writer(text, out);
  read_text(text, writer, machine_register_list);
}

void list_tokens(std::string_view text, TokenConsumer& out) {
  TextLines lines(text);
  while (const std::optional<TextLine> line = lines.next()) {
    if (line->directive()) {
      list_directive_tokens(*line, out);
    } else if (!line->text.empty()) {
      out.token({line->number, 1, static_cast<int>(line->text.size())}, TokenKind::free_text);
    }
  }
}

void list_completions(std::string_view text, TextPosition at, CompletionConsumer& out) {
  const std::optional<TextLine> line = TextLines(text).line(at.line);
  if (!line || !line->directive() || at.column < 2) return;
  const TextLine before{line->text.substr(0, static_cast<std::size_t>(at.column - 1)), line->number};
  DirectiveLine directive(before);
  if (directive.word().at.length == static_cast<int>(before.text.size())) return complete_directive(text, at.line, out);
  int fields = 0;
  while (directive.next_field()) ++fields;
  // The cursor right after a field's last byte is still in it.
  const int index = is_white_space(before.text.back()) ? fields : fields - 1;
  complete_field(text, at.line, directive.word().text, index, out);
}

}  // namespace pl_config
