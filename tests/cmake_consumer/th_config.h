/* What the engine's sources include: the generated headers, and the word
   types that the generated macros and tables use. */
#ifndef TH_CONFIG_H
#define TH_CONFIG_H

typedef long PlLong;
typedef unsigned long PlULong;
typedef PlLong WamWord;

#include "th_public_config.h"
#include "wam_arch.h"

#endif
