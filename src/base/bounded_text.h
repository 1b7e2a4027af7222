#pragma once

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "printf_format.h"

namespace pl_config {

// A text of at most Capacity characters in a field of fixed size, kept with
// its end-of-string mark so that it can be handed to printf as it stands.
// The section tables are made of these.  Whoever fills one asks fits() first
// and rejects a text that is too long with a message of its own; assign()
// and append() never write past the field, whatever they are given.
template <std::size_t Capacity>
class BoundedText {
 public:
  static constexpr std::size_t capacity = Capacity;

  static constexpr bool fits(std::string_view text) { return text.size() <= Capacity; }

  // Only the end-of-string mark is written: a field is filled as far as its
  // text goes, and a message's is made for every diagnostic.
  BoundedText() { text_[0] = '\0'; }

  const char* c_str() const { return text_.data(); }
  std::string_view view() const { return {text_.data(), size_}; }
  std::size_t size() const { return size_; }
  std::size_t room() const { return Capacity - size_; }

  void assign(std::string_view text) {
    size_ = 0;
    append(text);
  }

  void append(std::string_view more) {
    const std::size_t length = std::min(more.size(), room());
    std::copy_n(more.data(), length, text_.data() + size_);
    size_ += length;
    text_[size_] = '\0';
  }

  // Appends `format` filled with `args`, as far as there is room.
  void append_vformat(const char* format, std::va_list args) {
    const int length = std::vsnprintf(text_.data() + size_, room() + 1, format, args);
    if (length > 0) size_ += std::min(static_cast<std::size_t>(length), room());
  }
  void append_format(const char* format, ...) PL_CONFIG_PRINTF(2, 3) {
    std::va_list args;
    va_start(args, format);
    append_vformat(format, args);
    va_end(args);
  }

  // Applies `change` to the first `count` characters (all of them if there
  // are fewer).
  template <typename Change>
  void change_first(std::size_t count, Change change) {
    for (std::size_t i = 0; i < std::min(count, size_); ++i) text_[i] = change(text_[i]);
  }

 private:
  std::array<char, Capacity + 1> text_;
  std::size_t size_ = 0;
};

}  // namespace pl_config
