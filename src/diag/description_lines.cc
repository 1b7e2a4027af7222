#include "description_lines.h"

#include <cstring>
#include <string_view>

namespace pl_config {

// Marks are made only at blocks read for the first time, so they stand at
// 0, 1, 2... times the spacing, and every other one is at twice of it.
void DescriptionLines::mark_block() {
  if (block_ % mark_every_ != 0 || (!marks_.empty() && marks_[marks_.size() - 1].block >= block_)) return;
  if (marks_.full()) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < marks_.size(); i += 2) marks_[kept++] = marks_[i];
    marks_.truncate(kept);
    mark_every_ *= 2;
    if (block_ % mark_every_ != 0) return;
  }
  marks_.add(Mark{.offset = offset_, .block = block_, .line = line_});
}

bool DescriptionLines::fill() {
  mark_block();
  const std::ptrdiff_t size = source_->read_at(offset_, buffer_, block_size);
  size_ = size > 0 ? static_cast<std::size_t>(size) : 0;
  next_ = 0;
  ++block_;
  return size_ > 0;
}

// To the last mark on a line before `number`, or the file's start, which is
// at the start of its line.
void DescriptionLines::go_back_before(int number) {
  const Mark* best = &marks_[0];
  for (const Mark& mark : marks_)
    if (mark.line < number) best = &mark;
  offset_ = best->offset;
  block_ = best->block;
  line_ = best->line;
  next_ = size_ = 0;
}

bool DescriptionLines::read(int number, FatalError::LineText& text) {
  text.assign("");
  if (source_ == nullptr) source_ = directory_.opened_description();
  if (number < 1 || source_ == nullptr) return false;
  if (number <= line_ && !marks_.empty()) go_back_before(number);
  for (;;) {
    if (next_ == size_ && !fill()) return line_ == number;
    const char* from = buffer_ + next_;
    const void* newline = std::memchr(from, '\n', size_ - next_);
    const std::size_t length = newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - from)
                                                  : size_ - next_;
    if (line_ == number) text.append({from, length});
    next_ += length;
    if (newline == nullptr) continue;
    ++next_;
    if (line_++ == number) return true;
  }
}

}  // namespace pl_config
