#include "server.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <string_view>

#include "published_diagnostics.h"
#include "text_check.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace pl_config::lsp {

namespace {

// Every method served.  A feature is a row: its name, and its answer if it
// is a request or its handler if it is a notification.
constexpr Method method_table[] = {
    {"initialize", &Server::initialize, nullptr},
    {"initialized", nullptr, nullptr},
    {"shutdown", &Server::shutdown, nullptr},
    {"exit", nullptr, &Server::exit},
    // Every request is answered before the next is read: none is left to cancel.
    {"$/cancelRequest", nullptr, nullptr},
    {"$/setTrace", nullptr, nullptr},
    {"textDocument/didOpen", nullptr, &Server::did_open},
    {"textDocument/didChange", nullptr, &Server::did_change},
    {"textDocument/didClose", nullptr, &Server::did_close},
    {"textDocument/hover", &Server::hover, nullptr},
    {"textDocument/definition", &Server::definition, nullptr},
    {"textDocument/references", &Server::references, nullptr},
    {"textDocument/documentSymbol", &Server::document_symbol, nullptr},
    {"textDocument/foldingRange", &Server::folding_range, nullptr},
    {"textDocument/completion", &Server::completion, nullptr},
    {"textDocument/codeAction", &Server::code_action, nullptr},
    {"textDocument/formatting", &Server::formatting, nullptr},
    {"textDocument/inlayHint", &Server::inlay_hint, nullptr},
    {"textDocument/semanticTokens/full", &Server::semantic_tokens, nullptr},
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
  std::string_view view() const { return text_.view(); }

 private:
  BoundedText<limit::document_uri_length + 256> text_;
};

// A notification of the server's, its params written by `params`.
template <typename Params>
void notify(std::streambuf& out, const char* method, Params params) {
  write_frame(out, [&](JsonWriter& body) {
    body.object().member("jsonrpc", "2.0").member("method", method).key("params");
    params(body);
    body.end_object();
  });
}

bool offers_utf8(JsonValue params) {
  const JsonValue encodings = params["capabilities"]["general"]["positionEncodings"];
  for (std::size_t i = 0; i < encodings.size(); ++i)
    if (encodings[i].is_text() && encodings[i].text() == "utf-8") return true;
  return false;
}

}  // namespace

const char* check_name(const char* uri) {
  constexpr std::string_view scheme = "file://";
  return std::string_view(uri).starts_with(scheme) ? uri + scheme.size() : uri;
}

bool Server::handle(const Incoming& message) {
  // A reply to a request of ours is no request: the server sends none.
  if (message.kind == Incoming::Kind::reply) return true;
  if (message.kind == Incoming::Kind::invalid)
    return reply_error(message.id, ErrorCode::invalid_request, Message::lsp_invalid_request), true;
  const bool request = message.kind == Incoming::Kind::request;
  const Method* method = find_method(message.method);
  if (state_ == State::uninitialized && message.method != "initialize" && message.method != "exit") {
    if (request) reply_error(message.id, ErrorCode::server_not_initialized, Message::lsp_not_initialized);
    return true;
  }
  if (state_ == State::shut_down && request)
    return reply_error(message.id, ErrorCode::invalid_request, Message::lsp_shut_down), true;
  if (method == nullptr) {
    // The name is a string of the message, ended by a NUL.
    if (request)
      reply_error(message.id, ErrorCode::method_not_found, Message::lsp_method_not_found, message.method.data());
    return true;
  }
  dispatch(*method, message);
  return !exiting_;
}

// A request's answer is made first only to be counted: a missing parameter
// is found then, before anything is sent.
void Server::dispatch(const Method& method, const Incoming& message) {
  const bool request = message.kind == Incoming::Kind::request;
  try {
    if (method.answer != nullptr && request) {
      reply(message.id, [&](JsonWriter& out) { (this->*method.answer)(message.params, out); });
    } else if (method.answer != nullptr) {
      JsonWriter nowhere(nullptr);
      (this->*method.answer)(message.params, nowhere);
    } else {
      if (method.notification != nullptr) (this->*method.notification)(message.params);
      if (request) reply(message.id, [](JsonWriter& out) { out.null(); });
    }
  } catch (const InvalidParams&) {
    if (request) reply_error(message.id, ErrorCode::invalid_params, Message::lsp_invalid_params, method.name);
  }
}

template <typename Body>
void Server::reply(const RequestId& id, Body body) {
  write_frame(out_, [&](JsonWriter& out) {
    out.object().member("jsonrpc", "2.0").key("id");
    write_id(out, id);
    out.key("result");
    body(out);
    out.end_object();
  });
}

void Server::reply_error(const RequestId& id, ErrorCode code, Message text, const char* argument) {
  const MessageText message(text, argument);
  write_frame(out_, [&](JsonWriter& out) {
    out.object().member("jsonrpc", "2.0").key("id");
    write_id(out, id);
    out.key("error").object().member("code", static_cast<int>(code)).member("message", message.view());
    out.end_object().end_object();
  });
}

void Server::reply_unread(MessageReader::Read read) {
  if (read == MessageReader::Read::too_deep)
    return reply_error(RequestId(), ErrorCode::invalid_request, Message::lsp_too_deep);
  reply_error(RequestId(), ErrorCode::parse_error, Message::lsp_parse_error);
}

// Only what is served is advertised: incremental sync of open documents,
// their diagnostics, pushed, and the answers of the method table.
void Server::initialize(JsonValue params, JsonWriter& out) {
  encoding_ = offers_utf8(params) ? PositionEncoding::utf8 : PositionEncoding::utf16;
  state_ = State::running;
  out.object().key("capabilities").object();
  out.member("positionEncoding", encoding_ == PositionEncoding::utf8 ? "utf-8" : "utf-16");
  out.key("textDocumentSync").object().member("openClose", true).member("change", 2).end_object();
  for (const char* provider :
       {"hoverProvider", "definitionProvider", "referencesProvider", "documentSymbolProvider", "foldingRangeProvider"})
    out.member(provider, true);
  out.key("completionProvider").object().key("triggerCharacters").array().value("@").value(" ").end_array();
  out.end_object();
  out.key("codeActionProvider").object().key("codeActionKinds").array().value("quickfix").end_array().end_object();
  out.member("documentFormattingProvider", true).member("inlayHintProvider", true);
  out.key("semanticTokensProvider").object().key("legend");
  semantic_token_legend(out);
  out.member("full", true).end_object();
  out.end_object();
  out.key("serverInfo").object().member("name", "pl_config").member("version", config_.version).end_object();
  out.end_object();
}

void Server::shutdown(JsonValue, JsonWriter& out) {
  state_ = State::shut_down;
  out.null();
}

void Server::exit(JsonValue) { exiting_ = true; }

void Server::show_message(int type, Message text, const char* uri, std::size_t number) {
  const MessageText message(text, uri, number);
  notify(out_, "window/showMessage",
         [&](JsonWriter& out) { out.object().member("type", type).member("message", message.view()).end_object(); });
}

void Server::show_error(Stored stored, const char* uri) {
  switch (stored) {
    case Stored::too_large: return show_message(1, Message::lsp_document_too_large, uri, limit::document_size);
    case Stored::no_room: return show_message(1, Message::lsp_too_many_documents, uri, limit::open_documents);
    case Stored::not_open: return show_message(1, Message::lsp_unknown_document, uri);
    case Stored::reopen: return show_message(2, Message::lsp_reopen_document, uri);
    case Stored::done:
    case Stored::waits: break;
  }
}

void Server::publish(const char* uri) {
  // Large: static storage, one per process.
  static PublishedDiagnostics diagnostics;
  const Document* document = documents_.find(uri);
  const LineIndex no_lines;
  Positions positions(document == nullptr ? std::string_view() : document->text(),
                      document == nullptr ? no_lines : document->lines, encoding_);
  diagnostics.reset(positions);
  if (document != nullptr) check_text(config_, document->text(), check_name(document->uri.c_str()), diagnostics);
  notify(out_, "textDocument/publishDiagnostics", [&](JsonWriter& out) {
    out.object().member("uri", uri).key("diagnostics");
    diagnostics.write(out, uri);
    out.end_object();
  });
}

void Server::did_open(JsonValue params) {
  const JsonValue document = params["textDocument"];
  const std::string_view uri = document["uri"].text();
  const Stored stored = documents_.open(uri, document["text"].text());
  if (stored != Stored::done) return show_error(stored, uri.data());
  publish(uri.data());
}

// A change without a range is the whole new text; one with a range replaces
// that range of the text as the changes before it left it.
Stored Server::change(const char* uri, JsonValue change) {
  const std::string_view text = change["text"].text();
  const JsonValue range = change["range"];
  const Document* document = documents_.find(uri);
  if (document == nullptr) return change_unopened(uri, text, range.present());
  if (!range.present()) return documents_.open(uri, text);
  const Positions positions(document->text(), document->lines, encoding_);
  const auto at = [&](const char* end) {
    return positions.offset({range[end]["line"].count(), range[end]["character"].count()});
  };
  return documents_.replace(uri, at("start"), at("end"), text);
}

// A document that waits for a slot is taken at its next whole text once
// one is free; for a change of a part, the user is asked, once, to open it
// again.  One never opened is not open.
Stored Server::change_unopened(const char* uri, std::string_view text, bool partial) {
  WaitingDocument* waiting = documents_.waiting(uri);
  if (waiting == nullptr) return Stored::not_open;
  if (!partial) {
    const Stored stored = documents_.open(uri, text);
    return stored == Stored::no_room ? Stored::waits : stored;
  }
  if (waiting->asked || !documents_.has_room()) return Stored::waits;
  waiting->asked = true;
  return Stored::reopen;
}

void Server::did_change(JsonValue params) {
  const std::string_view uri = params["textDocument"]["uri"].text();
  const JsonValue changes = params["contentChanges"];
  if (!changes.present()) throw InvalidParams();
  Stored stored = Stored::done;
  for (std::size_t i = 0; i < changes.size() && stored == Stored::done; ++i) stored = change(uri.data(), changes[i]);
  show_error(stored, uri.data());
  publish(uri.data());
}

void Server::did_close(JsonValue params) {
  const std::string_view uri = params["textDocument"]["uri"].text();
  documents_.close(uri);
  publish(uri.data());
}

int serve(const BuildConfig& config, std::streambuf& in, std::streambuf& out) {
  Server server(config, out);
  MessageReader reader(in);
  for (Incoming message;;) {
    const MessageReader::Read read = reader.next(message);
    if (read == MessageReader::Read::end) break;
    if (read != MessageReader::Read::message) {
      server.reply_unread(read);
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
