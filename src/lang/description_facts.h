#pragma once

// What an editor asks about a description, answered from its whole text as
// the reader reads it.  Places are the tool's own Locations (lines from 1,
// byte columns from 1); the answers go to a consumer, one call per result,
// or as Markdown into an Output.

#include <optional>
#include <span>
#include <string_view>

#include "description_text.h"
#include "generated_names.h"
#include "location.h"
#include "output.h"
#include "section_kinds.h"

namespace pl_config {

// Hover: what the word at `at` is, as Markdown: a tag, a register or a
// stack (by its line's fields, or by a name the headers make of it), a
// directive word or a section name.  The range of the word hovered, or
// nothing with nothing written.
std::optional<Location> write_hover(std::string_view text, TextPosition at, Output& out,
                                    std::span<const char* const> machine_register_list = {});

class LocationConsumer {
 public:
  virtual ~LocationConsumer() = default;
  virtual void location(Location at) = 0;
};

// Where the name at `at` is declared: the register, tag or stack it names
// or the headers make of one, or a copied "#define NAME" line.
void find_definitions(std::string_view text, TextPosition at, LocationConsumer& out);
// Every use of the name at `at` in the ordinary lines and in the
// directive lines' fields, in text order; the declarations too with
// `with_declaration`.
void find_references(std::string_view text, TextPosition at, bool with_declaration, LocationConsumer& out);

class SymbolConsumer {
 public:
  virtual ~SymbolConsumer() = default;
  virtual void section(const SectionSpan& span) = 0;
  // One of the section given last.
  virtual void declaration(const Declaration& declaration) = 0;
};

// Each section in text order, then what it declares; a section with an
// error declares nothing.
void list_symbols(std::string_view text, SymbolConsumer& out);

class FoldConsumer {
 public:
  virtual ~FoldConsumer() = default;
  virtual void fold(int first_line, int last_line) = 0;
};

// Each section, its opening line to its end line.
void list_folds(std::string_view text, FoldConsumer& out);

class HintConsumer {
 public:
  virtual ~HintConsumer() = default;
  // `at` is just past the line's last byte.
  virtual void hint(Location at, std::string_view text) = 0;
};

// After each tag line its mask; after each register line its bank slot or
// machine register.
void list_inlay_hints(std::string_view text, HintConsumer& out,
                      std::span<const char* const> machine_register_list = {});

class TokenConsumer {
 public:
  virtual ~TokenConsumer() = default;
  virtual void token(Location at, TokenKind kind) = 0;
};

// Every token of the text, in text order.
void list_tokens(std::string_view text, TokenConsumer& out);

enum class CompletionKind { directive, section, tag_kind, type, group };

class CompletionConsumer {
 public:
  virtual ~CompletionConsumer() = default;
  virtual void completion(std::string_view label, CompletionKind kind) = 0;
};

// What may stand at `at`: the directive words valid there after "@", the
// section names after "@begin ", a tag kind, the types the file uses, a
// register group.
void list_completions(std::string_view text, TextPosition at, CompletionConsumer& out);

}  // namespace pl_config
