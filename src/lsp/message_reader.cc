#include "message_reader.h"

#include <charconv>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "ascii.h"

namespace pl_config::lsp {

namespace {

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
    std::string_view text = line.view();
    if (text.ends_with('\r')) text.remove_suffix(1);
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

MessageReader::Read MessageReader::read_body(std::size_t length, Json& message) {
  Budget budget{&in_, length};
  message = Json::parse(BodyIterator(budget), BodyIterator(), nullptr, false);
  // What the parser left of a bad body is skipped, to the next frame.
  while (budget.remaining > 0 && !Traits::eq_int_type(in_.sbumpc(), Traits::eof())) --budget.remaining;
  if (budget.remaining > 0) return Read::end;
  return message.is_discarded() ? Read::malformed : Read::message;
}

MessageReader::Read MessageReader::next(Json& message) {
  std::size_t length = 0;
  const Read headers = read_headers(length);
  if (headers != Read::message) return headers;
  const Read body = read_body(length, message);
  // A frame cut short by the end of the input still gets its reply.
  return body == Read::end ? Read::malformed : body;
}

void write_message(std::streambuf& out, const Json& message) {
  const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
  char header[64];
  const int size = std::snprintf(header, sizeof header, "Content-Length: %zu\r\n\r\n", body.size());
  out.sputn(header, size);
  out.sputn(body.data(), static_cast<std::streamsize>(body.size()));
  out.pubsync();
}

}  // namespace pl_config::lsp
