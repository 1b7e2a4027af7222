#include "line_index.h"

#include <algorithm>
#include <cstring>

#include "ascii.h"

namespace pl_config {

namespace {

// The newlines of `text`, each the start of a line after it at `offset` +
// its place + 1, into `out`; the number found, or SIZE_MAX past `room`.
std::size_t find_starts(std::string_view text, std::size_t offset, LineIndex::Offset* out, std::size_t room) {
  std::size_t found = 0;
  for (const char* at = text.data(); const void* newline = std::memchr(at, '\n', text.data() + text.size() - at);) {
    at = static_cast<const char*>(newline) + 1;
    if (found == room) return SIZE_MAX;
    out[found++] = static_cast<LineIndex::Offset>(offset + static_cast<std::size_t>(at - text.data()));
  }
  return found;
}

}  // namespace

bool LineIndex::build(std::string_view text) {
  count_ = 0;
  if (starts_.empty()) return false;
  starts_[0] = 0;
  const std::size_t found = find_starts(text, 0, starts_.data() + 1, starts_.size() - 1);
  if (found == SIZE_MAX) return false;
  count_ = found + 1;
  return true;
}

// The lines that started inside [from, to) end with it; the inserted text's
// newlines start new ones; those after move by the change of size.
bool LineIndex::replace(std::size_t from, std::size_t to, std::string_view inserted) {
  Offset* const begin = starts_.data();
  Offset* const first_gone = std::upper_bound(begin + 1, begin + count_, static_cast<Offset>(from));
  Offset* const first_kept = std::upper_bound(first_gone, begin + count_, static_cast<Offset>(to));
  const std::size_t added = static_cast<std::size_t>(std::count(inserted.begin(), inserted.end(), '\n'));
  const std::size_t kept_after = static_cast<std::size_t>(begin + count_ - first_kept);
  const std::size_t new_count = static_cast<std::size_t>(first_gone - begin) + added + kept_after;
  if (new_count > starts_.size()) return false;
  Offset* const moved = first_gone + added;
  std::memmove(moved, first_kept, kept_after * sizeof(Offset));
  for (Offset* start = moved; start != moved + kept_after; ++start)
    *start = static_cast<Offset>(*start - (to - from) + inserted.size());
  const std::size_t room = added;
  find_starts(inserted, from, first_gone, room);
  count_ = new_count;
  return true;
}

std::string_view next_line(std::string_view text, std::size_t& start) {
  const std::size_t newline = std::min(text.find('\n', start), text.size());
  const std::string_view line = text.substr(start, newline - start);
  start = newline + 1;
  return without_carriage_return(line);
}

std::string_view LineIndex::line(std::string_view text, std::size_t line) const {
  if (line >= count_) return text.substr(text.size());
  std::size_t start = starts_[line];
  return next_line(text, start);
}

std::size_t LineIndex::line_of(std::size_t offset) const {
  const Offset* const begin = starts_.data();
  return static_cast<std::size_t>(std::upper_bound(begin, begin + count_, static_cast<Offset>(offset)) - begin) - 1;
}

}  // namespace pl_config
