#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <streambuf>
#include <string_view>

namespace pl_config::lsp {

// Writes the JSON text of a message as it is made, into nothing but its
// byte count or into a stream: a frame's body is made twice, first to count
// it for the header, then to send it, so that no answer is held whole.
// Bytes that are not UTF-8 in a string go out replaced by U+FFFD.
class JsonWriter {
 public:
  // Null `out`: only counts.
  explicit JsonWriter(std::streambuf* out) : out_(out) {}

  std::size_t size() const { return size_; }

  JsonWriter& object();
  JsonWriter& end_object();
  JsonWriter& array();
  JsonWriter& end_array();
  JsonWriter& key(std::string_view name);
  JsonWriter& value(std::string_view text);
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  JsonWriter& value(std::int64_t number);
  JsonWriter& value(std::size_t number);
  JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
  JsonWriter& value(bool truth);
  JsonWriter& null();
  template <typename Value>
  JsonWriter& member(std::string_view name, Value value) {
    return key(name).value(value);
  }

 private:
  void escaped(std::string_view text);
  void put(std::string_view bytes);
  void before_value();

  std::streambuf* out_;
  std::size_t size_ = 0;
  bool after_value_ = false;  // a comma goes before the next value or key
};

// Writes one frame: its header with the body's byte count, then the body
// that `body(writer)` writes, the same both times it is called.
template <typename Body>
void write_frame(std::streambuf& out, Body body) {
  JsonWriter counter(nullptr);
  body(counter);
  char header[64];
  const int size = std::snprintf(header, sizeof header, "Content-Length: %zu\r\n\r\n", counter.size());
  out.sputn(header, size);
  JsonWriter writer(&out);
  body(writer);
  out.pubsync();
}

}  // namespace pl_config::lsp
