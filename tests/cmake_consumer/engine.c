/* Defines the generated tables and uses the architecture header. */
#define ENGINE_FILE
#include "th_config.h"
#include "wam_regs.h"

int engine_nb_of_tags(void) { return NB_OF_TAGS + CONSUMER_ARCH + NB_USED_MACHINE_REGS; }

const char *engine_first_tag(void) { return pl_tag_tbl[0].name; }
