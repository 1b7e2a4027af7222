#include "staged_output.h"

#include <algorithm>
#include <cstring>

namespace pl_config {

namespace {

using platform::no_file;

// One block at a time, for whichever header compares or copies: the
// headers are written one after the other.
char block[128 * 1024];
char other_block[128 * 1024];

bool read_exactly(platform::File file, char* data, std::size_t size) {
  while (size > 0) {
    const std::ptrdiff_t got = platform::read_some(file, data, size);
    if (got <= 0) return false;
    data += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

// The next `size` bytes of `file` are `data`.
bool matches(platform::File file, const char* data, std::size_t size) {
  while (size > 0) {
    const std::size_t part = std::min(size, sizeof block);
    if (!read_exactly(file, block, part) || std::memcmp(block, data, part) != 0) return false;
    data += part;
    size -= part;
  }
  return true;
}

}  // namespace

bool StagedOutput::open(const char* path, bool write_if_changed) {
  if (!locate_header(path, place_)) return false;
  if (place_.in_place) {
    file_ = platform::open_in_place(place_.final_path);
    return file_ != no_file;
  }
  compare_at_install_ = write_if_changed && place_.exists && !platform::renames_over_open_files;
  if (write_if_changed && place_.exists && !compare_at_install_) {
    if (!may_create_beside(place_.final_path)) return false;
    old_ = platform::open_to_read(place_.final_path);
    if (old_ != no_file) return true;
  }
  return start_temp_file();
}

bool StagedOutput::write(const char* data, std::size_t size) {
  if (old_ != no_file) {
    if (matches(old_, data, size)) {
      matched_ += static_cast<long long>(size);
      return true;
    }
    if (!start_temp_file()) return false;
  }
  return platform::write_all(file_, data, size);
}

// A header with more bytes than the new text has changed too.
bool StagedOutput::close() {
  if (old_ != no_file) {
    char more;
    if (platform::read_some(old_, &more, 1) == 0) {
      platform::close(old_);
      old_ = no_file;
      return true;
    }
    if (!start_temp_file()) return false;
  }
  const bool closed = file_ == no_file || platform::close(file_);
  file_ = no_file;
  return closed;
}

bool StagedOutput::install() {
  if (temp_path_[0] == '\0') return true;
  if (compare_at_install_ && same_as_header()) {
    discard();
    return true;
  }
  if (!platform::rename_over(temp_path_, place_.final_path)) {
    discard();
    return false;
  }
  temp_path_[0] = '\0';
  return true;
}

void StagedOutput::discard() {
  if (old_ != no_file) platform::close(old_);
  if (file_ != no_file) platform::close(file_);
  old_ = file_ = no_file;
  if (temp_path_[0] != '\0') platform::remove(temp_path_);
  temp_path_[0] = '\0';
}

// Once the text differs from the header it was compared with, or when there
// was none to compare with.
bool StagedOutput::start_temp_file() {
  file_ = platform::create_temp_beside(place_.final_path, temp_path_, place_.mode);
  if (file_ == no_file || old_ == no_file) return file_ != no_file;
  const bool copied = copy_matched_part();
  platform::close(old_);
  old_ = no_file;
  return copied;
}

bool StagedOutput::copy_matched_part() {
  if (!platform::rewind(old_)) return false;
  for (long long left = matched_; left > 0;) {
    const std::size_t part = static_cast<std::size_t>(std::min<long long>(left, sizeof block));
    if (!read_exactly(old_, block, part) || !platform::write_all(file_, block, part)) return false;
    left -= static_cast<long long>(part);
  }
  return true;
}

// Both held open only while they are compared.
bool StagedOutput::same_as_header() {
  const platform::File temp = platform::open_to_read(temp_path_);
  const platform::File header = platform::open_to_read(place_.final_path);
  bool same = temp != no_file && header != no_file;
  while (same) {
    const std::ptrdiff_t size = platform::read_some(temp, block, sizeof block);
    if (size <= 0) {
      same = size == 0 && platform::read_some(header, other_block, 1) == 0;
      break;
    }
    same = read_exactly(header, other_block, static_cast<std::size_t>(size)) &&
           std::memcmp(block, other_block, static_cast<std::size_t>(size)) == 0;
  }
  if (temp != no_file) platform::close(temp);
  if (header != no_file) platform::close(header);
  return same;
}

}  // namespace pl_config
