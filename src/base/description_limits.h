#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "bounded_text.h"

namespace pl_config {

// What the tables of one run hold.  A description that goes beyond any of
// these is rejected with a message that names the limit, never cut short.
namespace limit {

// Text fields, in characters.
inline constexpr std::size_t name_length = 31;               // register, type, tag and stack names
inline constexpr std::size_t filler_prefix_length = 31;      // all filler values of a section, each with its "+"
inline constexpr std::size_t stack_description_length = 63;  // its double quotes included
inline constexpr std::size_t top_expression_length = 127;

// One read of the description, a directive line or a piece of a longer line.
inline constexpr std::size_t line_piece_length = 511;

// Tables; a section's entries are its kind's row's.
inline constexpr std::size_t register_groups = 15;          // numbered 0 to 14
inline constexpr std::size_t written_register_groups = 10;  // groups 10 to 14 are kept, never written
inline constexpr std::size_t registers_per_group = 50;
inline constexpr std::size_t machine_registers = 256;  // handed out during the whole run

// Numbers.
// At most 30 tag bits, so the value field keeps at least 34 bits.
inline constexpr std::int32_t tag_value_bound = std::int32_t{1} << 30;  // the first value refused
// A stack line gives its size in units of 128 WamWords; the size in words is an int.
inline constexpr std::int32_t stack_size_unit = 128;
inline constexpr std::int32_t stack_size = std::numeric_limits<std::int32_t>::max() / stack_size_unit;

// The sections an editor's outline lists.
inline constexpr std::size_t outline_sections = 1024;

// The language server's documents: a few open at once, each up to the size
// below (its bytes and the starts of its lines, in static storage) and named
// by a URI up to its length.
inline constexpr std::size_t open_documents = 4;
inline constexpr std::size_t document_size = std::size_t{16} * 1024 * 1024;
inline constexpr std::size_t document_uri_length = 2047;
// A message's body: a whole document as a JSON string, every byte escaped.
inline constexpr std::size_t message_size = 8 * document_size;
// A header line of a message, "Content-Length: 123" and the like.
inline constexpr std::size_t header_line_length = 1023;
// Arrays and objects in one another in a message: far beyond any the
// protocol makes; a deeper one is refused unbuilt.
inline constexpr int message_depth = 512;
// A request's id that is a text.
inline constexpr std::size_t request_id_length = 255;
// The diagnostics one document publishes, a note of how many more the last.
inline constexpr std::size_t published_diagnostics = 1000;
// The notes published with them, as their related information.
inline constexpr std::size_t published_notes = 1000;
// Documents refused for want of a slot, remembered by URI to be checked
// once a slot frees.
inline constexpr std::size_t waiting_documents = 16;

}  // namespace limit

using Name = BoundedText<limit::name_length>;
using FillerPrefix = BoundedText<limit::filler_prefix_length>;
using StackDescription = BoundedText<limit::stack_description_length>;
using TopExpression = BoundedText<limit::top_expression_length>;

}  // namespace pl_config
