#include "description_lines.h"

#include <algorithm>
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

// The last mark on a line before `number`, or the file's start, which is
// at the start of its line; null before the first block is read.
const DescriptionLines::Mark* DescriptionLines::last_mark_before(int number) const {
  if (marks_.empty()) return nullptr;
  const Mark* after =
      std::partition_point(marks_.begin(), marks_.end(), [number](const Mark& mark) { return mark.line < number; });
  return after == marks_.begin() ? after : after - 1;
}

// The cursor nearest before the line reads on to it, unless a mark stands
// nearer: then the cursor further back starts from that mark, and the one
// further on, where the messages go on, stays where it is.  Before the
// first block is read there is no mark, and both cursors stand at the start.
DescriptionLines::Cursor& DescriptionLines::cursor_for(int number) {
  Cursor* nearest = nullptr;
  for (Cursor& cursor : cursors_) {
    const bool before = cursor.line < number || (cursor.line == number && !cursor.mid_line);
    if (before && (nearest == nullptr || cursor.line > nearest->line)) nearest = &cursor;
  }
  const Mark* mark = last_mark_before(number);
  if (mark == nullptr || (nearest != nullptr && nearest->line >= mark->line)) return *nearest;
  Cursor& back = cursors_[0].line <= cursors_[1].line ? cursors_[0] : cursors_[1];
  back.offset = mark->offset;
  back.block = mark->block;
  back.line = mark->line;
  back.mid_line = true;
  back.next = back.size = 0;
  return back;
}

const DescriptionLines::Kept* DescriptionLines::recall(int number) {
  for (Kept& kept : kept_) {
    if (kept.line != number) continue;
    kept.used = reads_;
    return &kept;
  }
  return nullptr;
}

// In the place of the line shown longest ago.
void DescriptionLines::keep(int number, const Error::LineText& text) {
  if (!kept_.full()) {
    kept_.add(Kept{.line = number, .used = reads_, .text = text});
    return;
  }
  Kept& oldest =
      *std::min_element(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) { return a.used < b.used; });
  oldest.line = number;
  oldest.used = reads_;
  oldest.text.assign(text.view());
}

bool DescriptionLines::read(int number, Error::LineText& text) {
  text.assign("");
  if (source_ == nullptr) source_ = directory_.opened_description();
  if (number < 1 || source_ == nullptr) return false;
  ++reads_;
  if (const Kept* kept = recall(number)) {
    text.assign(kept->text.view());
    return true;
  }
  if (!read_on(cursor_for(number), number, text)) return false;
  keep(number, text);
  return true;
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
