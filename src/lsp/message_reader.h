#pragma once

#include <cstddef>
#include <streambuf>

#include <nlohmann/json.hpp>

#include "bounded_text.h"
#include "description_limits.h"

namespace pl_config::lsp {

using Json = nlohmann::json;

// Reads the messages of the base protocol: header lines ending in CR LF (a
// bare LF is taken too), "Content-Length" the one that counts, an empty
// line, then that many bytes of JSON, parsed straight from the stream.
class MessageReader {
 public:
  enum class Read { message, malformed, end };

  explicit MessageReader(std::streambuf& in) : in_(in) {}

  // The next message into `message`.  After a malformed one the reader
  // skips to the next line that starts a frame.
  Read next(Json& message);

 private:
  using HeaderLine = BoundedText<limit::header_line_length>;

  // False at the end of the input; `too_long` when the line did not fit.
  bool read_line(HeaderLine& line, bool& too_long);
  // The frame's body length; false when the headers give none or at the end.
  Read read_headers(std::size_t& length);
  Read read_body(std::size_t length, Json& message);

  std::streambuf& in_;
  bool resynchronizing_ = false;
};

// Writes `message` as one frame: its header with the body's byte count, then
// the body.  Bytes that are not UTF-8 in its strings go out replaced.
void write_message(std::streambuf& out, const Json& message);

}  // namespace pl_config::lsp
