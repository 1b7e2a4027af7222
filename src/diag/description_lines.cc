#include "description_lines.h"

#include <cstring>
#include <string_view>

namespace pl_config {

// Marks are made only at blocks read for the first time, so they stand at
// 0, 1, 2... times the spacing, and every other one is at twice of it.
void DescriptionLines::mark_block(const Cursor& cursor) {
  if (cursor.block % mark_every_ != 0 || (!marks_.empty() && marks_[marks_.size() - 1].block >= cursor.block)) return;
  if (marks_.full()) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < marks_.size(); i += 2) marks_[kept++] = marks_[i];
    marks_.truncate(kept);
    mark_every_ *= 2;
    if (cursor.block % mark_every_ != 0) return;
  }
  marks_.add(Mark{.offset = cursor.offset, .block = cursor.block, .line = cursor.line});
}

bool DescriptionLines::fill(Cursor& cursor) {
  mark_block(cursor);
  const std::ptrdiff_t size = source_->read_at(cursor.offset, cursor.buffer, block_size);
  cursor.size = size > 0 ? static_cast<std::size_t>(size) : 0;
  cursor.next = 0;
  ++cursor.block;
  return cursor.size > 0;
}

// To the last mark on a line before `number`, or the file's start, which is
// at the start of its line.
void DescriptionLines::go_back_before(Cursor& cursor, int number) {
  const Mark* best = &marks_[0];
  for (const Mark& mark : marks_)
    if (mark.line < number) best = &mark;
  cursor.offset = best->offset;
  cursor.block = best->block;
  cursor.line = best->line;
  cursor.mid_line = true;
  cursor.next = cursor.size = 0;
}

// The cursor nearest before the line reads on to it; with both past it, the
// one used longer ago goes back to a mark.
bool DescriptionLines::read(int number, Error::LineText& text) {
  text.assign("");
  if (source_ == nullptr) source_ = directory_.opened_description();
  if (number < 1 || source_ == nullptr) return false;
  Cursor* chosen = nullptr;
  for (Cursor& cursor : cursors_) {
    const bool before = cursor.line < number || (cursor.line == number && !cursor.mid_line);
    if (before && (chosen == nullptr || cursor.line > chosen->line)) chosen = &cursor;
  }
  if (chosen == nullptr) {
    chosen = cursors_[0].used < cursors_[1].used ? &cursors_[0] : &cursors_[1];
    go_back_before(*chosen, number);
  }
  chosen->used = ++reads_;
  return read_on(*chosen, number, text);
}

bool DescriptionLines::read_on(Cursor& cursor, int number, Error::LineText& text) {
  for (;;) {
    if (cursor.next == cursor.size && !fill(cursor)) {
      cursor.mid_line = true;
      return cursor.line == number;
    }
    const char* from = cursor.buffer + cursor.next;
    const void* newline = std::memchr(from, '\n', cursor.size - cursor.next);
    const std::size_t length = newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - from)
                                                  : cursor.size - cursor.next;
    if (cursor.line == number) text.append({from, length});
    cursor.next += length;
    if (newline == nullptr) continue;
    ++cursor.next;
    cursor.mid_line = false;
    if (cursor.line++ == number) return true;
  }
}

}  // namespace pl_config
