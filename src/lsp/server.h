#pragma once

#include <streambuf>

#include "description_text.h"
#include "documents.h"
#include "message_reader.h"
#include "messages.h"
#include "pl_config.h"
#include "positions.h"

namespace pl_config::lsp {

// JSON-RPC's and the protocol's error codes.
enum class ErrorCode {
  parse_error = -32700,
  invalid_request = -32600,
  method_not_found = -32601,
  invalid_params = -32602,
  server_not_initialized = -32002,
};

class Server;
// A method's handler: the result of a request (ignored for a notification);
// null for a notification taken and ignored.
using Handler = Json (Server::*)(const Json& params);

enum class MethodKind { request, notification };

// A method the server serves: a feature is one row of the method table.
struct Method {
  const char* name;
  MethodKind kind;
  Handler handler;
};

// The language server: its lifecycle, its open documents and their
// diagnostics, published at every open and change.
class Server {
 public:
  Server(const BuildConfig& config, std::streambuf& out) : config_(config), out_(out) {}

  // Handles one message; false once the server ends (exit).
  bool handle(const Json& message);
  // Replies to a frame that held no JSON.
  void reply_parse_error();
  // The exit status: 0 once shut down as the protocol asks, 1 otherwise.
  int status() const { return state_ == State::shut_down ? 0 : 1; }

  Json initialize(const Json& params);
  Json shutdown(const Json& params);
  Json exit(const Json& params);
  Json did_open(const Json& params);
  Json did_change(const Json& params);
  Json did_close(const Json& params);
  // Answers about an open document (features.cc); null for one not open.
  Json hover(const Json& params);
  Json definition(const Json& params);
  Json references(const Json& params);
  Json document_symbol(const Json& params);
  Json folding_range(const Json& params);
  Json completion(const Json& params);
  Json code_action(const Json& params);
  Json formatting(const Json& params);
  Json inlay_hint(const Json& params);
  Json semantic_tokens(const Json& params);
  static Json semantic_token_legend();

 private:
  enum class State { uninitialized, running, shut_down };

  void dispatch(const Method* method, const Json& message, const Json& id);
  void reply(const Json& id, Json result);
  void reply_error(const Json& id, ErrorCode code, Message text, const char* argument = "");
  void notify(const char* method, Json params);
  // Tells the user why a document is not checked.
  void show_error(Stored stored, const char* uri);
  void publish(const char* uri);
  void change(const char* uri, const Json& change);
  const Document* document_of(const Json& params) const;
  template <typename Answer>
  Json answer(const Json& params, Answer answer) const;
  TextPosition position_of(const Document& document, const Json& params) const;

  const BuildConfig& config_;
  std::streambuf& out_;
  State state_ = State::uninitialized;
  bool exiting_ = false;
  PositionEncoding encoding_ = PositionEncoding::utf16;
  Documents documents_;
};

// The name a check's messages give the document at `uri`: its path without
// the scheme.
const char* check_name(const char* uri);

// Serves the protocol from `in` to `out` until an exit notification or the
// end of the input; returns the exit status.
int serve(const BuildConfig& config, std::streambuf& in, std::streambuf& out);
// serve() on standard input and output, both binary: the byte counts of the
// frames are exact only where no newline is translated.
int serve_standard_streams(const BuildConfig& config);

}  // namespace pl_config::lsp
