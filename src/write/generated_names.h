#pragma once

// Every name the generated headers define or use: the fixed ones, and the
// ones each declaration makes from its name or type.  The header writers
// take their names from here, and the generated-name warning checks every
// declaration against the same rows, so that a name a header gains is one
// the warning knows.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <span>
#include <string_view>

#include "ascii.h"
#include "bounded_text.h"
#include "description_limits.h"
#include "header_rows.h"
#include "section_kinds.h"

namespace pl_config {

// What the headers do with a name: define it, or use one that the engine or
// C defines.  Two uses of one name do not clash.
enum class NameRole { defined, used };

// A name no declaration makes: where the headers define it or first use it.
struct FixedName {
  std::string_view name;
  const char* header;
  NameRole role;
};

// By header and in the order written.  The members of InfTag and InfStack
// are uses: a register or tag macro of that name breaks the structs.  The
// parameters of the function-like macros (param_) count as defined: a
// register, a tag or a type of that name in a macro's body would be the
// argument instead.
#define PL_CONFIG_FIXED_NAMES(X) \
  X(reg_bank, "pl_reg_bank", arch_header, defined) \
  X(nb_of_regs, "NB_OF_REGS", arch_header, defined) \
  X(nb_of_alloc_regs, "NB_OF_ALLOC_REGS", arch_header, defined) \
  X(nb_of_not_alloc_regs, "NB_OF_NOT_ALLOC_REGS", arch_header, defined) \
  X(reg_bank_size, "REG_BANK_SIZE", arch_header, defined) \
  X(nb_of_used_machine_regs, "NB_OF_USED_MACHINE_REGS", arch_header, defined) \
  X(save_reg_bank, "save_reg_bank", arch_header, defined) \
  X(buff_signal_reg, "pl_buff_signal_reg", arch_header, defined) \
  X(reg_tbl, "pl_reg_tbl", arch_header, defined) \
  X(init_reg_bank, "Init_Reg_Bank", arch_header, defined) \
  X(reg, "Reg", arch_header, defined) \
  X(save_all_regs, "Save_All_Regs", arch_header, defined) \
  X(restore_all_regs, "Restore_All_Regs", arch_header, defined) \
  X(save_machine_regs, "Save_Machine_Regs", arch_header, defined) \
  X(restore_machine_regs, "Restore_Machine_Regs", arch_header, defined) \
  X(start_protect, "Start_Protect_Regs_For_Signal", arch_header, defined) \
  X(stop_protect, "Stop_Protect_Regs_For_Signal", arch_header, defined) \
  X(restore_protect, "Restore_Protect_Regs_For_Signal", arch_header, defined) \
  X(tag_size, "TAG_SIZE", arch_header, defined) \
  X(tag_size_low, "TAG_SIZE_LOW", arch_header, defined) \
  X(tag_size_high, "TAG_SIZE_HIGH", arch_header, defined) \
  X(value_size, "VALUE_SIZE", arch_header, defined) \
  X(tag_mask, "TAG_MASK", arch_header, defined) \
  X(value_mask, "VALUE_MASK", arch_header, defined) \
  X(tag_mask_of, "Tag_Mask_Of", arch_header, defined) \
  X(tag_from_tag_mask, "Tag_From_Tag_Mask", arch_header, defined) \
  X(tag_of, "Tag_Of", arch_header, defined) \
  X(nb_of_tags, "NB_OF_TAGS", arch_header, defined) \
  X(typ_tag, "TypTag", arch_header, defined) \
  X(inf_tag, "InfTag", arch_header, defined) \
  X(tag_tbl, "pl_tag_tbl", arch_header, defined) \
  X(param_x, "x", arch_header, defined) \
  X(param_i, "i", arch_header, defined) \
  X(param_buff_save, "buff_save", arch_header, defined) \
  X(param_w, "w", arch_header, defined) \
  X(param_tm, "tm", arch_header, defined) \
  X(param_v, "v", arch_header, defined) \
  X(member_name, "name", arch_header, used) \
  X(member_type, "type", arch_header, used) \
  X(member_value, "value", arch_header, used) \
  X(member_tag_mask, "tag_mask", arch_header, used) \
  X(engine_file, "ENGINE_FILE", arch_header, used) \
  X(wam_word, "WamWord", arch_header, used) \
  X(pl_long, "PlLong", arch_header, used) \
  X(pl_ulong, "PlULong", arch_header, used) \
  X(map_reg_bank, "MAP_REG_BANK", register_map, defined) \
  X(nb_used_machine_regs, "NB_USED_MACHINE_REGS", register_map, defined) \
  X(cflags_regs, "CFLAGS_REGS", register_map, defined) \
  X(nb_of_stacks, "NB_OF_STACKS", stack_header, defined) \
  X(stack_top, "Stack_Top", stack_header, defined) \
  X(inf_stack, "InfStack", stack_header, defined) \
  X(param_adr, "adr", stack_header, defined) \
  X(param_s, "s", stack_header, defined) \
  X(member_desc, "desc", stack_header, used) \
  X(member_env_var_name, "env_var_name", stack_header, used) \
  X(member_p_def_size, "p_def_size", stack_header, used) \
  X(member_default_size, "default_size", stack_header, used) \
  X(member_size, "size", stack_header, used) \
  X(member_stack, "stack", stack_header, used) \
  X(fixed_sizes, "pl_fixed_sizes", stack_header, defined) \
  X(stk_tbl, "pl_stk_tbl", stack_header, defined) \
  X(null, "NULL", stack_header, used) \
  X(min_integer, "PL_MIN_INTEGER", public_config, defined) \
  X(max_integer, "PL_MAX_INTEGER", public_config, defined) \
  X(tarnhollow, "__TARNHOLLOW__", public_config, defined) \
  X(tarnhol, "__TARNHOL__", public_config, defined) \
  X(tarnhol_minor, "__TARNHOL_MINOR__", public_config, defined) \
  X(tarnhol_patch_level, "__TARNHOL_PATCHLEVEL__", public_config, defined) \
  X(tarnhol_version, "__TARNHOL_VERSION__", public_config, defined) \
  X(prolog_dialect, "PROLOG_DIALECT", public_config, defined) \
  X(prolog_name, "PROLOG_NAME", public_config, defined) \
  X(prolog_version, "PROLOG_VERSION", public_config, defined) \
  X(prolog_date, "PROLOG_DATE", public_config, defined) \
  X(prolog_copyright, "PROLOG_COPYRIGHT", public_config, defined)

// The fixed names by their rows: the writers print these.
namespace names {
#define PL_CONFIG_NAME_CONSTANT(id, text, header, role) inline constexpr char id[] = text;
PL_CONFIG_FIXED_NAMES(PL_CONFIG_NAME_CONSTANT)
#undef PL_CONFIG_NAME_CONSTANT
}  // namespace names

// The tag kinds' enumerators and general macros are the rows of tag_kinds
// (model), besides these.
inline constexpr FixedName fixed_names[] = {
#define PL_CONFIG_NAME_ROW(id, text, header, role) {names::id, row_of(HeaderRole::header).name, NameRole::role},
    PL_CONFIG_FIXED_NAMES(PL_CONFIG_NAME_ROW)
#undef PL_CONFIG_NAME_ROW
};

// The part of a declaration a made name holds: its name, its name with the
// first letter a capital, or a register's type.
enum class MadePart { name, capitalised, type };

// A name each declaration of a kind makes: PREFIX PART SUFFIX.
struct MadeName {
  SectionKind kind;
  std::string_view prefix;
  MadePart part;
  std::string_view suffix;
  NameRole role;
};

#define PL_CONFIG_MADE_NAMES(X) \
  X(register_macro, regs, "", name, "", defined) \
  X(register_type, regs, "", type, "", used) \
  X(map_reg, regs, "MAP_REG_", name, "", defined) \
  X(map_offset, regs, "MAP_OFFSET_", name, "", defined) \
  X(tag_value, tags, "", name, "", defined) \
  X(tag_mask, tags, "TAG_", name, "_MASK", defined) \
  X(tag_macro, tags, "Tag_", name, "", defined) \
  X(untag_macro, tags, "UnTag_", name, "", defined) \
  X(tag_is, tags, "Tag_Is_", name, "", defined) \
  X(public_tag_value, tags, "PL_", name, "", defined) \
  X(stack_area, stacks, "", capitalised, "_Stack", defined) \
  X(stack_size, stacks, "", capitalised, "_Size", defined) \
  X(stack_offset, stacks, "", capitalised, "_Offset", defined) \
  X(stack_used_size, stacks, "", capitalised, "_Used_Size", defined) \
  X(default_size, stacks, "pl_def_", name, "_size", defined)

namespace made {
#define PL_CONFIG_MADE_CONSTANT(id, kind, prefix, part, suffix, role) \
  inline constexpr MadeName id{SectionKind::kind, prefix, MadePart::part, suffix, NameRole::role};
PL_CONFIG_MADE_NAMES(PL_CONFIG_MADE_CONSTANT)
#undef PL_CONFIG_MADE_CONSTANT
}  // namespace made

inline constexpr MadeName made_names[] = {
#define PL_CONFIG_MADE_ROW(id, kind, prefix, part, suffix, role) made::id,
    PL_CONFIG_MADE_NAMES(PL_CONFIG_MADE_ROW)
#undef PL_CONFIG_MADE_ROW
};

constexpr std::size_t longest_affixes() {
  std::size_t longest = 0;
  for (const MadeName& made : made_names) longest = std::max(longest, made.prefix.size() + made.suffix.size());
  return longest;
}

// A made name of a name of the longest length.
using MadeText = BoundedText<limit::name_length + longest_affixes()>;

// `part` (the declaration's name or type, as declared) with the affixes of
// `made`.
MadeText made_name(const MadeName& made, std::string_view part);

// The fixed name `name`, or null: the rows above and the tag kinds'.
const FixedName* find_fixed_name(std::string_view name);

// The part of a declaration that `made` makes `name` of, or empty when no
// part can: its name for MadePart::name and MadePart::type; for
// MadePart::capitalised the name with a capital, which a name with the
// first letter in either case makes.  Inline: the check asks it of every
// row for each name a declaration makes.
inline std::string_view made_part(const MadeName& made, std::string_view name) {
  // The first and last characters rule out most names before a compare.
  const std::size_t affixes = made.prefix.size() + made.suffix.size();
  if (name.size() <= affixes || (!made.prefix.empty() && name.front() != made.prefix.front()) ||
      (!made.suffix.empty() && name.back() != made.suffix.back()) || !name.starts_with(made.prefix) ||
      !name.ends_with(made.suffix))
    return {};
  const std::string_view part = name.substr(made.prefix.size(), name.size() - made.prefix.size() - made.suffix.size());
  if (made.part == MadePart::capitalised && ascii_upper(part.front()) != part.front()) return {};
  return part;
}

}  // namespace pl_config
