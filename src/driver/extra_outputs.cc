#include "extra_outputs.h"

#include "debugger_script.h"

namespace pl_config {

namespace {

template <typename Writer>
SectionWriter& start(WriterSlot& slot, Output& out, const char* description) {
  return slot.make<Writer>(out, description);
}

char script_buffer[64 * 1024];
char summary_buffer[4 * 1024];

}  // namespace

const ExtraOutputRow extra_output_rows[extra_output_count] = {
    {ExtraOutput::debugger_script, script_buffer, start<DebuggerScript>},
    {ExtraOutput::summary, summary_buffer, nullptr},
};

}  // namespace pl_config
