#pragma once

#include <cstdio>

#include "reader.h"
#include "run.h"

namespace pl_config {

// Reads a stacks section up to and including its end line, then writes its
// generated text.
void generate_stacks_section(DescriptionInput& in, std::FILE* arch_header, Run& run);

}  // namespace pl_config
