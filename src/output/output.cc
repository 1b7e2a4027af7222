#include "output.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace pl_config {

// A text as large as the buffer goes to the sink as it is, after what is
// buffered: copying it into the buffer first would only cost time.
void Output::put(std::string_view text) {
  if (counting_) lines_ += std::count(text.begin(), text.end(), '\n');
  if (text.size() >= buffer_.size()) {
    if (flush() && !sink_->write(text.data(), text.size())) failed_ = true;
    return;
  }
  while (!text.empty()) {
    if (size_ == buffer_.size() && !flush()) return;
    const std::size_t part = std::min(text.size(), buffer_.size() - size_);
    std::memcpy(buffer_.data() + size_, text.data(), part);
    size_ += part;
    text.remove_prefix(part);
  }
}

void Output::put(char c) { put(std::string_view(&c, 1)); }

void Output::print(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  vprint(format, args);
  va_end(args);
}

// Formatted straight into the buffer; a text that does not fit the room left
// is formatted again after a flush, and one larger than the whole buffer (no
// value the tool prints comes near) is cut to it and counted as a failure.
void Output::vprint(const char* format, std::va_list args) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::va_list copy;
    va_copy(copy, args);
    const std::size_t room = buffer_.size() - size_;
    const int length = std::vsnprintf(buffer_.data() + size_, room, format, copy);
    va_end(copy);
    if (length < 0) {
      failed_ = true;
      return;
    }
    if (static_cast<std::size_t>(length) < room) {
      if (counting_) lines_ += std::count(buffer_.data() + size_, buffer_.data() + size_ + length, '\n');
      size_ += static_cast<std::size_t>(length);
      return;
    }
    if (!flush()) return;
  }
  size_ = buffer_.size() - 1;
  failed_ = true;
}

bool Output::flush() {
  if (size_ > 0 && !failed_ && !sink_->write(buffer_.data(), size_)) failed_ = true;
  size_ = 0;
  return !failed_;
}

}  // namespace pl_config
