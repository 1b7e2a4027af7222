#pragma once

#include <streambuf>

#include "description_text.h"
#include "documents.h"
#include "json_writer.h"
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
// A request's answer: writes its result, the same each time it is called
// (a frame's body is made twice).
using Answer = void (Server::*)(JsonValue params, JsonWriter& out);
// A notification's handler.
using Notification = void (Server::*)(JsonValue params);

// A method the server serves: a feature is one row of the method table.  A
// request has an answer, a notification a handler; neither: a notification
// taken and ignored.
struct Method {
  const char* name;
  Answer answer;
  Notification notification;
};

// The language server: its lifecycle, its open documents and their
// diagnostics, published at every open and change.
class Server {
 public:
  Server(const BuildConfig& config, std::streambuf& out) : config_(config), out_(out) {}

  // Handles one message; false once the server ends (exit).
  bool handle(const Incoming& message);
  // Replies to a frame that held no JSON, or JSON nested too deep.
  void reply_unread(MessageReader::Read read);
  // The exit status: 0 once shut down as the protocol asks, 1 otherwise.
  int status() const { return state_ == State::shut_down ? 0 : 1; }

  void initialize(JsonValue params, JsonWriter& out);
  void shutdown(JsonValue params, JsonWriter& out);
  void exit(JsonValue params);
  void did_open(JsonValue params);
  void did_change(JsonValue params);
  void did_close(JsonValue params);
  // Answers about an open document (features.cc); null for one not open.
  void hover(JsonValue params, JsonWriter& out);
  void definition(JsonValue params, JsonWriter& out);
  void references(JsonValue params, JsonWriter& out);
  void document_symbol(JsonValue params, JsonWriter& out);
  void folding_range(JsonValue params, JsonWriter& out);
  void completion(JsonValue params, JsonWriter& out);
  void code_action(JsonValue params, JsonWriter& out);
  void formatting(JsonValue params, JsonWriter& out);
  void inlay_hint(JsonValue params, JsonWriter& out);
  void semantic_tokens(JsonValue params, JsonWriter& out);
  static void semantic_token_legend(JsonWriter& out);

 private:
  enum class State { uninitialized, running, shut_down };

  void dispatch(const Method& method, const Incoming& message);
  template <typename Body>
  void reply(const RequestId& id, Body body);
  void reply_error(const RequestId& id, ErrorCode code, Message text, const char* argument = "");
  // Tells the user something about a document.
  void show_message(int type, Message text, const char* uri, std::size_t number = 0);
  void show_error(Stored stored, const char* uri);
  void publish(const char* uri);
  Stored change(const char* uri, JsonValue change);
  Stored change_unopened(const char* uri, std::string_view text, bool partial);
  const Document* document_of(JsonValue params) const;
  template <typename Write>
  void answer(JsonValue params, JsonWriter& out, Write write) const;
  TextPosition position_of(const Document& document, JsonValue params) const;

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
