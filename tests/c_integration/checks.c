/* The checks of the generated macros, compiled against the extern
 * declarations of the generated tables and variables. */

#include "checker.h"

#define ARRAY_SIZE(a) ((int) (sizeof(a) / sizeof((a)[0])))

/* What the register bank holds where no register was written. */
#define UNWRITTEN ((WamWord) 0x5a5a5a5a5a5a5a5a)

void check_tag_layout(void) {
  check_context = "tag layout";
  CHECK_EQ(TAG_SIZE, EXPECTED_TAG_SIZE);
  CHECK_EQ(TAG_SIZE_LOW, 3);
  CHECK_EQ(TAG_SIZE_HIGH, TAG_SIZE - 3);
  CHECK_EQ(VALUE_SIZE, 64 - TAG_SIZE);
  CHECK_EQ(TAG_MASK, expected_tag_mask((1 << TAG_SIZE) - 1));
  CHECK_EQ(VALUE_MASK, ~TAG_MASK);
  CHECK_EQ(Tag_Of(TAG_MASK), (1 << TAG_SIZE) - 1);
  CHECK_EQ(Tag_Of(VALUE_MASK), 0);
  /* th_public_config.h against wam_arch.h: the range of a VALUE_SIZE-bit
   * two's complement integer. */
  CHECK_EQ(PL_MAX_INTEGER, (PlLong) (((PlULong) 1 << (VALUE_SIZE - 1)) - 1));
  CHECK_EQ(PL_MIN_INTEGER, -PL_MAX_INTEGER - 1);

#define CHECK_TAG_CONSTANTS(name, kind, value)                 \
  check_context = "tag " #name;                                \
  CHECK_EQ(name, value);                                       \
  CHECK_EQ(PL_##name, value);                                  \
  CHECK_EQ(TAG_##name##_MASK, expected_tag_mask(value));       \
  CHECK_EQ(Tag_Mask_Of(TAG_##name##_MASK), TAG_##name##_MASK); \
  CHECK_EQ((TAG_##name##_MASK & VALUE_MASK), 0);               \
  CHECK_EQ(Tag_From_Tag_Mask(TAG_##name##_MASK), value);       \
  CHECK_EQ(Tag_Of(TAG_##name##_MASK), value);
  TAGS(CHECK_TAG_CONSTANTS)
}

/* w carries tag value `value`, and only the tag with that value recognises
 * its tag bits. */
static void check_word(PlULong w, int value) {
  int i;

  CHECK_EQ(Tag_Of(w), value);
  for (i = 0; i < NB_OF_TAGS; i++)
    CHECK_EQ(Tag_Mask_Of(w) == (PlULong) pl_tag_tbl[i].tag_mask, pl_tag_tbl[i].value == value);
}

/* The tag and untag macros shift their operand left; a negative signed
 * operand would make that shift undefined, so words and values go in as
 * PlULong. */
static const PlLong long_values[] = {0, 1, -1, 12345, -12345, PL_MIN_INTEGER, PL_MAX_INTEGER};
static const PlULong short_values[] = {0, 1, 2, 7, 255, 1 << 20};
static const int address_slots[] = {0, 1, 7, 1000};

#define CHECK_LONG_INT(tag, untag, is_tag, value)        \
  for (j = 0; j < ARRAY_SIZE(long_values); j++) {        \
    PlULong w = (PlULong) tag((PlULong) long_values[j]); \
    CHECK(is_tag(w));                                    \
    check_word(w, value);                                \
    CHECK_EQ(untag(w), long_values[j]);                  \
  }                                                      \
  /* one past the range wraps around to its other end */ \
  CHECK_EQ(untag((PlULong) tag((PlULong) PL_MAX_INTEGER + 1)), PL_MIN_INTEGER);

#define CHECK_SHORT_UNS(tag, untag, is_tag, value) \
  for (j = 0; j < ARRAY_SIZE(short_values); j++) { \
    PlULong w = (PlULong) tag(short_values[j]);    \
    CHECK(is_tag(w));                              \
    check_word(w, value);                          \
    CHECK_EQ(untag(w), short_values[j]);           \
  }

#define CHECK_ADDRESS(tag, untag, is_tag, value)    \
  for (j = 0; j < ARRAY_SIZE(address_slots); j++) { \
    WamWord *p = &arena[address_slots[j]];          \
    PlULong w = (PlULong) tag(p);                   \
    CHECK(is_tag(w));                               \
    check_word(w, value);                           \
    CHECK(untag(w) == p);                           \
  }

/* The general macros, with the mask of every tag whatever its kind.  A
 * negative value would carry its sign into the high tag bits through
 * Tag_Long_Int, so only the untagging is checked for those. */
static void check_general_macros(void) {
  int i, j;

  for (i = 0; i < NB_OF_TAGS; i++) {
    const PlULong mask = (PlULong) pl_tag_tbl[i].tag_mask;

    check_context = pl_tag_tbl[i].name;
    for (j = 0; j < ARRAY_SIZE(long_values); j++) {
      PlULong w = (PlULong) Tag_Long_Int(mask, (PlULong) long_values[j]);
      CHECK_EQ(UnTag_Long_Int(w), long_values[j]);
      if (long_values[j] >= 0) check_word(w, pl_tag_tbl[i].value);
    }
    for (j = 0; j < ARRAY_SIZE(short_values); j++) {
      PlULong w = (PlULong) Tag_Short_Uns(mask, short_values[j]);
      CHECK_EQ(UnTag_Short_Uns(w), short_values[j]);
      check_word(w, pl_tag_tbl[i].value);
    }
    for (j = 0; j < ARRAY_SIZE(address_slots); j++) {
      PlULong w = (PlULong) Tag_Address(mask, &arena[address_slots[j]]);
      CHECK(UnTag_Address(w) == &arena[address_slots[j]]);
      check_word(w, pl_tag_tbl[i].value);
    }
  }
}

void check_tags(void) {
  int j;

  check_general_macros();

#define CHECK_TAG(name, kind, value) \
  check_context = "tag " #name;      \
  CHECK_##kind(Tag_##name, UnTag_##name, Tag_Is_##name, value)
  TAGS(CHECK_TAG)
}

#define SET_REGISTER(name, type) name = (type) register_value(i++);

void check_registers(WamWord *bank) {
  WamWord saved[NB_OF_REGS];
  int i, k;

  check_context = "registers";
  CHECK_EQ(NB_OF_ALLOC_REGS, NB_MACHINE_REGISTERS);
  CHECK_EQ(NB_OF_NOT_ALLOC_REGS, NB_BANK_REGISTERS);
  CHECK_EQ(REG_BANK_SIZE, FILLER_WORDS + NB_BANK_REGISTERS);
  CHECK_EQ(NB_OF_USED_MACHINE_REGS, NB_MACHINE_REGISTERS == 0 ? 0 : NB_MACHINE_REGISTERS + 1);
  CHECK_EQ(NB_USED_MACHINE_REGS, NB_OF_USED_MACHINE_REGS);
  CHECK(pl_reg_bank == bank);
  CHECK(save_reg_bank == bank);

  for (i = 0; i < REG_BANK_SIZE; i++) bank[i] = UNWRITTEN;
  i = 0;
  REGISTERS(SET_REGISTER)
  for (i = 0; i < NB_OF_REGS; i++) CHECK_EQ(Reg(i), register_value(i));
  /* an index past the last register still yields the last one */
  CHECK_EQ(Reg(NB_OF_REGS + 5), register_value(NB_OF_REGS - 1));

  Save_All_Regs(saved);
  for (i = 0; i < NB_OF_REGS; i++) CHECK_EQ(saved[i], register_value(i));
#define CLEAR_REGISTER(name, type) name = (type) 0;
  REGISTERS(CLEAR_REGISTER)
  Restore_All_Regs(saved);
  i = 0;
#define CHECK_REGISTER(name, type)   \
  check_context = "register " #name; \
  CHECK_EQ(name, register_value(i)); \
  i++;
  REGISTERS(CHECK_REGISTER)

  k = 0;
#define CHECK_BANK_SLOT(name, type)                                   \
  check_context = "register " #name;                                  \
  CHECK_EQ((char *) &name - (char *) pl_reg_bank, MAP_OFFSET_##name); \
  CHECK_EQ(MAP_OFFSET_##name, (FILLER_WORDS + k) * 8);                \
  k++;
  BANK_REGISTERS(CHECK_BANK_SLOT)
  check_context = "register bank";
  for (i = 0; i < FILLER_WORDS; i++) CHECK_EQ(bank[i], UNWRITTEN);
  for (; i < REG_BANK_SIZE; i++) CHECK(bank[i] != UNWRITTEN);
}

#ifdef MACHINE_VARIANT

static const char *const machine_reg_names[] = MACHINE_REG_NAMES;

/* The machine registers get register_value(first), register_value(first + 1)
 * and so on, in hand-out order. */
static void set_machine_registers(int first) {
  int k = 0;
#define SET_MACHINE_REGISTER(name, type) name = (type) register_value(first + k++);
  MACHINE_REGISTERS(SET_MACHINE_REGISTER)
}

static void clear_machine_registers(void) {
#define CLEAR_MACHINE_REGISTER(name, type) name = (type) 0;
  MACHINE_REGISTERS(CLEAR_MACHINE_REGISTER)
}

static void check_machine_values(int first) {
  int k = 0;
#define CHECK_MACHINE_VALUE(name, type)      \
  CHECK_EQ(name, register_value(first + k)); \
  k++;
  MACHINE_REGISTERS(CHECK_MACHINE_VALUE)
}

/* What Save_Machine_Regs wrote: the bank pointer, then the registers. */
static void check_saved(const WamWord *buff, WamWord *bank) {
  int k;

  CHECK_EQ(buff[0], (WamWord) bank);
  for (k = 1; k < NB_OF_USED_MACHINE_REGS; k++) CHECK_EQ(buff[k], register_value(k - 1));
}

static void check_signal_protection(WamWord *bank) {
  WamWord *const flag = &pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS];

  check_context = "signal protection";
  set_machine_registers(0);
  Start_Protect_Regs_For_Signal;
  CHECK_EQ(*flag, 1);
  check_saved(pl_buff_signal_reg, bank);
  /* what a signal handler may leave behind */
  clear_machine_registers();
  pl_reg_bank = arena;
  Restore_Protect_Regs_For_Signal;
  check_machine_values(0);
  CHECK(pl_reg_bank == bank);
  CHECK_EQ(*flag, 0);

  /* with no protection pending only the bank pointer comes back */
  set_machine_registers(1);
  pl_reg_bank = arena;
  Restore_Protect_Regs_For_Signal;
  check_machine_values(1);
  CHECK(pl_reg_bank == bank);

  Start_Protect_Regs_For_Signal;
  Stop_Protect_Regs_For_Signal;
  CHECK_EQ(*flag, 0);
}

/* The register variables live in the registers that MAP_REG_ names, those
 * of the tool's list in its order, and CFLAGS_REGS reserves each. */
void check_machine_registers(WamWord *bank) {
  WamWord buff[NB_OF_USED_MACHINE_REGS];
  char cflags[256] = "";
  WamWord held;
  int k;

  check_context = "machine registers";
  set_machine_registers(2);
  READ_MACHINE_REG(MAP_REG_BANK, held);
  CHECK_EQ(held, (WamWord) bank);
  CHECK_STR(MAP_REG_BANK, machine_reg_names[0]);
  k = 1;
#define CHECK_MACHINE_REGISTER(name, type)         \
  check_context = "machine register " #name;       \
  READ_MACHINE_REG(MAP_REG_##name, held);          \
  CHECK_EQ(held, register_value(1 + k));           \
  CHECK_STR(MAP_REG_##name, machine_reg_names[k]); \
  k++;
  MACHINE_REGISTERS(CHECK_MACHINE_REGISTER)
  check_context = "machine registers";
  CHECK_EQ(k, NB_OF_USED_MACHINE_REGS);
  for (k = 0; k < NB_OF_USED_MACHINE_REGS; k++)
    snprintf(cflags + strlen(cflags), sizeof cflags - strlen(cflags), "-ffixed-%s ", machine_reg_names[k]);
  CHECK_STR(CFLAGS_REGS, cflags);

  set_machine_registers(0);
  Save_Machine_Regs(buff);
  check_saved(buff, bank);
  clear_machine_registers();
  pl_reg_bank = arena;
  Restore_Machine_Regs(buff);
  check_machine_values(0);
  CHECK(pl_reg_bank == bank);

  check_signal_protection(bank);
}

#else

void check_machine_registers(WamWord *bank) {
  WamWord buff[1] = {UNWRITTEN};

  check_context = "machine registers";
  CHECK_STR(CFLAGS_REGS, "");
  Save_Machine_Regs(buff);
  Restore_Machine_Regs(buff);
  CHECK_EQ(buff[0], UNWRITTEN);
  /* empty statements: nothing saved, nothing restored */
  Start_Protect_Regs_For_Signal;
  Stop_Protect_Regs_For_Signal;
  pl_reg_bank = arena;
  Restore_Protect_Regs_For_Signal;
  CHECK(pl_reg_bank == arena);
  pl_reg_bank = bank;
}

#endif

void check_stacks(void) {
  WamWord *last_top = NULL;
  int i = 0;

  REGISTERS(SET_REGISTER)
  i = 0;
#define CHECK_STACK(name_, cap_, desc_, env_, size_, top_)    \
  check_context = "stack " #name_;                            \
  pl_stk_tbl[i].stack = &arena[i];                            \
  pl_stk_tbl[i].size = 1000 + i;                              \
  CHECK(cap_##_Stack == &arena[i]);                           \
  CHECK_EQ(cap_##_Size, 1000 + i);                            \
  CHECK_EQ(cap_##_Offset(&arena[i + 5]), 5);                  \
  CHECK_EQ(cap_##_Used_Size, (WamWord *) (top_) - &arena[i]); \
  CHECK(Stack_Top(i) == (top_));                              \
  last_top = (top_);                                          \
  i++;
  STACKS(CHECK_STACK)
  check_context = "stacks";
  CHECK(Stack_Top(NB_OF_STACKS + 3) == last_top);
}
