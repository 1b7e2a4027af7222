#pragma once

#include <cstdio>

#include "reader.h"
#include "run.h"

namespace pl_config {

// Reads a tags section up to and including its end line, then writes its
// generated text.
void generate_tags_section(DescriptionInput& in, std::FILE* arch_header, Run& run);

}  // namespace pl_config
