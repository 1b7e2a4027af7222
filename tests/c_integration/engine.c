/* The translation unit that owns the generated tables and variables: it
 * checks their contents (only here are the arrays complete, so their sizes
 * can be compared with the counts) and runs every other check. */

#define ENGINE_FILE
#include "checker.h"

#include <stdarg.h>
#include <stdlib.h>

int check_failures;
static int check_count;
const char *check_context = "";
WamWord arena[4096];

static void report(const char *file, int line, const char *fmt, ...) {
  va_list args;
  check_failures++;
  fprintf(stderr, "%s:%d: %s%s", file, line, check_context, *check_context ? ": " : "");
  va_start(args, fmt);
  vfprintf(stderr, fmt, args);
  va_end(args);
  fputc('\n', stderr);
}

void check_true(const char *file, int line, const char *what, int ok) {
  check_count++;
  if (!ok) report(file, line, "%s is false", what);
}

void check_equal(const char *file, int line, const char *what, PlLong got, PlLong expected) {
  check_count++;
  if (got != expected)
    report(file, line, "%s is %lld (%#llx), expected %lld (%#llx)", what, (long long) got, (unsigned long long) got,
           (long long) expected, (unsigned long long) expected);
}

void check_string(const char *file, int line, const char *what, const char *got, const char *expected) {
  check_count++;
  if (strcmp(got, expected) != 0) report(file, line, "%s is \"%s\", expected \"%s\"", what, got, expected);
}

#define ARRAY_SIZE(a) ((int) (sizeof(a) / sizeof((a)[0])))

static void check_tag_table(void) {
  static const struct {
    const char *name;
    TypTag type;
    int value;
  } expected[] = {
#define TAG_ROW(name, kind, value) {#name, kind, value},
      TAGS(TAG_ROW)};
  int i;

  check_context = "pl_tag_tbl";
  CHECK_EQ(LONG_INT, 0);
  CHECK_EQ(SHORT_UNS, 1);
  CHECK_EQ(ADDRESS, 2);
  CHECK_EQ(ARRAY_SIZE(pl_tag_tbl), NB_OF_TAGS);
  CHECK_EQ(NB_OF_TAGS, NB_TAGS);
  for (i = 0; i < NB_OF_TAGS && i < NB_TAGS; i++) {
    CHECK_STR(pl_tag_tbl[i].name, expected[i].name);
    CHECK_EQ(pl_tag_tbl[i].type, expected[i].type);
    CHECK_EQ(pl_tag_tbl[i].value, expected[i].value);
    CHECK_EQ(pl_tag_tbl[i].tag_mask, expected_tag_mask(expected[i].value));
  }
}

static void check_register_table(void) {
  static const char *const expected[] = {
#define REGISTER_NAME(name, type) #name,
      REGISTERS(REGISTER_NAME)};
  int i;

  check_context = "pl_reg_tbl";
  CHECK_EQ(ARRAY_SIZE(pl_reg_tbl), NB_OF_REGS);
  CHECK_EQ(NB_OF_REGS, NB_REGISTERS);
  for (i = 0; i < NB_OF_REGS && i < NB_REGISTERS; i++) CHECK_STR(pl_reg_tbl[i], expected[i]);
}

static void check_stack_table(void) {
  int i = 0;

  check_context = "pl_stk_tbl";
  CHECK_EQ(ARRAY_SIZE(pl_stk_tbl), NB_OF_STACKS);
  CHECK_EQ(NB_OF_STACKS, NB_STACKS);
#define STACK_ROW(name_, cap_, desc_, env_, size_, top_)       \
  if (i < NB_OF_STACKS) {                                      \
    CHECK_STR(pl_stk_tbl[i].name, #name_);                     \
    CHECK_STR(pl_stk_tbl[i].desc, desc_);                      \
    CHECK_STR(pl_stk_tbl[i].env_var_name, env_);               \
    CHECK(pl_stk_tbl[i].p_def_size == &pl_def_##name_##_size); \
    CHECK_EQ(pl_stk_tbl[i].default_size, (size_) *128);        \
    CHECK_EQ(pl_stk_tbl[i].size, 0);                           \
    CHECK(pl_stk_tbl[i].stack == NULL);                        \
  }                                                            \
  i++;
  STACKS(STACK_ROW)
  pl_fixed_sizes = 1;
  CHECK_EQ(pl_fixed_sizes, 1);
}

static void check_public_config(void) {
  char version[32];

  check_context = "th_public_config.h";
  snprintf(version, sizeof version, "%d.%d.%d", __TARNHOL__, __TARNHOL_MINOR__, __TARNHOL_PATCHLEVEL__);
  CHECK_STR(PROLOG_VERSION, version);
  CHECK_EQ(__TARNHOLLOW__, __TARNHOL__);
  CHECK_EQ(__TARNHOL_VERSION__, __TARNHOL__ * 10000 + __TARNHOL_MINOR__ * 100 + __TARNHOL_PATCHLEVEL__);
  CHECK_STR(PROLOG_NAME, "Tarnhollow");
  CHECK_STR(PROLOG_DIALECT, "tarnhol");
}

int main(void) {
  static WamWord bank[REG_BANK_SIZE];

  check_public_config();
  check_tag_table();
  check_register_table();
  check_stack_table();
  check_tag_layout();
  check_tags();
  Init_Reg_Bank(bank);
  check_registers(bank);
  check_machine_registers(bank);
  check_stacks();
  if (check_failures != 0) {
    fprintf(stderr, "%d of %d checks failed\n", check_failures, check_count);
    return EXIT_FAILURE;
  }
  printf("%d checks passed: %d registers, %d tags, %d stacks\n", check_count, NB_OF_REGS, NB_OF_TAGS, NB_OF_STACKS);
  return EXIT_SUCCESS;
}
