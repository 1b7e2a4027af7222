/* A stopped engine for the debugger script's test.  `words` holds words made
 * with every tag's tag macro at the edges of its range, and a word for each
 * tag value that no tag has; every register of the description holds one of
 * them.  The program writes what the headers' own macros make of each to the
 * file named by its argument, then stops in stopped(), called from show()
 * with a word in a parameter and in a local:
 *
 *   word DECODED                   one line per element of `words`, in order
 *   register NAME\tWHERE\tDECODED   one per register, in register order
 *   local DECODED                  show()'s parameter and local
 *
 * DECODED is "TAG KIND VALUE" or "unknown tag N 0xWORD"; WHERE is a machine
 * register or "slot N", N the index in the register bank.  A build whose
 * tool hands out machine registers defines MACHINE_REGISTER_NAMES, the names
 * after pl_reg_bank's, in hand-out order. */

#define ENGINE_FILE
#include <stdio.h>

#include "th_config.h"
#include "th_public_config.h"
#include "wam_arch.h"
#include "wam_regs.h"

#include "names.h"

#ifndef MACHINE_REGISTER_NAMES
#define MACHINE_REGISTER_NAMES ""
#endif

#define ARRAY_SIZE(a) ((int) (sizeof(a) / sizeof((a)[0])))

WamWord words[512];
int nb_words;
static WamWord arena[64];
static WamWord bank[REG_BANK_SIZE];

static const char *const kind_words[] = {[LONG_INT] = "long_int", [SHORT_UNS] = "short_uns", [ADDRESS] = "address"};
static const char *const machine_register_names[] = {MACHINE_REGISTER_NAMES};

static void print_signed(FILE *out, PlLong v) { fprintf(out, "%lld\n", (long long) v); }
static void print_unsigned(FILE *out, PlULong v) { fprintf(out, "%llu\n", (unsigned long long) v); }
static void print_address(FILE *out, WamWord *v) { fprintf(out, "0x%llx\n", (unsigned long long) (PlULong) v); }

/* Decimal or hex as the type of the untag macro's result says. */
#define PRINT_VALUE(out, x) \
  _Generic((x), PlLong : print_signed, PlULong : print_unsigned, WamWord * : print_address)(out, x)

/* The first tag whose value Tag_Of finds, as the engine's pl_tag_tbl would. */
static void write_decoded(FILE *out, PlULong w) {
  const PlULong tag = Tag_Of(w);
#define DECODE(name, kind, value)                    \
  if (tag == (value)) {                              \
    fprintf(out, "%s %s ", #name, kind_words[kind]); \
    PRINT_VALUE(out, UnTag_##name(w));               \
    return;                                          \
  }
  TAGS(DECODE)
  fprintf(out, "unknown tag %llu 0x%llx\n", (unsigned long long) tag, (unsigned long long) w);
}

static void add(PlULong w) { words[nb_words++] = (WamWord) w; }

/* Values go in as PlULong, as in the checker: the macros shift them left.
 * The largest short_uns fills the value field; shifted into the word it may
 * reach bit 63, which the low layout's unsigned untag reads back. */
static const PlLong long_edges[] = {0, 1, -1, 12345, PL_MIN_INTEGER, PL_MAX_INTEGER};

static void add_tagged_words(void) {
  const PlULong short_edges[] = {0, 1, 255, PL_MAX_INTEGER, ((PlULong) 1 << VALUE_SIZE) - 1};
  WamWord *const address_edges[] = {0, &arena[0], &arena[1], &arena[63], (WamWord *) VALUE_MASK};
  int i;

#define ADD_LONG_INT(tag) \
  for (i = 0; i < ARRAY_SIZE(long_edges); i++) add((PlULong) tag((PlULong) long_edges[i]));
#define ADD_SHORT_UNS(tag) \
  for (i = 0; i < ARRAY_SIZE(short_edges); i++) add((PlULong) tag(short_edges[i]));
#define ADD_ADDRESS(tag) \
  for (i = 0; i < ARRAY_SIZE(address_edges); i++) add((PlULong) tag(address_edges[i]));
/* Pasted here, before the tag's name is expanded as the macro of its value. */
#define ADD_WORDS(name, kind, value) ADD_##kind(Tag_##name)
  TAGS(ADD_WORDS)
}

static int declared(int t) {
#define IS_VALUE(name, kind, value) || t == (value)
  return 0 TAGS(IS_VALUE);
}

/* The tag bits of tag value t by the layout's rule: bits 0 to 2 low, the
 * others from bit 67 - TAG_SIZE up; then a value bit, so that the word is
 * not its tag mask alone. */
static void add_unknown_words(void) {
  int t;

  for (t = 0; t < (1 << TAG_SIZE); t++) {
    const PlULong mask = t < 8 ? (PlULong) t : ((PlULong) (t >> 3) << 3 << (64 - TAG_SIZE)) | (PlULong) (t & 7);
    if (!declared(t)) add(mask | 0x40);
  }
}

/* The machine registers go to the first registers in register order, the
 * bank slots to the others in turn, after the filler. */
static void write_where(FILE *out, int k) {
  if (k < NB_OF_ALLOC_REGS) fprintf(out, "%s\t", machine_register_names[k]);
  else fprintf(out, "slot %d\t", (int) (FILLER_WORDS + k - NB_OF_ALLOC_REGS));
}

#define REGISTERS(X) FIRST_REGISTER(X) OTHER_REGISTERS(X)
#define SET_REGISTER(name, type) name = (type) words[(11 * k++ + 3) % nb_words];
#define WRITE_REGISTER(name, type)      \
  fprintf(out, "register %s\t", #name); \
  write_where(out, k++);                \
  write_decoded(out, (PlULong) name);

static void set_registers(FILE *out) {
  int k = 0;

  Init_Reg_Bank(bank);
  REGISTERS(SET_REGISTER)
  k = 0;
  REGISTERS(WRITE_REGISTER)
}

void stopped(void) {}

void show(WamWord word) {
  WamWord local_word = word;

  stopped();
  words[0] = local_word;
}

int main(int argc, char **argv) {
  FILE *out;
  int i;

  if (argc != 2 || (out = fopen(argv[1], "w")) == NULL) return 2;
  add_tagged_words();
  add_unknown_words();
  for (i = 0; i < nb_words; i++) {
    fputs("word ", out);
    write_decoded(out, (PlULong) words[i]);
  }
  set_registers(out);
  fputs("local ", out);
  write_decoded(out, (PlULong) words[nb_words / 2]);
  if (fclose(out) != 0) return 2;
  show(words[nb_words / 2]);
  return 0;
}
