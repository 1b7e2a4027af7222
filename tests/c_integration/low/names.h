/* What low/wam_arch.def declares: the low tag layout, and a single register
 * and a single stack, whose tables and selection macros hold one entry. */

#define FIRST_REGISTER(X) X(H, WamWordP)
#define OTHER_REGISTERS(X)
#define FILLER_WORDS 0

#define TAGS(X) X(REF, ADDRESS, 0) X(ATM, SHORT_UNS, 1) X(LST, ADDRESS, 2) X(INT, LONG_INT, 5)
#define EXPECTED_TAG_SIZE 3

#define STACKS(X) X(heap, Heap, "heap", "HEAPSZ", 16, H)
