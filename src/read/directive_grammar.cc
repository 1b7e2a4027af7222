#include "directive_grammar.h"

#include <algorithm>

#include "ascii.h"
#include "reader.h"

namespace pl_config {

namespace {

using enum TokenKind;
constexpr TokenKind opening_fields[] = {section_name};
constexpr TokenKind reg_fields[] = {number, type, name};
constexpr TokenKind filler_fields[] = {number};
constexpr TokenKind tag_fields[] = {name, type, number};
constexpr TokenKind stack_fields[] = {name, string, number, name};

constexpr DirectiveRow rows[] = {
    {directive_word::opening, std::nullopt, opening_fields, nullptr, -1},
    {directive_word::closing, std::nullopt, {}, "@end", -1},
    {directive_word::filler, SectionKind::regs, filler_fields,
     "@filler VALUE             words reserved at the start of the bank", -1},
    {directive_word::reg, SectionKind::regs, reg_fields, "@reg GROUP TYPE NAME      a register", 2},
    {directive_word::tag, SectionKind::tags, tag_fields, "@tag NAME KIND VALUE", 0},
    {directive_word::stack, SectionKind::stacks, stack_fields, "@stack NAME \"DESCRIPTION\" SIZE TOP", 0},
};
static_assert(std::ranges::all_of(rows, [](const DirectiveRow& row) {
  return row.fields.size() <= decltype(DirectiveTokens::fields)::capacity;
}));

// How a field shows: an integer or a string as what it is, whatever the
// row expects there (a filler value may be a name).
TokenKind kind_of(std::string_view field, TokenKind expected) {
  if (is_digit(field.front())) return TokenKind::number;
  if (field.front() == '"') return TokenKind::string;
  return expected == TokenKind::number || expected == TokenKind::string ? TokenKind::name : expected;
}

}  // namespace

std::span<const DirectiveRow> directive_rows() { return rows; }

const DirectiveRow* find_directive(std::string_view word) {
  for (const DirectiveRow& row : rows)
    if (word == row.word) return &row;
  return nullptr;
}

std::optional<SectionKind> section_of(std::string_view word) {
  const DirectiveRow* row = find_directive(word);
  return row != nullptr ? row->section : std::nullopt;
}

BoundedText<31> opening_syntax(SectionKind kind) {
  BoundedText<31> syntax;
  syntax.append_format("@%s %s", directive_word::opening, row_of(kind).name);
  return syntax;
}

// The word reaches from the "@" to the end of the identifier after it, the
// blanks before it too: what the reader takes the line to be.
void list_directive_tokens(std::string_view line, int number, int column, ReadingListener& out) {
  const std::string_view word = leading_identifier(line.substr(1));
  std::size_t fields_start = 1;
  while (fields_start < line.size() && is_white_space(line[fields_start])) ++fields_start;
  fields_start += word.size();
  out.token({line.substr(0, fields_start), {number, column, static_cast<int>(fields_start)}, TokenKind::directive});
  CurrentLine quoted;
  quoted.save(line, number);
  Scanner rest(line.substr(fields_start), quoted, column + static_cast<int>(fields_start));
  const DirectiveRow* row = find_directive(word);
  const std::span<const TokenKind> fields = row != nullptr ? row->fields : std::span<const TokenKind>();
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    const std::optional<std::string_view> field = rest.field();
    if (!field) return;
    out.token({*field, rest.location(), kind_of(*field, fields[i])});
  }
  if (const std::string_view tail = rest.tail(); !tail.empty())
    out.token({tail, rest.location(), TokenKind::free_text});
}

DirectiveTokens::DirectiveTokens(std::string_view line, int number)
    : row(find_directive(leading_identifier(line.substr(1)))) {
  list_directive_tokens(line, number, 1, *this);
}

void DirectiveTokens::token(const LineToken& token) {
  if (token.kind == TokenKind::directive) {
    word = token;
  } else if (token.kind == TokenKind::free_text) {
    tail = token;
  } else {
    fields.add(token);
  }
}

}  // namespace pl_config
