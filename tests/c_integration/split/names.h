/* What split/wam_arch.def declares. */

#define FIRST_REGISTER(X) X(P, WamWordP)
#define NEXT_REGISTERS(X) X(Q, WamWordP) X(COUNTER, WamWord)
#define LATER_REGISTERS(X) X(DEPTH, PlLong) X(TOP_OF_STACK, WamWordP) X(LAST_REGISTER, WamWordP)
#define OTHER_REGISTERS(X) NEXT_REGISTERS(X) LATER_REGISTERS(X)
#define FILLER_WORDS (2 + NB_SCRATCH + 7)

#if defined(SPARE) || defined(MAP_OFFSET_SPARE) || defined(MAP_REG_SPARE)
#error "a register of group 12 reached the generated headers"
#endif

#define TAGS(X)                                                        \
  X(INT, LONG_INT, 0) X(ATM, SHORT_UNS, 3) X(LST, ADDRESS, 6)          \
  X(SML, SHORT_UNS, 7) X(STC, ADDRESS, 17) X(CHR, SHORT_UNS, 20)       \
  X(NEG, LONG_INT, 28) X(BIG, LONG_INT, 31)
#define EXPECTED_TAG_SIZE 5

#define STACKS(X)                                                              \
  X(trail, Trail, "trail", "TRAILSZ", 16, TOP_OF_STACK)                        \
  X(scratch_2, Scratch_2, "scratch (two words)", "SCRATCH_2SZ", 1, Q)          \
  X(heap, Heap, "heap", "HEAPSZ", 64, P)
