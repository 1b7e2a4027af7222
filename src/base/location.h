#pragma once

namespace pl_config {

// Where in the description a field stands; line 0 for none.  Columns count
// bytes from 1; a field missing from a line is a byte long, just past the
// last field.
struct Location {
  int line = 0;
  int column = 0;
  int length = 1;
};

}  // namespace pl_config
