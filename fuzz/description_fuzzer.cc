// Feeds arbitrary bytes to the description reader as wam_arch.def.  A fatal
// error is an ordinary outcome; a crash, an overrun or undefined behaviour
// is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fatal_error.h"
#include "reader.h"
#include "run.h"

namespace {

const char* const machine_register_list[] = {"m1", "m2"};

std::FILE* open_null() { return std::fopen("/dev/null", "wb"); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* input = std::tmpfile();
  if (input == nullptr) return 0;
  std::fwrite(data, 1, size, input);
  std::rewind(input);
  std::FILE* arch = open_null();
  pl_config::Run run(machine_register_list);
  run.register_map = open_null();
  run.stack_header = open_null();
  run.public_config = open_null();
  pl_config::DescriptionInput in(input, "wam_arch.def");
  try {
    pl_config::read_description(in, arch, run);
  } catch (const pl_config::FatalError&) {
  }
  for (std::FILE* f : {input, arch, run.register_map, run.stack_header, run.public_config}) std::fclose(f);
  return 0;
}
