#include "tokens.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "error.h"

namespace pl_config {

void CurrentLine::save(std::string_view line, int line_number) {
  const std::size_t length = std::min(line.size(), capacity);
  std::copy_n(line.data(), length, text_);
  text_[length] = '\0';
  line_number_ = line_number;
}

Scanner::Scanner(std::string_view line, const CurrentLine& quoted, int first_column)
    : line_(line.substr(0, line.find('\0'))), quoted_(quoted), first_column_(first_column) {}

void Scanner::fail(Message id) const { fail(id, location()); }

void Scanner::fail(Message id, Location at) const { throw error(id, at); }

// The quoted text is the whole line only when the piece starts it.
Error Scanner::error(Message id, Location at) const {
  Error error(id, at, quoted_.c_str());
  if (first_column_ != 2) error.set_source_line("");
  return error;
}

Error Scanner::limit_error(Message id, Location at, Message limit, ...) const {
  Error error = this->error(id, at);
  std::va_list args;
  va_start(args, limit);
  char text[64];
  std::vsnprintf(text, sizeof text, entry_of(limit).text, args);
  va_end(args);
  error.add_choice(text);
  return error;
}

Error Scanner::number_limit_error(Message id, Location at, long number, long largest) const {
  Error error = limit_error(id, at, Message::largest_value, largest);
  char text[24];
  std::snprintf(text, sizeof text, "%ld", number);
  error.set_word(text);
  return error;
}

Location Scanner::location() const {
  const auto length = static_cast<int>(std::max<std::size_t>(token_end_ - token_start_, 1));
  return {quoted_.line_number(), first_column_ + static_cast<int>(token_start_), length};
}

Location Scanner::here() const { return {quoted_.line_number(), first_column_ + static_cast<int>(position_), 1}; }

void Scanner::skip_white_space() {
  while (position_ < line_.size() && is_white_space(line_[position_])) ++position_;
  // A token missing at the end of the line is placed just past the last one.
  token_start_ = token_end_ = position_ < line_.size() ? position_ : last_end_;
}

void Scanner::fail_reworded(Message id, Message located, Location at) const {
  Error error = this->error(id, at);
  error.reword(located);
  throw error;
}

void Scanner::consume_white_space_end() {
  token_end_ = last_end_ = position_;
  if (position_ < line_.size() && is_white_space(line_[position_])) {
    ++position_;
    return;
  }
  Error error = this->error(Message::space_expected, here());
  if (position_ >= line_.size() && last_line_without_newline_) error.set_note(Message::no_newline_at_end, {});
  throw error;
}

std::string_view leading_identifier(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && is_white_space(text[start])) ++start;
  if (start >= text.size() || !is_letter(text[start])) return {};
  std::size_t end = start;
  while (end < text.size() && is_identifier_char(text[end])) ++end;
  return text.substr(start, end - start);
}

// A byte above 127 is in no name: the located message says so, where a
// plain run's message does not.
std::optional<std::string_view> Scanner::optional_identifier() {
  skip_white_space();
  const std::string_view token = leading_identifier(line_.substr(position_));
  if (token.empty()) return std::nullopt;
  position_ += token.size();
  if (position_ < line_.size() && !is_ascii(line_[position_]))
    fail_reworded(Message::space_expected, Message::non_ascii_name, here());
  consume_white_space_end();
  return token;
}

std::string_view Scanner::identifier() {
  const std::optional<std::string_view> token = optional_identifier();
  if (token) return *token;
  if (position_ < line_.size() && !is_ascii(line_[position_]))
    fail_reworded(Message::identifier_expected, Message::non_ascii_name, location());
  fail(Message::identifier_expected);
}

// The character after a string's closing quote ends the token and is
// dropped, whatever it is; a quote that ends the line data leaves nothing
// to read.
void Scanner::end_string(std::size_t close) {
  position_ = std::min(close + 2, line_.size());
  token_end_ = last_end_ = std::min(close + 1, line_.size());
}

std::optional<std::string_view> Scanner::field() {
  skip_white_space();
  const std::size_t start = position_;
  if (start >= line_.size()) return std::nullopt;
  if (line_[start] == '"') {
    end_string(std::min(line_.find('"', start + 1), line_.size()));
  } else {
    while (position_ < line_.size() && !is_white_space(line_[position_])) ++position_;
    token_end_ = last_end_ = position_;
  }
  return line_.substr(start, token_end_ - start);
}

std::string_view Scanner::tail() {
  skip_white_space();
  const std::size_t start = position_;
  position_ = token_end_ = last_end_ = line_.size();
  return line_.substr(start);
}

std::string_view Scanner::string_token() {
  skip_white_space();
  if (position_ >= line_.size() || line_[position_] != '"') fail(Message::string_expected);
  const std::size_t start = position_;
  const std::size_t close = line_.find('"', start + 1);
  if (close == std::string_view::npos) fail(Message::string_expected);
  end_string(close);
  if (diagnostics_ != nullptr && close + 1 < line_.size() && !is_white_space(line_[close + 1]))
    diagnostics_->warning(Message::text_after_quote, {quoted_.line_number(), first_column_ + int(close) + 1, 1},
                          line_[close + 1]);
  return line_.substr(start, close + 1 - start);
}

std::int32_t Scanner::integer() {
  skip_white_space();
  if (position_ >= line_.size() || !is_digit(line_[position_])) fail(Message::integer_expected);
  std::int32_t value = 0;
  constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
  for (; position_ < line_.size(); ++position_) {
    const unsigned char c = line_[position_];
    if (c == '_') continue;
    if (!is_digit(c)) break;
    const int digit = c - '0';
    if (value > (max - digit) / 10) {
      while (position_ < line_.size() && (is_digit(line_[position_]) || line_[position_] == '_')) ++position_;
      token_end_ = position_;
      throw limit_error(Message::integer_too_large, location(), Message::largest_value, static_cast<long>(max));
    }
    value = value * 10 + digit;
  }
  // Letters after the digits ("2k", "12abc") make a word, not a number.
  if (position_ < line_.size() && is_letter(line_[position_])) {
    while (position_ < line_.size() && is_identifier_char(line_[position_])) ++position_;
    token_end_ = last_end_ = position_;
    fail_reworded(Message::space_expected, Message::integer_expected, location());
  }
  consume_white_space_end();
  return value;
}

}  // namespace pl_config
