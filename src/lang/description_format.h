#pragma once

// The description laid out as the shipped example lays it out: in each
// section, the fields of each kind of directive line in columns.

#include <string_view>

namespace pl_config {

class LineEditConsumer {
 public:
  virtual ~LineEditConsumer() = default;
  // Line `line` (from 1) becomes `text`, its newline and any carriage return
  // before it kept.
  virtual void replace_line(int line, std::string_view text) = 0;
};

// Each section's reg, tag and stack lines with their fields in columns: a
// field padded to the widest of its column among the section's lines of
// that word, one blank between fields, the last field as it is, and a
// comment after it two tab stops past the section's longest line before
// its comment.  Only a description that reads without errors is formatted
// (a line the reader cannot read has no fields to align), and only lines
// whose fields each end at a blank: the reader drops the byte after a
// closing quote, which a blank put there would keep.  A line that would
// grow past a line's limit stays as it is.  Formatting again changes
// nothing, and the headers of a formatted description are those of the
// description.
void format_description(std::string_view text, LineEditConsumer& out);

}  // namespace pl_config
