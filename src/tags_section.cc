#include "tags_section.h"

#include "fatal_error.h"

namespace pl_config {

void generate_tags_section(DescriptionInput&, std::FILE*, Run&) {
  fatal_error("tags sections are not supported yet");
}

}  // namespace pl_config
