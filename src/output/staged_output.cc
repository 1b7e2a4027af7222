#include "staged_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pl_config {

namespace {

using platform::Kind;
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

bool StagedOutput::failed(int error) {
  error_ = error;
  return false;
}

bool StagedOutput::open(const char* path, Rewrite rewrite) {
  const bool write_if_changed = rewrite == Rewrite::if_changed;
  if (!platform::resolve(path, place_)) return failed();
  if (place_.kind == Kind::directory) return failed(EISDIR);
  if (place_.planted()) return failed(platform::others_file_in_shared_directory);
  if (place_.descriptor >= 0 || (place_.exists() && place_.kind != Kind::regular)) {
    file_ = platform::open_in_place(place_);
    return file_ != no_file || failed();
  }
  compare_at_install_ = write_if_changed && place_.exists() && !platform::renames_over_open_files;
  if (write_if_changed && place_.exists() && !compare_at_install_) {
    old_ = platform::open_to_read(place_);
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
  return platform::write_all(file_, data, size) || failed();
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
  const bool closed = file_ == no_file || platform::close(file_) || failed();
  file_ = no_file;
  return closed;
}

bool StagedOutput::prepare() {
  if (temp_name_[0] == '\0') return true;
  if (compare_at_install_ && same_as_header()) {
    discard();
    return true;
  }
  return !place_.exists() || platform::make_backup(place_, backup_name_) || failed();
}

bool StagedOutput::install() {
  if (temp_name_[0] == '\0') return true;
  if (!platform::rename_temp(place_, temp_name_, backup_name_)) return failed();
  temp_name_[0] = '\0';
  installed_ = true;
  return true;
}

bool StagedOutput::undo() {
  if (!installed_) return true;
  installed_ = false;
  if (backup_name_[0] == '\0') return platform::remove_temp(place_, place_.name);
  const bool restored = platform::restore_backup(place_, backup_name_);
  backup_name_[0] = '\0';
  return restored;
}

void StagedOutput::finish() {
  if (backup_name_[0] != '\0') platform::remove_temp(place_, backup_name_);
  backup_name_[0] = '\0';
}

void StagedOutput::discard() {
  if (old_ != no_file) platform::close(old_);
  if (file_ != no_file) platform::close(file_);
  old_ = file_ = no_file;
  if (temp_name_[0] != '\0') platform::remove_temp(place_, temp_name_);
  temp_name_[0] = '\0';
  finish();
}

// Once the text differs from the header it was compared with, or when there
// was none to compare with.  A header the runner may not write is not
// replaced either.
bool StagedOutput::start_temp_file() {
  if (place_.exists() && !platform::may_write(place_)) errno = EACCES;
  else
    file_ = platform::create_temp(place_, temp_name_,
                                  place_.exists() && !place_.hard_linked() ? place_.mode : platform::new_file_mode());
  if (file_ == no_file) {
    create_failed_ = true;
    failed();
    if (old_ != no_file) platform::close(old_);
    old_ = no_file;
    return false;
  }
  if (old_ == no_file) return true;
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
  const platform::File temp = platform::open_temp_to_read(place_, temp_name_);
  const platform::File header = platform::open_to_read(place_);
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
