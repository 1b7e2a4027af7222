/* The engine's base types, as far as the generated headers use them:
 * wam_regs.h includes this file, and the checker includes it first. */

#ifndef TH_CONFIG_H
#define TH_CONFIG_H

#include <stdint.h>

typedef int64_t PlLong;
typedef uint64_t PlULong;
typedef PlLong WamWord;
typedef WamWord *WamWordP;

#endif
