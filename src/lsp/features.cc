// The server's answers about a document, each read from its text by the
// lang layer and put as the protocol has them.

#include <string>
#include <utility>

#include "description_facts.h"
#include "description_fixes.h"
#include "description_format.h"
#include "output.h"
#include "server.h"
#include "text_check.h"

namespace pl_config::lsp {

namespace {

Json json_of(const Position& position) { return {{"line", position.line}, {"character", position.character}}; }
Json json_of(const Range& range) { return {{"start", json_of(range.start)}, {"end", json_of(range.end)}}; }

// Text written through an Output into a JSON string.
class JsonTextSink : public Sink {
 public:
  explicit JsonTextSink(Json& text) : text_(text.get_ref<std::string&>()) {}
  bool write(const char* data, std::size_t size) override {
    text_.append(data, size);
    return true;
  }

 private:
  std::string& text_;
};

// The protocol's kinds, by the lang layer's.
int symbol_kind(DeclarationKind kind) {
  switch (kind) {
    case DeclarationKind::register_name: return 13;  // Variable
    case DeclarationKind::tag: return 14;            // Constant
    case DeclarationKind::stack: break;
  }
  return 18;  // Array
}

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
  Locations(RangeCursor& cursor, std::string uri) : cursor_(cursor), uri_(std::move(uri)) {}
  void location(Location at) override { list.push_back({{"uri", uri_}, {"range", json_of(cursor_.range(at))}}); }
  Json list = Json::array();

 private:
  RangeCursor& cursor_;
  std::string uri_;
};

class Symbols : public SymbolConsumer {
 public:
  explicit Symbols(RangeCursor& cursor) : cursor_(cursor) {}
  void section(const SectionSpan& span) override {
    const Range name = cursor_.range(span.name_at);
    const Location end{span.last, static_cast<int>(cursor_.line(span.last).size()) + 1, 0};
    const Range range{{static_cast<std::size_t>(span.first - 1), 0}, cursor_.range(end).end};
    list.push_back({{"name", row_of(span.kind).name},
                    {"kind", 3},  // Namespace
                    {"range", json_of(range)},
                    {"selectionRange", json_of(name)},
                    {"children", Json::array()}});
  }
  void declaration(const Declaration& declaration) override {
    const Json range = json_of(cursor_.range(declaration.name_at));
    list.back()["children"].push_back({{"name", std::string(declaration.name)},
                                       {"kind", symbol_kind(declaration.kind)},
                                       {"range", range},
                                       {"selectionRange", range}});
  }
  Json list = Json::array();

 private:
  RangeCursor& cursor_;
};

class Folds : public FoldConsumer {
 public:
  void fold(int first_line, int last_line) override {
    list.push_back({{"startLine", first_line - 1}, {"endLine", last_line - 1}, {"kind", "region"}});
  }
  Json list = Json::array();
};

class Hints : public HintConsumer {
 public:
  Hints(RangeCursor& cursor, std::size_t first, std::size_t last) : cursor_(cursor), first_(first), last_(last) {}
  void hint(Location at, std::string_view text) override {
    const Position position = cursor_.range(at).start;
    if (position.line < first_ || position.line > last_) return;
    list.push_back({{"position", json_of(position)}, {"label", std::string(text)}, {"paddingLeft", true}});
  }
  Json list = Json::array();

 private:
  RangeCursor& cursor_;
  std::size_t first_;
  std::size_t last_;
};

// The protocol's relative encoding: each token's line and start from the
// token before it.
class Tokens : public TokenConsumer {
 public:
  explicit Tokens(RangeCursor& cursor) : cursor_(cursor) {}
  void token(Location at, TokenKind kind) override {
    const Range range = cursor_.range(at);
    if (range.end.character <= range.start.character) return;
    const std::size_t line = range.start.line - line_;
    const std::size_t start = line == 0 ? range.start.character - start_ : range.start.character;
    data.insert(data.end(),
                {line, start, range.end.character - range.start.character, static_cast<std::size_t>(kind), 0});
    line_ = range.start.line;
    start_ = range.start.character;
  }
  Json data = Json::array();

 private:
  RangeCursor& cursor_;
  std::size_t line_ = 0;
  std::size_t start_ = 0;
};

class Completions : public CompletionConsumer {
 public:
  void completion(std::string_view label, CompletionKind kind) override {
    list.push_back({{"label", std::string(label)}, {"kind", completion_kind(kind)}});
  }
  Json list = Json::array();
};

class LineEdits : public LineEditConsumer {
 public:
  explicit LineEdits(RangeCursor& cursor) : cursor_(cursor) {}
  void replace_line(int line, std::string_view text) override {
    const Location whole{line, 1, static_cast<int>(cursor_.line(line).size())};
    list.push_back({{"range", json_of(cursor_.range(whole))}, {"newText", std::string(text)}});
  }
  Json list = Json::array();

 private:
  RangeCursor& cursor_;
};

// The fixes of the diagnostics on the lines asked about, as quick fixes.
class CodeActions : public DiagnosticConsumer, public FixConsumer {
 public:
  CodeActions(std::string_view text, RangeCursor& cursor, const std::string& uri, std::size_t first, std::size_t last)
      : text_(text), cursor_(cursor), uri_(uri), first_(first), last_(last) {}
  void take(const Diagnostic& diagnostic) override {
    const auto line = static_cast<std::size_t>(diagnostic.at.line - 1);
    if (diagnostic.at.line <= 0 || line < first_ || line > last_) return;
    find_fixes(diagnostic, text_, *this);
  }
  void fix(std::string_view title, std::span<const TextEdit> edits) override {
    Json changes = Json::array();
    for (const TextEdit& edit : edits)
      changes.push_back({{"range", json_of(cursor_.range(edit.at))}, {"newText", std::string(edit.text)}});
    list.push_back({{"title", std::string(title)}, {"kind", "quickfix"}, {"edit", {{"changes", {{uri_, changes}}}}}});
  }
  Json list = Json::array();

 private:
  std::string_view text_;
  RangeCursor& cursor_;
  const std::string& uri_;
  std::size_t first_;
  std::size_t last_;
};

// The lines asked about, from 0: a request's range.
std::pair<std::size_t, std::size_t> lines_of(const Json& params) {
  const Json& range = params.at("range");
  return {range.at("start").at("line").get<std::size_t>(), range.at("end").at("line").get<std::size_t>()};
}

}  // namespace

// The names of the token kinds, in the order of TokenKind.
Json Server::semantic_token_legend() {
  return {{"tokenTypes", {"keyword", "namespace", "type", "variable", "number", "string", "comment"}},
          {"tokenModifiers", Json::array()}};
}

const Document* Server::document_of(const Json& params) const {
  return documents_.find(params.at("textDocument").at("uri").get_ref<const std::string&>());
}

TextPosition Server::position_of(const Document& document, const Json& params) const {
  const Json& position = params.at("position");
  const Location place =
      place_of(document.text(), {position.at("line").get<std::size_t>(), position.at("character").get<std::size_t>()},
               encoding_);
  return {place.line, place.column};
}

// What `answer` makes of the open document that `params` names, with a
// cursor for its ranges; null for a document not open.
template <typename Answer>
Json Server::answer(const Json& params, Answer answer) const {
  const Document* document = document_of(params);
  if (document == nullptr) return nullptr;
  RangeCursor cursor(document->text(), encoding_);
  return answer(*document, cursor);
}

Json Server::hover(const Json& params) {
  return answer(params, [&](const Document& document, RangeCursor& cursor) -> Json {
    Json value = "";
    JsonTextSink sink(value);
    char buffer[4096];
    Output out(sink, buffer);
    const std::optional<Location> word =
        write_hover(document.text(), position_of(document, params), out, config_.machine_register_list);
    out.flush();
    if (!word) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", std::move(value)}}}, {"range", json_of(cursor.range(*word))}};
  });
}

Json Server::definition(const Json& params) {
  return answer(params, [&](const Document& document, RangeCursor& cursor) {
    Locations locations(cursor, document.uri.c_str());
    find_definitions(document.text(), position_of(document, params), locations);
    return std::move(locations.list);
  });
}

Json Server::references(const Json& params) {
  return answer(params, [&](const Document& document, RangeCursor& cursor) {
    Locations locations(cursor, document.uri.c_str());
    const bool with_declaration = params.contains("context") && params["context"].value("includeDeclaration", false);
    find_references(document.text(), position_of(document, params), with_declaration, locations);
    return std::move(locations.list);
  });
}

Json Server::document_symbol(const Json& params) {
  return answer(params, [](const Document& document, RangeCursor& cursor) {
    Symbols symbols(cursor);
    list_symbols(document.text(), symbols);
    return std::move(symbols.list);
  });
}

Json Server::folding_range(const Json& params) {
  return answer(params, [](const Document& document, RangeCursor&) {
    Folds folds;
    list_folds(document.text(), folds);
    return std::move(folds.list);
  });
}

Json Server::completion(const Json& params) {
  return answer(params, [&](const Document& document, RangeCursor&) {
    Completions completions;
    list_completions(document.text(), position_of(document, params), completions);
    return std::move(completions.list);
  });
}

Json Server::code_action(const Json& params) {
  return answer(params, [&](const Document& document, RangeCursor& cursor) {
    const std::string uri = document.uri.c_str();
    const auto [first, last] = lines_of(params);
    CodeActions actions(document.text(), cursor, uri, first, last);
    check_text(config_, document.text(), check_name(uri.c_str()), actions);
    return std::move(actions.list);
  });
}

Json Server::formatting(const Json& params) {
  return answer(params, [](const Document& document, RangeCursor& cursor) {
    LineEdits edits(cursor);
    format_description(document.text(), edits);
    return std::move(edits.list);
  });
}

Json Server::inlay_hint(const Json& params) {
  return answer(params, [&](const Document& document, RangeCursor& cursor) {
    const auto [first, last] = lines_of(params);
    Hints hints(cursor, first, last);
    list_inlay_hints(document.text(), hints, config_.machine_register_list);
    return std::move(hints.list);
  });
}

Json Server::semantic_tokens(const Json& params) {
  return answer(params, [](const Document& document, RangeCursor& cursor) -> Json {
    Tokens tokens(cursor);
    list_tokens(document.text(), tokens);
    return {{"data", std::move(tokens.data)}};
  });
}

}  // namespace pl_config::lsp
