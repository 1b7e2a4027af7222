#include "stacks_section.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "fatal_error.h"
#include "layout_observer.h"

namespace pl_config {

namespace {

constexpr char end_expected[] = "Syntax error: end expected for @begin stack";

// The checks of a stack line that its tokens pass but the stack entry table
// cannot hold, and the end line of a section without stacks, which has no
// last entry to close Stack_Top and pl_stk_tbl with.
namespace stack_message {
constexpr char too_many_stacks[] = "Syntax error: too many stacks in: %s";
constexpr char description_too_long[] = "Syntax error: description too long in: %s";
constexpr char size_too_large[] = "Syntax error: stack size too large in: %s";
constexpr char top_too_long[] = "Syntax error: top expression too long in: %s";
constexpr char no_stack_declared[] = "Syntax error: no stack declared in: %s";
}  // namespace stack_message

// The fields of a stack line as read; they point into the line buffer.
struct StackLine {
  std::string_view name;
  std::string_view description;
  std::int32_t size;
  std::string_view top_expression;
};

class StackTable {
 public:
  bool empty() const { return count_ == 0; }
  bool full() const { return count_ == entries_.size(); }
  std::span<const StackEntry> entries() const { return {entries_.data(), count_}; }

  // The line must have passed check_limits().
  void add(const StackLine& line, int line_number) {
    StackEntry& entry = entries_[count_++];
    entry.line = line_number;
    entry.name.assign(line.name);
    entry.description.assign(line.description);
    entry.default_size = line.size * limit::stack_size_unit;
    entry.top_expression.assign(line.top_expression);
  }

 private:
  std::array<StackEntry, limit::stacks> entries_{};
  std::size_t count_ = 0;
};

StackLine read_stack_line(Scanner& rest) {
  // Braced initialisers run in order, so the tokens are read left to right.
  return StackLine{rest.identifier(), rest.string_token(), rest.integer(), rest.identifier()};
}

void check_limits(const StackLine& line, const StackTable& table, const Scanner& rest) {
  if (table.full()) rest.fail(stack_message::too_many_stacks);
  if (!Name::fits(line.name)) rest.fail(message::name_too_long);
  if (!StackDescription::fits(line.description)) rest.fail(stack_message::description_too_long);
  if (line.size > limit::stack_size) rest.fail(stack_message::size_too_large);
  if (!TopExpression::fits(line.top_expression)) rest.fail(stack_message::top_too_long);
}

// Plain ASCII whatever the locale, like the character classes.
constexpr char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

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

void emit_access_macros(std::FILE* sh, std::span<const StackEntry> stacks) {
  std::fprintf(sh, "#define NB_OF_STACKS \t\t%d\n\n", static_cast<int>(stacks.size()));
  for (std::size_t i = 0; i < stacks.size(); ++i) {
    const int number = static_cast<int>(i);
    const Name capital = capitalised(stacks[i].name);
    const char* name = capital.c_str();
    std::fprintf(sh, "#define %s_Stack       \t(pl_stk_tbl[%d].stack)\n", name, number);
    std::fprintf(sh, "#define %s_Size        \t(pl_stk_tbl[%d].size)\n", name, number);
    std::fprintf(sh, "#define %s_Offset(adr) \t((WamWord *)(adr) - %s_Stack)\n", name, name);
    std::fprintf(sh, "#define %s_Used_Size   \t%s_Offset(%s)\n\n", name, name, stacks[i].top_expression.c_str());
  }
}

void emit_stack_top(std::FILE* sh, std::span<const StackEntry> stacks) {
  std::fputs("\n#define Stack_Top(s)       \t(", sh);
  for (std::size_t i = 0; i + 1 < stacks.size(); ++i)
    std::fprintf(sh, "((s) == %d) ? %s : ", static_cast<int>(i), stacks[i].top_expression.c_str());
  std::fprintf(sh, "%s)\n", stacks.back().top_expression.c_str());
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

void emit_definitions(std::FILE* sh, std::span<const StackEntry> stacks) {
  std::fputs("#ifdef ENGINE_FILE\n\n", sh);
  std::fputs("    /* these variables can be overwritten by top_comp (see stack size file) */\n", sh);
  for (const StackEntry& stack : stacks) std::fprintf(sh, "PlLong pl_def_%s_size;\n", stack.name.c_str());
  std::fputs("PlLong pl_fixed_sizes;\n\n", sh);
  std::fputs("InfStack pl_stk_tbl[] =\n{\n", sh);
  for (const StackEntry& stack : stacks) {
    const char* name = stack.name.c_str();
    const char* row_end = &stack == &stacks.back() ? "\n};\n" : ",\n";
    std::fprintf(sh, " { \"%s\", %s, \"%sSZ\", &pl_def_%s_size, %d, 0, NULL }%s", name, stack.description.c_str(),
                 upper_case(stack.name).c_str(), name, stack.default_size, row_end);
  }
}

void emit_declarations(std::FILE* sh, std::span<const StackEntry> stacks) {
  std::fputs("\n#else\n\n", sh);
  for (const StackEntry& stack : stacks) std::fprintf(sh, "extern PlLong pl_def_%s_size;\n", stack.name.c_str());
  std::fputs("extern PlLong pl_fixed_sizes;\n\n\n", sh);
  std::fputs("extern InfStack pl_stk_tbl[];\n", sh);
  std::fputs("\n#endif\n", sh);
}

void write_stacks(std::span<const StackEntry> stacks, std::FILE* arch_header, std::FILE* sh) {
  std::fputs("\n\n   /*--- Begin Stack Generation ---*/\n\n", arch_header);
  std::fputs("#include \"wam_stacks.h\"\n", arch_header);
  emit_access_macros(sh, stacks);
  emit_stack_top(sh, stacks);
  std::fputs(inf_stack_type, sh);
  emit_definitions(sh, stacks);
  emit_declarations(sh, stacks);
  std::fputs("\n\n   /*--- End Stack Generation ---*/\n\n", arch_header);
}

}  // namespace

void generate_stacks_section(DescriptionInput& in, std::FILE* arch_header, Run& run) {
  StackTable table;
  SectionLines lines(in, arch_header, run, end_expected);
  for (;;) {
    Directive directive = lines.next_directive();
    if (directive.word == "end") {
      if (table.empty()) directive.rest.fail(stack_message::no_stack_declared);
      write_stacks(table.entries(), arch_header, run.stack_header);
      if (run.observer != nullptr) run.observer->stacks_section({lines.opening_line(), table.entries()});
      return;
    }
    if (directive.word != "stack") directive.rest.fail(message::incorrect_declaration);
    const StackLine stack = read_stack_line(directive.rest);
    check_limits(stack, table, directive.rest);
    table.add(stack, directive.rest.line_number());
  }
}

}  // namespace pl_config
