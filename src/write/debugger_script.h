#pragma once

#include <string_view>

#include "output.h"
#include "section_writer.h"

namespace pl_config {

// The debugger script: one Python file for gdb and lldb alike.  It holds the
// layout of the description's tags and registers as data, then the commands
// that decode words with it.  A later section of a kind replaces an earlier
// one's data, as its macros would.
class DebuggerScript : public SectionWriter {
 public:
  // Writes the first lines and the data of a description without sections.
  DebuggerScript(Output& out, const char* description);

  void section(const RegsSection& section) override;
  void section(const TagsSection& section) override;
  // After the last section: the commands.
  void end_of_description() override;

 private:
  Output& out_;
};

// `text` as a Python string literal, its quotes included, in plain ASCII.
void put_python_string(Output& out, std::string_view text);

// The commands' Python text, which reads the data written before it: the
// decoding of words, which mirrors the generated macros, and the commands of
// gdb and lldb around it.  It is src/debugger_commands.py, compiled in by
// the build.
extern const char debugger_commands[];

}  // namespace pl_config
