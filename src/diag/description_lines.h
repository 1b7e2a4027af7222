#pragma once

#include <cstddef>
#include <cstdint>

#include "byte_source.h"
#include "error.h"
#include "files.h"
#include "fixed_table.h"

namespace pl_config {

// The description's lines read again for the messages that show them, from
// the description as the run opened it: the reader keeps none of the text
// it has copied.  The messages of a check come mostly in the order of their
// lines, with notes about lines further back between them ("first declared
// here", mostly of the same few lines): the lines shown last are kept, and
// two cursors read on, one for the messages and one for the notes.  A line
// before both, or far after both, is read from the nearest of the block
// starts marked on the way, by the cursor further back.  However many
// messages there are, none reads the file from its start again.
class DescriptionLines {
 public:
  explicit DescriptionLines(const Directory& directory) : directory_(directory) {}
  DescriptionLines(const DescriptionLines&) = delete;
  DescriptionLines& operator=(const DescriptionLines&) = delete;

  // Line `number` (from 1) without its newline, cut to what `text` holds.
  // False when the description cannot be read again (it is not a regular
  // file, or not open yet) or has no such line.
  bool read(int number, Error::LineText& text);

 private:
  static constexpr std::size_t block_size = std::size_t{16} * 1024;
  // As many as a section's notes show again and again, and the lines of the
  // message before them.
  static constexpr std::size_t kept_lines = 16;

  struct Mark {
    std::int64_t offset;  // of a block's first byte
    std::size_t block;    // counted from the file's first, 0
    int line;             // that the byte is on
  };

  // Where one reading stands, and the block it has read.
  struct Cursor {
    char buffer[block_size];
    std::size_t next = 0;  // the unread bytes are [next, size)
    std::size_t size = 0;
    std::int64_t offset = 0;  // of the next block to read
    std::size_t block = 0;    // of the next block to read
    int line = 1;             // that buffer[next] is on
    bool mid_line = false;    // not at the start of `line`
  };

  struct Kept {
    int line;
    unsigned long used;  // when it was last shown
    Error::LineText text;
  };

  const Kept* recall(int number);
  void keep(int number, const Error::LineText& text);
  Cursor& cursor_for(int number);
  void mark_block(const Cursor& cursor);
  const Mark* last_mark_before(int number) const;
  bool read_on(Cursor& cursor, int number, Error::LineText& text);
  bool fill(Cursor& cursor);

  const Directory& directory_;
  ByteSource* source_ = nullptr;
  Cursor cursors_[2];
  FixedTable<Kept, kept_lines> kept_;
  unsigned long reads_ = 0;
  // A mark every `mark_every_` blocks; when the table is full, every other
  // mark goes and the spacing doubles.
  FixedTable<Mark, 256> marks_;
  std::size_t mark_every_ = 1;
};

}  // namespace pl_config
