// The generated text of a stacks section, in output order: the include line
// in the architecture header; the stack access macros, Stack_Top and
// pl_stk_tbl in the stack header.

#include <cstddef>
#include <span>

#include "header_writer.h"
#include "ascii.h"

namespace pl_config {

namespace {

Name capitalised(const Name& name) {
  Name result = name;
  result.change_first(1, ascii_upper);
  return result;
}

Name upper_case(const Name& name) {
  Name result = name;
  result.change_first(Name::capacity, ascii_upper);
  return result;
}

void emit_access_macros(Output& sh, std::span<const StackEntry> stacks) {
  sh.print("#define NB_OF_STACKS \t\t%d\n\n", static_cast<int>(stacks.size()));
  for (std::size_t i = 0; i < stacks.size(); ++i) {
    const int number = static_cast<int>(i);
    const Name capital = capitalised(stacks[i].name);
    const char* name = capital.c_str();
    sh.print("#define %s_Stack       \t(pl_stk_tbl[%d].stack)\n", name, number);
    sh.print("#define %s_Size        \t(pl_stk_tbl[%d].size)\n", name, number);
    sh.print("#define %s_Offset(adr) \t((WamWord *)(adr) - %s_Stack)\n", name, name);
    sh.print("#define %s_Used_Size   \t%s_Offset(%s)\n\n", name, name, stacks[i].top_expression.c_str());
  }
}

void emit_stack_top(Output& sh, std::span<const StackEntry> stacks) {
  sh.put("\n#define Stack_Top(s)       \t(");
  for (std::size_t i = 0; i + 1 < stacks.size(); ++i)
    sh.print("((s) == %d) ? %s : ", static_cast<int>(i), stacks[i].top_expression.c_str());
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
    "}InfStack;\n\n\n";

void emit_definitions(Output& sh, std::span<const StackEntry> stacks) {
  sh.put("#ifdef ENGINE_FILE\n\n");
  sh.put("    /* these variables can be overwritten by top_comp (see stack size file) */\n");
  for (const StackEntry& stack : stacks) sh.print("PlLong pl_def_%s_size;\n", stack.name.c_str());
  sh.put("PlLong pl_fixed_sizes;\n\n");
  sh.put("InfStack pl_stk_tbl[] =\n{\n");
  for (const StackEntry& stack : stacks) {
    const char* name = stack.name.c_str();
    const char* row_end = &stack == &stacks.back() ? "\n};\n" : ",\n";
    sh.print(" { \"%s\", %s, \"%sSZ\", &pl_def_%s_size, %d, 0, NULL }%s", name, stack.description.c_str(),
                 upper_case(stack.name).c_str(), name, stack.default_size, row_end);
  }
}

void emit_declarations(Output& sh, std::span<const StackEntry> stacks) {
  sh.put("\n#else\n\n");
  for (const StackEntry& stack : stacks) sh.print("extern PlLong pl_def_%s_size;\n", stack.name.c_str());
  sh.put("extern PlLong pl_fixed_sizes;\n\n\n");
  sh.put("extern InfStack pl_stk_tbl[];\n");
  sh.put("\n#endif\n");
}

void emit_section(std::span<const StackEntry> stacks, Output& arch_header, Output& sh) {
  arch_header.put("\n\n   /*--- Begin Stack Generation ---*/\n\n");
  arch_header.put("#include \"wam_stacks.h\"\n");
  emit_access_macros(sh, stacks);
  emit_stack_top(sh, stacks);
  sh.put(inf_stack_type);
  emit_definitions(sh, stacks);
  emit_declarations(sh, stacks);
  arch_header.put("\n\n   /*--- End Stack Generation ---*/\n\n");
}

}  // namespace

void emit_stacks_section(const StacksSection& section, Output& arch_header, Output& stack_header) {
  emit_section(section.stacks(), arch_header, stack_header);
}

}  // namespace pl_config
