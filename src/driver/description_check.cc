#include "description_check.h"

#include "error.h"
#include "json_report.h"
#include "layout_report.h"
#include "layout_warnings.h"
#include "reader.h"
#include "section_writer.h"

namespace pl_config {

namespace {

// The sections go to the warnings before the report: the JSON report takes
// each section's warnings from them.  An error ends the line or section it is
// in, up to the error limit.
void read_into(const Directory& directory, MachineRegisters& machine_registers, LayoutWarnings& warnings,
               SectionWriter& report, Diagnostics& diagnostics) {
  SectionWriter* const writers[] = {&warnings, &report};
  WriterList writer(writers);
  // The ordinary lines are read as a run reads them, and go nowhere.
  static char copy_buffer[16 * 1024];
  DiscardingSink nowhere;
  Output nowhere_output(nowhere, copy_buffer);
  DescriptionCopy copy(nowhere_output);
  DescriptionInput in(directory.open_description(), directory.description());
  try {
    read_description(in, copy, machine_registers, writer, &diagnostics);
  } catch (const ReadingStopped&) {
    diagnostics.note_limit();
  }
}

}  // namespace

int check_description(const BuildConfig& config, const Directory& directory, Output& report,
                      Diagnostics& diagnostics, ReportFormat format) {
  // A version the macros cannot hold fails a run before its description.
  check_version(config);
  MachineRegisters machine_registers(config.machine_register_list);
  LayoutWarnings layout_warnings(diagnostics, config.processor);
  if (format == ReportFormat::json) {
    JsonReport json_report(report, directory.description(), layout_warnings);
    read_into(directory, machine_registers, layout_warnings, json_report, diagnostics);
    if (diagnostics.errors() == 0) json_report.finish();
  } else {
    LayoutReport layout_report(report);
    read_into(directory, machine_registers, layout_warnings, layout_report, diagnostics);
    if (diagnostics.errors() == 0) layout_report.finish();
  }
  if (!report.flush()) fail(Message::cannot_write_standard_output);
  return diagnostics.errors() == 0 ? 0 : 1;
}

}  // namespace pl_config
