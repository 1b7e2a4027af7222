/* What both translation units of the checker share.  engine.c defines
 * ENGINE_FILE before including this file and so gets the definitions of the
 * generated tables and variables; checks.c gets their extern declarations.
 * names.h, from the directory of the description under test, lists what the
 * description declares:
 *
 *   FIRST_REGISTER(X), OTHER_REGISTERS(X)  X(name, type), in register order
 *   FILLER_WORDS                           the sum of the filler values
 *   TAGS(X)                                X(name, kind, value), in line order
 *   EXPECTED_TAG_SIZE
 *   STACKS(X)                              X(name, Capitalised, "description",
 *                                            "ENV_VAR", size, top), in line order
 */

#ifndef CHECKER_H
#define CHECKER_H

#include <stdio.h>
#include <string.h>

#include "th_config.h"
#include "th_public_config.h"
#include "wam_arch.h"
#include "wam_regs.h"

#include "names.h"

/* The variant built with MACHINE_REGS r12 r13 hands r12 to pl_reg_bank and
 * r13 to the first register; every other variant keeps all of them in the
 * register bank. */
#ifdef MACHINE_VARIANT
#define BANK_MACHINE_REG "r12"
#define FIRST_MACHINE_REG "r13"
#define MACHINE_REGISTERS(X) FIRST_REGISTER(X)
#define BANK_REGISTERS(X) OTHER_REGISTERS(X)
#define NB_MACHINE_REGISTERS 1
#else
#define MACHINE_REGISTERS(X)
#define BANK_REGISTERS(X) FIRST_REGISTER(X) OTHER_REGISTERS(X)
#define NB_MACHINE_REGISTERS 0
#endif
#define REGISTERS(X) FIRST_REGISTER(X) OTHER_REGISTERS(X)

#define COUNT_ONE(...) +1
#define NB_REGISTERS (0 REGISTERS(COUNT_ONE))
#define NB_BANK_REGISTERS (0 BANK_REGISTERS(COUNT_ONE))
#define NB_TAGS (0 TAGS(COUNT_ONE))
#define NB_STACKS (0 STACKS(COUNT_ONE))

extern int check_failures;
extern const char *check_context;

void check_true(const char *file, int line, const char *what, int ok);
void check_equal(const char *file, int line, const char *what, PlLong got, PlLong expected);
void check_string(const char *file, int line, const char *what, const char *got, const char *expected);

#define CHECK(cond) check_true(__FILE__, __LINE__, #cond, (cond) != 0)
#define CHECK_EQ(got, expected) check_equal(__FILE__, __LINE__, #got, (PlLong) (got), (PlLong) (expected))
#define CHECK_STR(got, expected) check_string(__FILE__, __LINE__, #got, got, expected)

/* The tag mask of tag value t: bits 0 to 2 of t stay in the low bits, the
 * others go to the top TAG_SIZE - 3 bits of the word (from bit 67 - TAG_SIZE
 * up).  Two shifts, so that a layout with three tag bits, which never gets
 * past the first line, has no constant shift count of 64. */
static inline PlULong expected_tag_mask(int t) {
  if (t < 8) return (PlULong) t;
  return ((PlULong) (t >> 3) << 3 << (64 - TAG_SIZE)) | (PlULong) (t & 7);
}

/* Distinct words for the registers, addresses inside `arena` so that the
 * pointer registers hold real pointers. */
extern WamWord arena[4096];
static inline WamWord register_value(int i) { return (WamWord) &arena[64 + 8 * i]; }

void check_tag_layout(void);
void check_tags(void);
void check_registers(WamWord *bank);
void check_machine_registers(WamWord *bank);
void check_stacks(void);

#endif
