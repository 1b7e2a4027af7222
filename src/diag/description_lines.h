#pragma once

#include <cstddef>
#include <cstdint>

#include "byte_source.h"
#include "fatal_error.h"
#include "files.h"
#include "fixed_table.h"

namespace pl_config {

// The description's lines read again for the messages that show them, from
// the description as the run opened it: the reader keeps none of the text
// it has copied.  The messages of a check come mostly in the order of their
// lines, so the file is read on from where the last line was found; a line
// before that is read from the nearest of the block starts marked on the
// way.  However many messages there are, none reads the file from its start
// again.
class DescriptionLines {
 public:
  explicit DescriptionLines(const Directory& directory) : directory_(directory) {}
  DescriptionLines(const DescriptionLines&) = delete;
  DescriptionLines& operator=(const DescriptionLines&) = delete;

  // Line `number` (from 1) without its newline, cut to what `text` holds.
  // False when the description cannot be read again (it is not a regular
  // file, or not open yet) or has no such line.
  bool read(int number, FatalError::LineText& text);

 private:
  static constexpr std::size_t block_size = 16 * 1024;

  struct Mark {
    std::int64_t offset;  // of a block's first byte
    std::size_t block;    // counted from the file's first, 0
    int line;             // that the byte is on
  };

  void mark_block();
  void go_back_before(int number);
  bool fill();

  const Directory& directory_;
  ByteSource* source_ = nullptr;
  char buffer_[block_size];
  std::size_t next_ = 0;  // the unread bytes are [next_, size_)
  std::size_t size_ = 0;
  std::int64_t offset_ = 0;  // of the next block to read
  std::size_t block_ = 0;    // of the next block to read
  int line_ = 1;             // that buffer_[next_] is on
  // A mark every `mark_every_` blocks; when the table is full, every other
  // mark goes and the spacing doubles.
  FixedTable<Mark, 256> marks_;
  std::size_t mark_every_ = 1;
};

}  // namespace pl_config
