#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "output.h"
#include "section_writer.h"

namespace pl_config {

// The layout that a description declares, written for a person at a
// terminal: one block per section, in the order of the description, in
// aligned columns.  No line is wider than 80 columns but for a name or top
// expression that is longer by itself.
class LayoutReport : public SectionWriter {
 public:
  explicit LayoutReport(Output& out) : out_(out) {}

  void section(const RegsSection& section) override;
  void section(const TagsSection& section) override;
  void section(const StacksSection& section) override;
  // After the last section: a description without sections says so.
  void finish();

 private:
  void next_block();
  void start_block(SectionKind kind, int line);

  Output& out_;
  bool blocks_written_ = false;
};

// A tags section's block of the report, from its title line to its last tag.
void write_tagged_word_block(Output& out, const TagsSection& section);
// The block's layout line and the word's bit picture under it.
void write_word_picture(Output& out, const WordLayout& word);

// Where a register of the bank lives, as the register table writes it.
struct BankPlace {
  char slot[64] = "";
  char byte_offset[64] = "";
};
BankPlace bank_place(const char* filler_prefix, int bank_slot);

}  // namespace pl_config
