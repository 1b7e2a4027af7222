#include "description_check.h"

#include "fatal_error.h"
#include "layout_report.h"
#include "layout_warnings.h"
#include "null_sink.h"
#include "reader.h"
#include "run.h"

namespace pl_config {

namespace {

// The warnings and the report both see every section.
class CheckObserver : public LayoutObserver {
 public:
  CheckObserver(LayoutWarnings& warnings, LayoutReport& report) : warnings_(warnings), report_(report) {}

  void regs_section(const RegsSection& section) override {
    warnings_.regs_section(section);
    report_.regs_section(section);
  }
  void tags_section(const TagsSection& section) override {
    warnings_.tags_section(section);
    report_.tags_section(section);
  }
  void stacks_section(const StacksSection& section) override {
    warnings_.stacks_section(section);
    report_.stacks_section(section);
  }

 private:
  LayoutWarnings& warnings_;
  LayoutReport& report_;
};

}  // namespace

int check_description(const BuildConfig& config, const Directory& directory, std::FILE* report,
                      std::FILE* warnings) {
  const NullSink sink;
  Run run(config.machine_register_list);
  run.register_map = run.stack_header = run.public_config = sink.stream();
  LayoutWarnings layout_warnings(warnings, directory.description());
  LayoutReport layout_report(report);
  CheckObserver observer(layout_warnings, layout_report);
  run.observer = &observer;

  // A version the macros cannot hold fails a run before its description.
  write_version_macros(sink.stream(), config);
  const InputFile description(directory);
  DescriptionInput in(description.stream(), description.name());
  read_description(in, sink.stream(), run);

  layout_report.finish();
  if (std::fflush(report) != 0 || std::ferror(report)) fatal_error("cannot write standard output");
  return 0;
}

}  // namespace pl_config
