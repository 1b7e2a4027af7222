/* Client code: sees the public configuration header only. */
#include "th_public_config.h"

int client_version(void) { return __TARNHOL_VERSION__; }

long client_max_integer(void) { return PL_MAX_INTEGER; }
