// The server's answers about a document, each read from its text by the
// lang layer and written as the protocol has them, as they are found.

#include <utility>

#include "description_facts.h"
#include "description_fixes.h"
#include "description_format.h"
#include "output.h"
#include "server.h"
#include "text_check.h"

namespace pl_config::lsp {

namespace {

// Text written through an Output, kept to be written as a JSON string: a
// hover is a few lines.
class TextSink : public Sink {
 public:
  bool write(const char* data, std::size_t size) override {
    text.append({data, size});
    return true;
  }
  BoundedText<16 * 1024 - 1> text;
};

// The protocol's kinds, by the lang layer's.
int completion_kind(CompletionKind kind) {
  switch (kind) {
    case CompletionKind::directive: return 14;  // Keyword
    case CompletionKind::section: return 9;     // Module
    case CompletionKind::tag_kind: return 20;   // EnumMember
    case CompletionKind::type: return 7;        // Class
    case CompletionKind::group: break;
  }
  return 12;  // Value
}

class Locations : public LocationConsumer {
 public:
  Locations(Positions& positions, std::string_view uri, JsonWriter& out)
      : positions_(positions), uri_(uri), out_(out) {}
  void location(Location at) override {
    out_.object().member("uri", uri_).key("range");
    write_range(out_, positions_.range(at));
    out_.end_object();
  }

 private:
  Positions& positions_;
  std::string_view uri_;
  JsonWriter& out_;
};

// Each section an object whose children follow it, closed at the next.
class Symbols : public SymbolConsumer {
 public:
  Symbols(Positions& positions, JsonWriter& out) : positions_(positions), out_(out) {}
  void section(const SectionSpan& span) override {
    finish();
    const Range name = positions_.range(span.name_at);
    const Location end{span.last, static_cast<int>(positions_.line(span.last).size()) + 1, 0};
    const Range range{{static_cast<std::size_t>(span.first - 1), 0}, positions_.range(end).end};
    out_.object().member("name", row_of(span.kind).name).member("kind", 3);  // Namespace
    out_.key("range");
    write_range(out_, range);
    out_.key("selectionRange");
    write_range(out_, name);
    out_.key("children").array();
    open_ = true;
  }
  void declaration(const Declaration& declaration) override {
    const Range range = positions_.range(declaration.name_at);
    out_.object().member("name", declaration.name).member("kind", row_of(declaration.kind).symbol_kind).key("range");
    write_range(out_, range);
    out_.key("selectionRange");
    write_range(out_, range);
    out_.end_object();
  }
  void finish() {
    if (open_) out_.end_array().end_object();
    open_ = false;
  }

 private:
  Positions& positions_;
  JsonWriter& out_;
  bool open_ = false;
};

class Folds : public FoldConsumer {
 public:
  explicit Folds(JsonWriter& out) : out_(out) {}
  void fold(int first_line, int last_line) override {
    out_.object().member("startLine", first_line - 1).member("endLine", last_line - 1).member("kind", "region");
    out_.end_object();
  }

 private:
  JsonWriter& out_;
};

class Hints : public HintConsumer {
 public:
  Hints(Positions& positions, std::pair<std::size_t, std::size_t> lines, JsonWriter& out)
      : positions_(positions), first_(lines.first), last_(lines.second), out_(out) {}
  void hint(Location at, std::string_view text) override {
    const Position position = positions_.range(at).start;
    if (position.line < first_ || position.line > last_) return;
    out_.object().key("position");
    write_position(out_, position);
    out_.member("label", text).member("paddingLeft", true).end_object();
  }

 private:
  Positions& positions_;
  std::size_t first_;
  std::size_t last_;
  JsonWriter& out_;
};

// The protocol's relative encoding: each token's line and start from the
// token before it.
class Tokens : public TokenConsumer {
 public:
  Tokens(Positions& positions, JsonWriter& out) : positions_(positions), out_(out) {}
  void token(Location at, TokenKind kind) override {
    const Range range = positions_.range(at);
    if (range.end.character <= range.start.character) return;
    const std::size_t line = range.start.line - line_;
    const std::size_t start = line == 0 ? range.start.character - start_ : range.start.character;
    out_.value(line).value(start).value(range.end.character - range.start.character);
    out_.value(static_cast<int>(kind)).value(0);
    line_ = range.start.line;
    start_ = range.start.character;
  }

 private:
  Positions& positions_;
  JsonWriter& out_;
  std::size_t line_ = 0;
  std::size_t start_ = 0;
};

class Completions : public CompletionConsumer {
 public:
  explicit Completions(JsonWriter& out) : out_(out) {}
  void completion(std::string_view label, CompletionKind kind) override {
    out_.object().member("label", label).member("kind", completion_kind(kind)).end_object();
  }

 private:
  JsonWriter& out_;
};

class LineEdits : public LineEditConsumer {
 public:
  LineEdits(Positions& positions, JsonWriter& out) : positions_(positions), out_(out) {}
  void replace_line(int line, std::string_view text) override {
    const Location whole{line, 1, static_cast<int>(positions_.line(line).size())};
    out_.object().key("range");
    write_range(out_, positions_.range(whole));
    out_.member("newText", text).end_object();
  }

 private:
  Positions& positions_;
  JsonWriter& out_;
};

// The fixes of the diagnostics on the lines asked about, as quick fixes.
class CodeActions : public DiagnosticConsumer, public FixConsumer {
 public:
  CodeActions(const Document& document, Positions& positions, std::pair<std::size_t, std::size_t> lines,
              JsonWriter& out)
      : document_(document), positions_(positions), first_(lines.first), last_(lines.second), out_(out) {}
  void take(const Diagnostic& diagnostic) override {
    const auto line = static_cast<std::size_t>(diagnostic.at.line - 1);
    if (diagnostic.at.line <= 0 || line < first_ || line > last_) return;
    find_fixes(diagnostic, document_.text(), *this);
  }
  void fix(std::string_view title, std::span<const TextEdit> edits) override {
    out_.object().member("title", title).member("kind", "quickfix");
    out_.key("edit").object().key("changes").object().key(document_.uri.view()).array();
    for (const TextEdit& edit : edits) {
      out_.object().key("range");
      write_range(out_, positions_.range(edit.at));
      out_.member("newText", edit.text).end_object();
    }
    out_.end_array().end_object().end_object().end_object();
  }

 private:
  const Document& document_;
  Positions& positions_;
  std::size_t first_;
  std::size_t last_;
  JsonWriter& out_;
};

// The lines asked about, from 0: a request's range.
std::pair<std::size_t, std::size_t> lines_of(JsonValue params) {
  const JsonValue range = params["range"];
  return {range["start"]["line"].count(), range["end"]["line"].count()};
}

}  // namespace

// The names of the token kinds, in the order of TokenKind.
void Server::semantic_token_legend(JsonWriter& out) {
  out.object().key("tokenTypes").array();
  for (const char* type : {"keyword", "namespace", "type", "variable", "number", "string", "comment"}) out.value(type);
  out.end_array().key("tokenModifiers").array().end_array().end_object();
}

const Document* Server::document_of(JsonValue params) const {
  return documents_.find(params["textDocument"]["uri"].text());
}

TextPosition Server::position_of(const Document& document, JsonValue params) const {
  const JsonValue position = params["position"];
  const Location place = Positions(document.text(), document.lines, encoding_)
                             .place({position["line"].count(), position["character"].count()});
  return {place.line, place.column};
}

// What `write` makes of the open document that `params` names, with its
// positions; null for a document not open.
template <typename Write>
void Server::answer(JsonValue params, JsonWriter& out, Write write) const {
  const Document* document = document_of(params);
  if (document == nullptr) return static_cast<void>(out.null());
  Positions positions(document->text(), document->lines, encoding_);
  write(*document, positions);
}

void Server::hover(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    TextSink sink;
    char buffer[4096];
    Output markdown(sink, buffer);
    const std::optional<Location> word =
        write_hover(document.text(), position_of(document, params), markdown, config_.machine_register_list);
    markdown.flush();
    if (!word) return static_cast<void>(out.null());
    out.object().key("contents").object().member("kind", "markdown").member("value", sink.text.view()).end_object();
    out.key("range");
    write_range(out, positions.range(*word));
    out.end_object();
  });
}

void Server::definition(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    Locations locations(positions, document.uri.view(), out.array());
    find_definitions(document.text(), position_of(document, params), locations);
    out.end_array();
  });
}

void Server::references(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    const bool with_declaration = params["context"]["includeDeclaration"].truth(false);
    Locations locations(positions, document.uri.view(), out.array());
    find_references(document.text(), position_of(document, params), with_declaration, locations);
    out.end_array();
  });
}

void Server::document_symbol(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    Symbols symbols(positions, out.array());
    list_symbols(document.text(), symbols);
    symbols.finish();
    out.end_array();
  });
}

void Server::folding_range(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions&) {
    Folds folds(out.array());
    list_folds(document.text(), folds);
    out.end_array();
  });
}

void Server::completion(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions&) {
    Completions completions(out.array());
    list_completions(document.text(), position_of(document, params), completions);
    out.end_array();
  });
}

void Server::code_action(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    CodeActions actions(document, positions, lines_of(params), out.array());
    check_text(config_, document.text(), check_name(document.uri.c_str()), actions);
    out.end_array();
  });
}

void Server::formatting(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    LineEdits edits(positions, out.array());
    format_description(document.text(), edits);
    out.end_array();
  });
}

void Server::inlay_hint(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    Hints hints(positions, lines_of(params), out.array());
    list_inlay_hints(document.text(), hints, config_.machine_register_list);
    out.end_array();
  });
}

void Server::semantic_tokens(JsonValue params, JsonWriter& out) {
  answer(params, out, [&](const Document& document, Positions& positions) {
    Tokens tokens(positions, out.object().key("data").array());
    list_tokens(document.text(), tokens);
    out.end_array().end_object();
  });
}

}  // namespace pl_config::lsp
