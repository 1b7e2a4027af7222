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

/* The variants built with machine registers, MACHINE_REG_NAMES of the
 * processor: MACHINE_VARIANT (1) with two of them hands the first to
 * pl_reg_bank and the second to the first register; MACHINE_VARIANT=3, with
 * four, the others to the next two registers (names.h's NEXT_REGISTERS).
 * Every other variant keeps all registers in the register bank.
 * READ_MACHINE_REG reads a machine register, named as MAP_REG_ names it. */
#if defined(__x86_64__)
#define MACHINE_REG_NAMES \
  { "r12", "r13" }
#define READ_MACHINE_REG(reg, var) __asm__ volatile("movq %%" reg ", %0" : "=r"(var))
#elif defined(__aarch64__)
#define MACHINE_REG_NAMES \
  { "x19", "x20", "x21", "x22" }
#define READ_MACHINE_REG(reg, var) __asm__ volatile("mov %0, " reg : "=r"(var))
#elif defined(__riscv)
#define MACHINE_REG_NAMES \
  { "s2", "s3", "s4", "s5" }
#define READ_MACHINE_REG(reg, var) __asm__ volatile("mv %0, " reg : "=r"(var))
#endif

#if MACHINE_VARIANT == 3
#define MACHINE_REGISTERS(X) FIRST_REGISTER(X) NEXT_REGISTERS(X)
#define BANK_REGISTERS(X) LATER_REGISTERS(X)
#define NB_MACHINE_REGISTERS 3
#elif defined(MACHINE_VARIANT)
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
