#include "stacks_section.h"

#include "fatal_error.h"

namespace pl_config {

void generate_stacks_section(DescriptionInput&, std::FILE*, Run&) {
  fatal_error("stacks sections are not supported yet");
}

}  // namespace pl_config
