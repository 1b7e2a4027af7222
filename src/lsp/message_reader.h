#pragma once

// The messages of the base protocol as the server reads them.  This is the
// one place that knows the JSON library: the rest of the server reads the
// fields it needs through JsonValue and keeps values of its own.

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string_view>

#include "bounded_text.h"
#include "description_limits.h"
#include "json_writer.h"

namespace pl_config::lsp {

// Thrown where a message lacks a field the method needs, or has it of
// another type.
struct InvalidParams {};

// A value of the message last read: absent where the message has no such
// field.  Valid until the next message is read.
class JsonValue {
 public:
  JsonValue() = default;
  // A value of the JSON library's, as the reader hands it out.
  explicit JsonValue(const void* value) : value_(value) {}

  JsonValue operator[](const char* key) const;  // of an object
  JsonValue operator[](std::size_t index) const;
  std::size_t size() const;  // of an array; 0 for any other value
  bool present() const { return value_ != nullptr; }
  bool is_text() const;
  // These throw InvalidParams for an absent value or one of another type.
  // A text's bytes, followed by a NUL.
  std::string_view text() const;
  std::size_t count() const;  // an integer from 0
  // A boolean, or `otherwise` for an absent value.
  bool truth(bool otherwise) const;

 private:
  const void* value_ = nullptr;  // the library's value
};

// A request's id, kept to answer with: a number, a text, or null.
struct RequestId {
  enum class Kind { none, null, number, text };
  Kind kind = Kind::none;
  std::int64_t number = 0;
  BoundedText<limit::request_id_length> text;
};
void write_id(JsonWriter& out, const RequestId& id);

// What a message is, read from its body.
struct Incoming {
  enum class Kind { request, notification, reply, invalid };
  Kind kind = Kind::invalid;
  RequestId id;  // kind none for a notification
  std::string_view method;
  JsonValue params;
};

// Reads the messages of the base protocol: header lines ending in CR LF (a
// bare LF is taken too), "Content-Length" the one that counts, an empty
// line, then that many bytes of JSON, parsed straight from the stream.  A
// body nested deeper than limit::message_depth is read to its end but not
// built beyond that depth.  One reader per process: it holds the message
// last read.
class MessageReader {
 public:
  enum class Read { message, malformed, too_deep, end };

  explicit MessageReader(std::streambuf& in) : in_(in) {}

  // The next message into `message`.  After a malformed one the reader
  // skips to the next line that starts a frame.
  Read next(Incoming& message);

 private:
  using HeaderLine = BoundedText<limit::header_line_length>;

  // False at the end of the input; `too_long` when the line did not fit.
  bool read_line(HeaderLine& line, bool& too_long);
  // The frame's body length; false when the headers give none or at the end.
  Read read_headers(std::size_t& length);
  Read read_body(std::size_t length);

  std::streambuf& in_;
  bool resynchronizing_ = false;
};

}  // namespace pl_config::lsp
