#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "diagnostics.h"
#include "fixed_table.h"
#include "generated_names.h"
#include "section_writer.h"

namespace pl_config {

// What a description may declare and the tool accepts, but an engine built
// from its headers would get wrong, warned about at the later declaration
// with a note at the first where there are two.
class LayoutWarnings : public SectionWriter {
 public:
  // Names are remembered for the repeats across sections up to this many;
  // later ones are still compared with them, but not kept.
  static constexpr std::size_t name_capacity = 2048;
  // Distinct register types remembered for the names that clash with them.
  static constexpr std::size_t type_capacity = 64;

  // `processor`: the engine's, whose user addresses the address tags hold.
  LayoutWarnings(Diagnostics& diagnostics, const char* processor) : diagnostics_(diagnostics), processor_(processor) {}

  void section(const RegsSection& section) override;
  void section(const TagsSection& section) override;
  void section(const StacksSection& section) override;
  // Sections with an error come too, as far as their lines could be read.

 private:
  using Kind = SectionKind;
  void word_layout(const TagsSection& section);
  struct Declared {
    Name name;
    Kind kind;
    Location at;
  };
  // A register type: the first register of that type and where it is.
  struct TypeUse {
    Name type;
    Name register_name;
    Location at;
  };
  // What a made name of a later declaration clashes with.
  struct Clash {
    const char* kind = nullptr;    // "header" or a kind's word
    const char* name = nullptr;    // the header or the declaration
    const Location* at = nullptr;  // the earlier declaration's, or null
  };

  // Warns if `name` repeats an earlier declaration it clashes with, or is a
  // C keyword, and remembers it.
  void declare(const Name& name, Kind kind, Location at);
  void remember(const Name& name, Kind kind, Location at);
  const Declared* find_declared(std::string_view name, Kind kind) const;
  const TypeUse* find_type(std::string_view type) const;
  // Warns if a name that `name` (or, with `type`, a register) makes is
  // another name of the headers, fixed or made by an earlier declaration.
  void generated_names(Kind kind, const Name& name, Location name_at, const Name* type = nullptr,
                       Location type_at = {});
  Clash clash_of(const MadeName& made, std::string_view text, std::string_view declared) const;
  Clash made_by_earlier(const MadeName& made, std::string_view part, std::string_view declared) const;
  void second_section(SectionKind kind, Location at);

  Diagnostics& diagnostics_;
  const char* processor_;
  FixedTable<Declared, name_capacity> names_;
  // Hashed names_: each slot 0, or the entry's index plus 1 in the low 16
  // bits and the high 16 bits of its name's hash, which rule out most other
  // names without reading the entry.
  std::array<std::uint32_t, 2 * name_capacity> name_index_{};
  FixedTable<TypeUse, type_capacity> types_;
  std::array<Location, std::size(section_kinds)> first_sections_{};  // by SectionKind
};

}  // namespace pl_config
