#include "description_check.h"

#include "fatal_error.h"
#include "layout_report.h"
#include "layout_warnings.h"
#include "reader.h"
#include "section_writer.h"

namespace pl_config {

int check_description(const BuildConfig& config, const Directory& directory, Output& report,
                      Diagnostics& diagnostics) {
  // A version the macros cannot hold fails a run before its description.
  check_version(config);
  MachineRegisters machine_registers(config.machine_register_list);
  LayoutWarnings layout_warnings(diagnostics);
  LayoutReport layout_report(report);
  SectionWriter* const writers[] = {&layout_warnings, &layout_report};
  WriterList writer(writers);

  // The ordinary lines are read as a run reads them, and go nowhere.
  static char copy_buffer[16 * 1024];
  DiscardingSink nowhere;
  Output nowhere_output(nowhere, copy_buffer);
  DescriptionCopy copy(nowhere_output);
  const InputFile description(directory);
  DescriptionInput in(description.stream(), description.name());
  try {
    read_description(in, copy, machine_registers, writer, &diagnostics);
  } catch (const ReadingStopped&) {
    diagnostics.note_limit();
  }

  if (diagnostics.errors() == 0) layout_report.finish();
  if (!report.flush()) fatal_error(Message::cannot_write_standard_output);
  return diagnostics.errors() == 0 ? 0 : 1;
}

}  // namespace pl_config
