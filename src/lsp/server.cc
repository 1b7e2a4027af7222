#include "server.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string_view>

#include "diagnostics.h"
#include "text_check.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace pl_config::lsp {

namespace {

// Every method served.  A feature is a row: its name, whether it is a
// request or a notification, and its handler.
constexpr Method method_table[] = {
    {"initialize", MethodKind::request, &Server::initialize},
    {"initialized", MethodKind::notification, nullptr},
    {"shutdown", MethodKind::request, &Server::shutdown},
    {"exit", MethodKind::notification, &Server::exit},
    // Every request is answered before the next is read: none is left to cancel.
    {"$/cancelRequest", MethodKind::notification, nullptr},
    {"$/setTrace", MethodKind::notification, nullptr},
    {"textDocument/didOpen", MethodKind::notification, &Server::did_open},
    {"textDocument/didChange", MethodKind::notification, &Server::did_change},
    {"textDocument/didClose", MethodKind::notification, &Server::did_close},
    {"textDocument/hover", MethodKind::request, &Server::hover},
    {"textDocument/definition", MethodKind::request, &Server::definition},
    {"textDocument/references", MethodKind::request, &Server::references},
    {"textDocument/documentSymbol", MethodKind::request, &Server::document_symbol},
    {"textDocument/foldingRange", MethodKind::request, &Server::folding_range},
    {"textDocument/completion", MethodKind::request, &Server::completion},
    {"textDocument/codeAction", MethodKind::request, &Server::code_action},
    {"textDocument/formatting", MethodKind::request, &Server::formatting},
    {"textDocument/inlayHint", MethodKind::request, &Server::inlay_hint},
    {"textDocument/semanticTokens/full", MethodKind::request, &Server::semantic_tokens},
};

const Method* find_method(std::string_view name) {
  for (const Method& method : method_table)
    if (name == method.name) return &method;
  return nullptr;
}

// A message of the table, formatted.
class MessageText {
 public:
  explicit MessageText(Message id, ...) {
    std::va_list args;
    va_start(args, id);
    text_.append_vformat(entry_of(id).text, args);
    va_end(args);
  }
  const char* c_str() const { return text_.c_str(); }

 private:
  BoundedText<limit::document_uri_length + 256> text_;
};

// The protocol's severities: error 1, warning 2, information 3.
int severity_of(Severity severity) {
  switch (severity) {
    case Severity::error: return 1;
    case Severity::warning: return 2;
    case Severity::note: break;
  }
  return 3;
}

Json json_of(Range range) {
  return {{"start", {{"line", range.start.line}, {"character", range.start.character}}},
          {"end", {{"line", range.end.line}, {"character", range.end.character}}}};
}

// The diagnostics of a check as the protocol has them: a note goes with the
// diagnostic before it, as its related information.
class PublishedDiagnostics : public DiagnosticConsumer {
 public:
  PublishedDiagnostics(std::string_view text, const char* uri, PositionEncoding encoding)
      : text_(text), uri_(uri), encoding_(encoding) {}

  void take(const Diagnostic& diagnostic) override {
    const Json range = json_of(range_of(text_, diagnostic.at, encoding_));
    const std::string_view message = diagnostic.text;
    if (diagnostic.severity == Severity::note && !list_.empty()) {
      list_.back()["relatedInformation"].push_back(
          {{"location", {{"uri", uri_}, {"range", range}}}, {"message", message}});
      return;
    }
    Json entry = {{"range", range},
                  {"severity", severity_of(diagnostic.severity)},
                  {"source", "pl_config"},
                  {"message", message}};
    if (diagnostic.warning_name != nullptr) entry["code"] = diagnostic.warning_name;
    list_.push_back(std::move(entry));
  }
  Json& list() { return list_; }

 private:
  std::string_view text_;
  const char* uri_;
  PositionEncoding encoding_;
  Json list_ = Json::array();
};

bool offers_utf8(const Json& params) {
  const Json* encodings = &params;
  for (const char* key : {"capabilities", "general", "positionEncodings"}) {
    if (!encodings->is_object() || !encodings->contains(key)) return false;
    encodings = &(*encodings)[key];
  }
  if (!encodings->is_array()) return false;
  return std::ranges::any_of(*encodings, [](const Json& encoding) { return encoding == "utf-8"; });
}

}  // namespace

const char* check_name(const char* uri) {
  constexpr std::string_view scheme = "file://";
  return std::string_view(uri).starts_with(scheme) ? uri + scheme.size() : uri;
}

bool Server::handle(const Json& message) {
  const Json id = message.is_object() && message.contains("id") ? message["id"] : Json();
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
    // A reply to a request of ours is no request: the server sends none.
    if (!message.is_object() || !(message.contains("result") || message.contains("error")))
      reply_error(id, ErrorCode::invalid_request, Message::lsp_invalid_request);
    return true;
  }
  const std::string& name = message["method"].get_ref<const std::string&>();
  const bool request = message.contains("id");
  const Method* method = find_method(name);
  if (state_ == State::uninitialized && name != "initialize" && name != "exit") {
    if (request) reply_error(id, ErrorCode::server_not_initialized, Message::lsp_not_initialized);
    return true;
  }
  if (state_ == State::shut_down && request)
    return reply_error(id, ErrorCode::invalid_request, Message::lsp_shut_down), true;
  if (method == nullptr) {
    if (request) reply_error(id, ErrorCode::method_not_found, Message::lsp_method_not_found, name.c_str());
    return true;
  }
  dispatch(method, message, request ? id : Json());
  return !exiting_;
}

void Server::dispatch(const Method* method, const Json& message, const Json& id) {
  const Json params = message.contains("params") ? message["params"] : Json::object();
  try {
    Json result = method->handler == nullptr ? Json() : (this->*method->handler)(params);
    if (!id.is_null()) reply(id, std::move(result));
  } catch (const Json::exception&) {
    if (!id.is_null()) reply_error(id, ErrorCode::invalid_params, Message::lsp_invalid_params, method->name);
  }
}

void Server::reply(const Json& id, Json result) {
  write_message(out_, {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void Server::reply_error(const Json& id, ErrorCode code, Message text, const char* argument) {
  const MessageText message(text, argument);
  write_message(
      out_,
      {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", static_cast<int>(code)}, {"message", message.c_str()}}}});
}

void Server::reply_parse_error() { reply_error(Json(), ErrorCode::parse_error, Message::lsp_parse_error); }

void Server::notify(const char* method, Json params) {
  write_message(out_, {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

// Only what is served is advertised: incremental sync of open documents,
// their diagnostics, pushed, and the answers of the method table.
Json Server::initialize(const Json& params) {
  encoding_ = offers_utf8(params) ? PositionEncoding::utf8 : PositionEncoding::utf16;
  state_ = State::running;
  return {{"capabilities",
           {{"positionEncoding", encoding_ == PositionEncoding::utf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
            {"hoverProvider", true},
            {"definitionProvider", true},
            {"referencesProvider", true},
            {"documentSymbolProvider", true},
            {"foldingRangeProvider", true},
            {"completionProvider", {{"triggerCharacters", {"@", " "}}}},
            {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
            {"documentFormattingProvider", true},
            {"inlayHintProvider", true},
            {"semanticTokensProvider", {{"legend", semantic_token_legend()}, {"full", true}}}}},
          {"serverInfo", {{"name", "pl_config"}, {"version", config_.version}}}};
}

Json Server::shutdown(const Json&) {
  state_ = State::shut_down;
  return nullptr;
}

Json Server::exit(const Json&) {
  exiting_ = true;
  return nullptr;
}

void Server::show_error(Stored stored, const char* uri) {
  const MessageText message =
      stored == Stored::too_large ? MessageText(Message::lsp_document_too_large, uri, limit::document_size)
      : stored == Stored::no_room ? MessageText(Message::lsp_too_many_documents, uri, limit::open_documents)
                                  : MessageText(Message::lsp_unknown_document, uri);
  notify("window/showMessage", {{"type", 1}, {"message", message.c_str()}});
}

void Server::publish(const char* uri) {
  const Document* document = documents_.find(uri);
  PublishedDiagnostics diagnostics(document == nullptr ? std::string_view() : document->text(), uri, encoding_);
  if (document != nullptr) check_text(config_, document->text(), check_name(document->uri.c_str()), diagnostics);
  notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", std::move(diagnostics.list())}});
}

Json Server::did_open(const Json& params) {
  const Json& document = params.at("textDocument");
  const std::string& uri = document.at("uri").get_ref<const std::string&>();
  const Stored stored = documents_.open(uri, document.at("text").get_ref<const std::string&>());
  if (stored != Stored::done) return show_error(stored, uri.c_str()), nullptr;
  publish(uri.c_str());
  return nullptr;
}

// A change without a range is the whole new text; one with a range replaces
// that range of the text as the changes before it left it.
void Server::change(const char* uri, const Json& change) {
  const std::string& text = change.at("text").get_ref<const std::string&>();
  Stored stored = Stored::not_open;
  if (!change.contains("range")) {
    stored = documents_.find(uri) != nullptr ? documents_.open(uri, text) : Stored::not_open;
  } else if (const Document* document = documents_.find(uri)) {
    const Json& range = change.at("range");
    const auto at = [&](const char* end) {
      const Json& position = range.at(end);
      return offset_of(document->text(),
                       {position.at("line").get<std::size_t>(), position.at("character").get<std::size_t>()},
                       encoding_);
    };
    stored = documents_.replace(uri, at("start"), at("end"), text);
  }
  if (stored != Stored::done) throw stored;
}

Json Server::did_change(const Json& params) {
  const std::string& uri = params.at("textDocument").at("uri").get_ref<const std::string&>();
  try {
    for (const Json& each : params.at("contentChanges")) change(uri.c_str(), each);
  } catch (Stored stored) {
    show_error(stored, uri.c_str());
  }
  publish(uri.c_str());
  return nullptr;
}

Json Server::did_close(const Json& params) {
  const std::string& uri = params.at("textDocument").at("uri").get_ref<const std::string&>();
  documents_.close(uri);
  publish(uri.c_str());
  return nullptr;
}

int serve(const BuildConfig& config, std::streambuf& in, std::streambuf& out) {
  Server server(config, out);
  MessageReader reader(in);
  for (Json message;;) {
    const MessageReader::Read read = reader.next(message);
    if (read == MessageReader::Read::end) break;
    if (read == MessageReader::Read::malformed) {
      server.reply_parse_error();
    } else if (!server.handle(message)) {
      break;
    }
  }
  return server.status();
}

int serve_standard_streams(const BuildConfig& config) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  // Buffered streams of their own: no stdio call per byte of a large frame.
  std::ios::sync_with_stdio(false);
  return serve(config, *std::cin.rdbuf(), *std::cout.rdbuf());
}

}  // namespace pl_config::lsp
