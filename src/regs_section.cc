#include "regs_section.h"

#include "fatal_error.h"

namespace pl_config {

void generate_regs_section(DescriptionInput&, std::FILE*, Run&) {
  fatal_error("regs sections are not supported yet");
}

}  // namespace pl_config
