#include "json_writer.h"

#include <cinttypes>
#include <cstdio>

#include "utf8.h"

namespace pl_config::lsp {

namespace {

constexpr std::string_view replacement = "\xef\xbf\xbd";  // U+FFFD

// The escape of a byte that JSON does not take as it is; empty for one it
// takes.
std::string_view escape_of(unsigned char byte, char (&buffer)[8]) {
  switch (byte) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: break;
  }
  if (byte >= 0x20) return {};
  std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
  return {buffer, 6};
}

}  // namespace

void JsonWriter::put(std::string_view bytes) {
  size_ += bytes.size();
  if (out_ != nullptr) out_->sputn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void JsonWriter::before_value() {
  if (after_value_) put(",");
  after_value_ = false;
}

JsonWriter& JsonWriter::object() {
  before_value();
  put("{");
  return *this;
}

JsonWriter& JsonWriter::end_object() {
  put("}");
  after_value_ = true;
  return *this;
}

JsonWriter& JsonWriter::array() {
  before_value();
  put("[");
  return *this;
}

JsonWriter& JsonWriter::end_array() {
  put("]");
  after_value_ = true;
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  value(name);
  put(":");
  after_value_ = false;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
  before_value();
  put("\"");
  escaped(text);
  put("\"");
  after_value_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number) {
  before_value();
  char text[24];
  put({text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%" PRId64, number))});
  after_value_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::size_t number) {
  before_value();
  char text[24];
  put({text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%zu", number))});
  after_value_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(bool truth) {
  before_value();
  put(truth ? "true" : "false");
  after_value_ = true;
  return *this;
}

JsonWriter& JsonWriter::null() {
  before_value();
  put("null");
  after_value_ = true;
  return *this;
}

// Runs of bytes that go out as they are are written whole.
void JsonWriter::escaped(std::string_view text) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    char buffer[8];
    const std::string_view escape = escape_of(byte, buffer);
    const std::size_t length = byte < 0x80 ? 1 : utf8_sequence_length(text.substr(i));
    if (escape.empty() && length > 0) {
      i += length;
      continue;
    }
    put(text.substr(plain, i - plain));
    put(length == 0 ? replacement : escape);
    plain = ++i;
  }
  put(text.substr(plain));
}

}  // namespace pl_config::lsp
