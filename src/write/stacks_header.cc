// The generated text of a stacks section, in output order: the include line
// in the architecture header; the stack access macros, Stack_Top and
// pl_stk_tbl in the stack header.

#include <cstddef>
#include <span>
#include <string_view>

#include "ascii.h"
#include "generated_names.h"
#include "header_writer.h"

namespace pl_config {

namespace {

Name upper_case(const Name& name) {
  Name result = name;
  result.change_first(Name::capacity, ascii_upper);
  return result;
}

MadeText default_size_name(const StackEntry& stack) { return made_name(made::default_size, stack.name.view()); }

void emit_access_macros(Output& sh, std::span<const StackEntry> stacks) {
  sh.print("#define %s \t\t%d\n\n", names::nb_of_stacks, static_cast<int>(stacks.size()));
  for (std::size_t i = 0; i < stacks.size(); ++i) {
    const int number = static_cast<int>(i);
    const std::string_view name = stacks[i].name.view();
    const MadeText area = made_name(made::stack_area, name);
    const MadeText offset = made_name(made::stack_offset, name);
    sh.print("#define %s       \t(pl_stk_tbl[%d].stack)\n", area.c_str(), number);
    sh.print("#define %s        \t(pl_stk_tbl[%d].size)\n", made_name(made::stack_size, name).c_str(), number);
    sh.print("#define %s(%s) \t((WamWord *)(%s) - %s)\n", offset.c_str(), names::param_adr, names::param_adr,
             area.c_str());
    sh.print("#define %s   \t%s(%s)\n\n", made_name(made::stack_used_size, name).c_str(), offset.c_str(),
             stacks[i].top_expression.c_str());
  }
}

void emit_stack_top(Output& sh, std::span<const StackEntry> stacks) {
  sh.print("\n#define %s(%s)       \t(", names::stack_top, names::param_s);
  for (std::size_t i = 0; i + 1 < stacks.size(); ++i)
    sh.print("((%s) == %d) ? %s : ", names::param_s, static_cast<int>(i), stacks[i].top_expression.c_str());
  sh.print("%s)\n", stacks.back().top_expression.c_str());
}

constexpr char inf_stack_type[] =
    "\ntypedef struct\n"
    "{\n"
    "  char *name;\n"
    "  char *desc;\n"
    "  char *env_var_name;\n"
    "  PlLong *p_def_size;\t/* used for fixed_sizes */\n"
    "  int default_size; \t/* in WamWords */\n"
    "  int size;         \t/* in WamWords */\n"
    "  WamWord *stack;\n"
    "}%s;\n\n\n";

void emit_definitions(Output& sh, std::span<const StackEntry> stacks) {
  sh.put("#ifdef ENGINE_FILE\n\n");
  sh.put("    /* these variables can be overwritten by top_comp (see stack size file) */\n");
  for (const StackEntry& stack : stacks) sh.print("PlLong %s;\n", default_size_name(stack).c_str());
  sh.print("PlLong %s;\n\n", names::fixed_sizes);
  sh.print("InfStack %s[] =\n{\n", names::stk_tbl);
  for (const StackEntry& stack : stacks) {
    const char* row_end = &stack == &stacks.back() ? "\n};\n" : ",\n";
    sh.print(" { \"%s\", %s, \"%sSZ\", &%s, %d, 0, NULL }%s", stack.name.c_str(), stack.description.c_str(),
             upper_case(stack.name).c_str(), default_size_name(stack).c_str(), stack.default_size, row_end);
  }
}

void emit_declarations(Output& sh, std::span<const StackEntry> stacks) {
  sh.put("\n#else\n\n");
  for (const StackEntry& stack : stacks) sh.print("extern PlLong %s;\n", default_size_name(stack).c_str());
  sh.print("extern PlLong %s;\n\n\n", names::fixed_sizes);
  sh.print("extern InfStack %s[];\n", names::stk_tbl);
  sh.put("\n#endif\n");
}

void emit_section(std::span<const StackEntry> stacks, Output& arch_header, Output& sh) {
  arch_header.put("\n\n   /*--- Begin Stack Generation ---*/\n\n");
  arch_header.print("#include \"%s\"\n", row_of(HeaderRole::stack_header).name);
  emit_access_macros(sh, stacks);
  emit_stack_top(sh, stacks);
  sh.print(inf_stack_type, names::inf_stack);
  emit_definitions(sh, stacks);
  emit_declarations(sh, stacks);
  arch_header.put("\n\n   /*--- End Stack Generation ---*/\n\n");
}

}  // namespace

void emit_stacks_section(const StacksSection& section, Output& arch_header, Output& stack_header) {
  emit_section(section.stacks(), arch_header, stack_header);
}

}  // namespace pl_config
