#include "description_check.h"

#include "error.h"
#include "json_report.h"
#include "layout_report.h"
#include "layout_warnings.h"
#include "reader.h"
#include "script_name.h"
#include "section_writer.h"

namespace pl_config {

namespace {

// An error ends the line or section it is in, up to the error limit; one
// that ends the reading (a file that cannot be read) ends the check.
void read_into(const BuildConfig& config, const Directory& directory, MachineRegisters& machine_registers,
               SectionWriter& writer, LayoutWarnings& warnings, Diagnostics& diagnostics) {
  // The ordinary lines are read as a run reads them, and go nowhere.
  static char copy_buffer[16 * 1024];
  DiscardingSink nowhere;
  Output nowhere_output(nowhere, copy_buffer);
  DescriptionCopy copy(nowhere_output);
  try {
    // A version the macros cannot hold fails a run before its description.
    check_version(config);
    DescriptionInput in(directory.open_description(), directory.description());
    read_description(in, copy, machine_registers, writer, &diagnostics, &warnings);
  } catch (const ReadingStopped&) {
    diagnostics.note_limit();
  } catch (const Error& error) {
    diagnostics.error(error);
  }
}

}  // namespace

// The sections go to the warnings before the report, so that a section's
// warnings come before it in the JSON report, as they do on standard error;
// a section with an error goes to the warnings alone.
int check_description(const BuildConfig& config, const Directory& directory, Output& report, Diagnostics& diagnostics,
                      ReportFormat format, const char* debugger_script) {
  MachineRegisters machine_registers(config.machine_register_list);
  LayoutWarnings layout_warnings(diagnostics, config.processor);
  if (format == ReportFormat::json) {
    JsonReport json_report(report, config.version, directory.description());
    const ConsumerScope consuming(diagnostics, json_report);
    if (debugger_script != nullptr) warn_about_script_name(diagnostics, debugger_script);
    read_into(config, directory, machine_registers, json_report, layout_warnings, diagnostics);
    json_report.finish(machine_registers, diagnostics);
  } else {
    LayoutReport layout_report(report);
    if (debugger_script != nullptr) warn_about_script_name(diagnostics, debugger_script);
    read_into(config, directory, machine_registers, layout_report, layout_warnings, diagnostics);
    if (diagnostics.errors() == 0) layout_report.finish();
  }
  if (!report.flush()) fail(Message::cannot_write_standard_output);
  return diagnostics.errors() == 0 ? 0 : 1;
}

}  // namespace pl_config
