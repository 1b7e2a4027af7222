// The answers about the whole text: symbols, folding ranges, inlay hints,
// semantic tokens, and completion at a place.

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>

#include "description_facts.h"
#include "layout_report.h"
#include "reader.h"
#include "tag_kinds.h"

namespace pl_config {

namespace {

// The sections of the text and the declarations of the models, merged in
// text order: a section without a model (one with an error) has none.  The
// sections are the text's as it is, the models those of the text with its
// lines with an error left empty, which another reading gives.
class SymbolLister : public DeclarationReader {
 public:
  SymbolLister(std::string_view text, SymbolConsumer& out) : out_(out) {
    for_each_section(text, [&](const SectionSpan& span) {
      if (!spans_.full()) spans_.add(span);
    });
  }

  void section_read(Location opening) override {
    while (next_ < spans_.size()) {
      out_.section(spans_[next_]);
      if (spans_[next_++].first >= opening.line) return;
    }
  }
  void declaration(const Declaration& declaration) override { out_.declaration(declaration); }
  void finish() {
    while (next_ < spans_.size()) out_.section(spans_[next_++]);
  }

 private:
  FixedTable<SectionSpan, limit::outline_sections> spans_;
  std::size_t next_ = 0;
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

// The tokens of the directive lines as the reader reads them, and each
// other line that is not empty as free text between them.
class TokenLister : public ReadingListener {
 public:
  TokenLister(std::string_view text, TokenConsumer& out) : lines_(text), out_(out) {}

  void token(const LineToken& token) override {
    ordinary_lines(token.at.line);
    out_.token(token.at, token.kind);
  }
  // Up to line `end`, not including it.
  void ordinary_lines(int end) {
    for (; next_ < end; ++next_) {
      const std::optional<TextLine> line = lines_.line(next_);
      if (!line) return;
      if (!line->directive() && !line->text.empty())
        out_.token({line->number, 1, static_cast<int>(line->text.size())}, TokenKind::free_text);
    }
  }

 private:
  TextLines lines_;
  TokenConsumer& out_;
  int next_ = 1;
};

// The types of the register lines, each once, but for the line being
// written: a section whose line has an error has no model, so the lines
// are read as text.
void complete_type(std::string_view text, int line_being_written, CompletionConsumer& out) {
  FixedTable<std::string_view, RegsSection::capacity + RegsSection::unwritten_capacity> seen;
  TextLines lines(text);
  while (const std::optional<TextLine> line = lines.next()) {
    if (!line->directive() || line->number == line_being_written) continue;
    const DirectiveTokens directive(line->text, line->number);
    const LineToken* type = directive.fields.size() > 1 ? &directive.fields[1] : nullptr;
    const bool reg = directive.row != nullptr && directive.row->word == std::string_view(directive_word::reg);
    if (!reg || !type || !is_letter(type->text.front()) || std::ranges::find(seen, type->text) != seen.end()) continue;
    if (!seen.full()) seen.add(type->text);
    out.completion(type->text, CompletionKind::type);
  }
}

// The directive words that may follow "@" on `line`.
void complete_directive(std::string_view text, int line, CompletionConsumer& out) {
  std::optional<SectionSpan> span;
  for_each_section(text, [&](const SectionSpan& section) {
    if (section.holds(line)) span = section;
  });
  for (const DirectiveRow& row : directive_rows()) {
    const std::string_view word = row.word;
    const bool valid =
        span ? row.section == span->kind || word == directive_word::closing : word == directive_word::opening;
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
  for_each_section(text, [&](const SectionSpan& span) { out.fold(span.first, span.last); });
}

void list_inlay_hints(std::string_view text, HintConsumer& out, std::span<const char* const> machine_register_list) {
  HintWriter writer(text, out);
  read_text(text, writer, machine_register_list);
}

void list_tokens(std::string_view text, TokenConsumer& out) {
  TokenLister lister(text, out);
  read_structure(text, lister);
  lister.ordinary_lines(std::numeric_limits<int>::max());
}

void list_completions(std::string_view text, TextPosition at, CompletionConsumer& out) {
  const std::optional<TextLine> line = TextLines(text).line(at.line);
  if (!line || !line->directive() || at.column < 2) return;
  const TextLine before{line->text.substr(0, static_cast<std::size_t>(at.column - 1)), line->number};
  const DirectiveTokens directive(before.text, before.number);
  if (directive.word.at.length == static_cast<int>(before.text.size())) return complete_directive(text, at.line, out);
  // What follows the row's fields counts as one more.
  const int fields = static_cast<int>(directive.fields.size()) + (directive.tail ? 1 : 0);
  // The cursor right after a field's last byte is still in it.
  const int index = is_white_space(before.text.back()) ? fields : fields - 1;
  complete_field(text, at.line, leading_identifier(before.text.substr(1)), index, out);
}

}  // namespace pl_config
