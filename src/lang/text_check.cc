#include "text_check.h"

#include "byte_source.h"
#include "description_check.h"
#include "error.h"
#include "files.h"
#include "output.h"

namespace pl_config {

namespace {

// The description is the text in memory, read again from there for the
// lines that messages show; a check opens no header.
class TextDirectory : public Directory {
 public:
  TextDirectory(std::string_view text, const char* name) : Directory(name), source_(text) {}

  ByteSource& open_description() const override {
    opened_ = true;
    return source_;
  }
  ByteSource* opened_description() const override { return opened_ ? &source_ : nullptr; }
  Sink* open_header(const char*, StagedOutput&) const override { return nullptr; }

 private:
  mutable TextSource source_;
  mutable bool opened_ = false;
};

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
  const TextDirectory directory(text, name);
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
