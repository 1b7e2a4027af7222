// Throughput of the description reader on a large description: long runs of
// ordinary lines and many sections.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "header_writer.h"
#include "output.h"
#include "reader.h"

namespace {

std::string large_description(int sections) {
  std::string text;
  for (int i = 0; i < sections; ++i) {
    for (int j = 0; j < 50; ++j) text += "/* an ordinary line of the description, copied as it stands */\n";
    text += "@begin regs\n@filler 2\n";
    for (int r = 0; r < 40; ++r) text += "@reg " + std::to_string(r % 10) + " WamWord R" + std::to_string(r) + "\n";
    text += "@end\n@begin tags\n@tag REF address 0\n@tag LST address 1\n@tag INT long_int 7\n@end\n";
    text += "@begin stacks\n@stack trail \"trail\" 1_024 TR\n@stack global \"heap\" 4096 H\n@end\n";
  }
  return text;
}

// Every header into one output.
struct OneOutput : pl_config::HeaderOutputs {
  explicit OneOutput(pl_config::Output& out) : all(out) {}
  pl_config::Output& out(pl_config::HeaderRole) override { return all; }
  pl_config::Output& all;
};

void BM_ReadDescription(benchmark::State& state) {
  const std::string text = large_description(static_cast<int>(state.range(0)));
  static char buffer[128 * 1024];
  pl_config::DiscardingSink nowhere;
  pl_config::Output out(nowhere, buffer);
  for (auto _ : state) {
    pl_config::TextSource input(text);
    pl_config::MachineRegisters machine_registers({});
    OneOutput headers(out);
    pl_config::HeaderWriter writer(headers);
    pl_config::DescriptionCopy copy(out);
    pl_config::DescriptionInput in(input, "wam_arch.def");
    pl_config::read_description(in, copy, machine_registers, writer);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadDescription)->Arg(1)->Arg(100);

}  // namespace

BENCHMARK_MAIN();
