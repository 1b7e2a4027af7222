#pragma once

#include <string_view>

namespace pl_config {

// The columns a terminal gives text, as gcc counts them for its carets and
// column numbers (its default since gcc 11): a UTF-8 character takes one,
// an East Asian wide or fullwidth one two, a tab moves to the next multiple
// of 8, and a byte that is not part of well-formed UTF-8 takes one.

inline constexpr int tab_stop = 8;

// The column, counted from 0, that a tab at `column` moves to.
constexpr int next_tab_stop(int column) { return (column / tab_stop + 1) * tab_stop; }

// The column, counted from 0, that text reaches after `text` from column 0.
int display_width(std::string_view text);

// The display column, from 1, of the byte at `byte_column` (from 1) of
// `line`; a column past the line's end is that many bytes past its width.
int display_column(std::string_view line, int byte_column);

}  // namespace pl_config
