#pragma once

#include "diagnostics.h"
#include "files.h"
#include "output.h"
#include "pl_config.h"
#include "report_format.h"

namespace pl_config {

// Reads and checks the description as a run does, with the same reader and
// so the same errors in the same order, but hands each section to the layout
// report and the warnings instead of the headers: no file is created or
// touched.  The report goes to `report` instead of the installation summary.
// An error in a line is reported and the check goes on with the next line,
// up to the error limit; returns the exit status.  An error that ends the
// reading (a file that cannot be read) throws Error.  The name of the
// `debugger_script` of the command line, if any, is checked first, so that
// every diagnostic of the check is in the JSON report.
int check_description(const BuildConfig& config, const Directory& directory, Output& report, Diagnostics& diagnostics,
                      ReportFormat format = ReportFormat::text, const char* debugger_script = nullptr);

}  // namespace pl_config
