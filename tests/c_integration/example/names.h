/* What examples/wam_arch.def declares. */

#define FIRST_REGISTER(X) X(TR, WamWordP)
#define OTHER_REGISTERS(X)                                                     \
  X(B, WamWordP) X(H, WamWordP) X(HB1, WamWordP) X(CP, WamWordP) X(E, WamWordP) \
  X(CS, WamWordP) X(S, WamWordP) X(STAMP, WamWord) X(BCI, WamWordP)             \
  X(LSSA, WamWordP) X(BUFFP, WamWordP)
#define FILLER_WORDS NB_OF_X_REGS

#define TAGS(X)                                                        \
  X(REF, ADDRESS, 0) X(LST, ADDRESS, 1) X(STC, ADDRESS, 2)             \
  X(FLT, ADDRESS, 3) X(FDV, ADDRESS, 4) X(ATM, SHORT_UNS, 5)           \
  X(CHR, SHORT_UNS, 9) X(INT, LONG_INT, 15)
#define EXPECTED_TAG_SIZE 4

#define STACKS(X)                                                                          \
  X(trail, Trail, "trail", "TRAILSZ", 256, TR)                                             \
  X(cstr, Cstr, "constraint trail", "CSTRSZ", 64, CS)                                      \
  X(global, Global, "global stack (heap)", "GLOBALSZ", 2048, H)                            \
  X(local, Local, "local stack (environments and choice points)", "LOCALSZ", 1024, Local_Top)
