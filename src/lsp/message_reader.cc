#include "message_reader.h"

#include <charconv>
#include <iterator>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "ascii.h"

namespace pl_config::lsp {

namespace {

using Json = nlohmann::json;

// The message last read; its fields are read through JsonValue until the
// next.
Json current;

const Json* json_of(const void* value) { return static_cast<const Json*>(value); }

using Traits = std::streambuf::traits_type;

constexpr std::string_view length_header = "content-length:";

bool starts_with_name(std::string_view line, std::string_view name) {
  if (line.size() < name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (ascii_lower(line[i]) != name[i]) return false;
  return true;
}

std::size_t find_name(std::string_view text, std::string_view name) {
  for (std::size_t at = 0; at < text.size(); ++at)
    if (starts_with_name(text.substr(at), name)) return at;
  return std::string_view::npos;
}

// The body's bytes as an input range for the JSON parser: it reads the
// stream itself and stops after `remaining` bytes or at the end.
struct Budget {
  std::streambuf* in;
  std::size_t remaining;
  bool at_end() const { return remaining == 0 || Traits::eq_int_type(in->sgetc(), Traits::eof()); }
};

class BodyIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = char;

  BodyIterator() = default;
  explicit BodyIterator(Budget& budget) : budget_(&budget) {}

  char operator*() const { return Traits::to_char_type(budget_->in->sgetc()); }
  BodyIterator& operator++() {
    budget_->in->sbumpc();
    --budget_->remaining;
    return *this;
  }
  BodyIterator operator++(int) {
    BodyIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const BodyIterator& other) const { return ended() == other.ended(); }

 private:
  bool ended() const { return budget_ == nullptr || budget_->at_end(); }
  Budget* budget_ = nullptr;
};

}  // namespace

bool MessageReader::read_line(HeaderLine& line, bool& too_long) {
  line.assign("");
  too_long = false;
  for (int c = in_.sbumpc(); !Traits::eq_int_type(c, Traits::eof()); c = in_.sbumpc()) {
    if (c == '\n') return true;
    too_long = too_long || line.room() == 0;
    const char byte = Traits::to_char_type(c);
    line.append({&byte, 1});
  }
  return line.size() > 0;
}

MessageReader::Read MessageReader::read_headers(std::size_t& length) {
  HeaderLine line;
  bool too_long = false;
  bool given = false, bad = false, started = false;
  while (read_line(line, too_long)) {
    std::string_view text = without_carriage_return(line.view());
    if (resynchronizing_) {
      // The next frame may follow what is left of a bad one on its line.
      const std::size_t at = find_name(text, length_header);
      if (at == std::string_view::npos) continue;
      text.remove_prefix(at);
      resynchronizing_ = false;
    }
    if (text.empty()) {
      if (!started) continue;  // blank lines between frames
      if (bad || !given) break;
      return Read::message;
    }
    started = true;
    if (too_long || text.find(':') == std::string_view::npos) bad = true;
    if (!starts_with_name(text, length_header)) continue;
    std::string_view value = text.substr(length_header.size());
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
    bad = bad || error != std::errc() || end != value.data() + value.size() || length > limit::message_size;
    given = true;
  }
  if (!started) return Read::end;
  resynchronizing_ = true;
  return Read::malformed;
}

// Refuses to build a value below limit::message_depth: the parser goes on
// through the body, which it reads with a stack of its own, so that a body
// too deep is told from one that is no JSON, and nothing deep is ever
// copied or destroyed.
MessageReader::Read MessageReader::read_body(std::size_t length) {
  Budget budget{&in_, length};
  bool too_deep = false;
  const auto within_depth = [&too_deep](int depth, Json::parse_event_t event, Json&) {
    const bool opens = event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
    if (!opens || depth < limit::message_depth) return true;
    too_deep = true;
    return false;
  };
  current = Json::parse(BodyIterator(budget), BodyIterator(), within_depth, false);
  // What the parser left of a bad body is skipped, to the next frame.
  while (budget.remaining > 0 && !Traits::eq_int_type(in_.sbumpc(), Traits::eof())) --budget.remaining;
  if (budget.remaining > 0) return Read::end;
  if (current.is_discarded()) return Read::malformed;
  return too_deep ? Read::too_deep : Read::message;
}

namespace {

// The id of a request: a number or a text of our own, or null.
bool read_id(const Json& id, RequestId& out) {
  if (id.is_null()) {
    out.kind = RequestId::Kind::null;
  } else if (id.is_number_integer()) {
    out.kind = RequestId::Kind::number;
    out.number = id.get<std::int64_t>();
  } else if (id.is_string() && decltype(out.text)::fits(id.get_ref<const std::string&>())) {
    out.kind = RequestId::Kind::text;
    out.text.assign(id.get_ref<const std::string&>());
  } else {
    return false;
  }
  return true;
}

// What the message is: a request or notification of a method, a reply to
// a request (the server sends none), or none of these.
Incoming read_message(const Json& body) {
  Incoming message;
  if (!body.is_object()) return message;
  const auto id = body.find("id");
  if (id != body.end() && !read_id(*id, message.id)) {
    message.id = RequestId();
    return message;
  }
  const auto method = body.find("method");
  if (method == body.end() || !method->is_string()) {
    if (body.contains("result") || body.contains("error")) message.kind = Incoming::Kind::reply;
    return message;
  }
  message.kind = id == body.end() ? Incoming::Kind::notification : Incoming::Kind::request;
  message.method = method->get_ref<const std::string&>();
  const auto params = body.find("params");
  if (params != body.end()) message.params = JsonValue(&*params);
  return message;
}

}  // namespace

MessageReader::Read MessageReader::next(Incoming& message) {
  current = nullptr;
  message = Incoming();
  std::size_t length = 0;
  const Read headers = read_headers(length);
  if (headers != Read::message) return headers;
  const Read body = read_body(length);
  // A frame cut short by the end of the input still gets its reply.
  if (body == Read::end) return Read::malformed;
  if (body == Read::message) message = read_message(current);
  return body;
}

JsonValue JsonValue::operator[](const char* key) const {
  if (value_ == nullptr || !json_of(value_)->is_object()) return {};
  const auto found = json_of(value_)->find(key);
  return found == json_of(value_)->end() ? JsonValue() : JsonValue(&*found);
}

JsonValue JsonValue::operator[](std::size_t index) const {
  return index < size() ? JsonValue(&(*json_of(value_))[index]) : JsonValue();
}

std::size_t JsonValue::size() const {
  return value_ != nullptr && json_of(value_)->is_array() ? json_of(value_)->size() : 0;
}

bool JsonValue::is_text() const { return value_ != nullptr && json_of(value_)->is_string(); }

std::string_view JsonValue::text() const {
  if (!is_text()) throw InvalidParams();
  return json_of(value_)->get_ref<const std::string&>();
}

std::size_t JsonValue::count() const {
  if (value_ == nullptr || !json_of(value_)->is_number_unsigned()) throw InvalidParams();
  return json_of(value_)->get<std::size_t>();
}

bool JsonValue::truth(bool otherwise) const {
  if (value_ == nullptr) return otherwise;
  if (!json_of(value_)->is_boolean()) throw InvalidParams();
  return json_of(value_)->get<bool>();
}

void write_id(JsonWriter& out, const RequestId& id) {
  switch (id.kind) {
    case RequestId::Kind::number: out.value(id.number); return;
    case RequestId::Kind::text: out.value(id.text.view()); return;
    case RequestId::Kind::none:
    case RequestId::Kind::null: break;
  }
  out.null();
}

}  // namespace pl_config::lsp
