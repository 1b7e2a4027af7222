#include "distinct_outputs.h"

#include <cstdio>

#include "file_place.h"
#include "headers.h"
#include "messages.h"

namespace pl_config {

namespace {

struct Extra {
  const char* option;
  const char* path;
};

// Where `path` leads; false when it cannot be resolved.
bool found(const char* path, platform::Place& place) { return path != nullptr && platform::resolve(path, place); }

void refuse(CommandLine& line, const Extra& extra, const char* what, const char* path) {
  std::snprintf(line.error, sizeof line.error, entry_of(Message::same_output_file).text, extra.option, extra.path, what,
                path);
  line.command = Command::usage_error;
}

}  // namespace

void check_distinct_outputs(CommandLine& line) {
  const Options& options = line.options;
  if (line.command != Command::run || options.check) return;
  const Extra extras[] = {{"debugger-script", options.debugger_script}, {"summary", options.summary}};
  for (std::size_t i = 0; i < std::size(extras); ++i) {
    platform::Place extra, other;
    // A device or a pipe is written where it is and overwrites no file.
    if (!found(extras[i].path, extra) || (extra.exists() && extra.kind != platform::Kind::regular)) continue;
    if (found(options.description, other) && platform::same_file(extra, other))
      return refuse(line, extras[i], "the description", options.description);
    for (const HeaderRow& row : header_rows) {
      char path[platform::path_capacity];
      if (join_path(path, options.output_dir, row.name) && found(path, other) && platform::same_file(extra, other))
        return refuse(line, extras[i], "the header", path);
    }
    for (std::size_t j = 0; j < i; ++j)
      if (found(extras[j].path, other) && platform::same_file(extra, other))
        return refuse(line, extras[i], "the file of --", extras[j].option);
  }
}

}  // namespace pl_config
