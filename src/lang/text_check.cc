#include "text_check.h"

#include "byte_source.h"
#include "description_check.h"
#include "error.h"
#include "files.h"
#include "output.h"
#include "text_directory.h"

namespace pl_config {

namespace {

// What `pl_config --check` (src/main.cc) sets, colour aside: a consumer
// takes no escape sequences.
constexpr DiagnosticSettings check_settings = {
    .located = true, .color = false, .warnings = true, .werror = false, .keep_going = true, .disabled = 0};

}  // namespace

int check_text(const BuildConfig& config, std::string_view text, const char* name, DiagnosticConsumer& consumer) {
  // The printed messages and the layout report go nowhere: the consumer
  // takes what they are made from.
  static char message_buffer[4 * 1024];
  static char report_buffer[16 * 1024];
  DiscardingSink nowhere;
  Output messages(nowhere, message_buffer);
  Output report(nowhere, report_buffer);
  TextSource source(text);
  const TextDirectory directory(source, name);
  Diagnostics diagnostics(messages, directory, check_settings);
  const ConsumerScope consuming(diagnostics, consumer);
  try {
    return check_description(config, directory, report, diagnostics);
  } catch (const Error& error) {
    diagnostics.error(error);
    return 1;
  }
}

}  // namespace pl_config
