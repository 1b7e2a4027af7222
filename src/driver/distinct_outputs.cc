#include "distinct_outputs.h"

#include <cstdio>

#include "file_place.h"
#include "headers.h"
#include "messages.h"

namespace pl_config {

namespace {

// Where `path` leads; false when it cannot be resolved.
bool found(const char* path, platform::Place& place) { return path != nullptr && platform::resolve(path, place); }

void refuse(CommandLine& line, ExtraOutput extra, const char* what, const char* path) {
  std::snprintf(line.error, sizeof line.error, entry_of(Message::same_output_file).text, row_of(extra).option,
                line.options.extra_outputs[extra], what, path);
  line.command = Command::usage_error;
}

}  // namespace

void check_distinct_outputs(CommandLine& line) {
  const Options& options = line.options;
  if (line.command != Command::run || options.check) return;
  const ExtraPaths& extras = options.extra_outputs;
  for (std::size_t i = 0; i < extra_output_count; ++i) {
    const ExtraOutput id = extra_output_rows[i].id;
    platform::Place extra, other;
    // A device or a pipe is written where it is and overwrites no file.
    if (!found(extras[id], extra) || (extra.exists() && extra.kind != platform::Kind::regular)) continue;
    if (found(options.description, other) && platform::same_file(extra, other))
      return refuse(line, id, "the description", options.description);
    for (const HeaderRow& row : header_rows) {
      char path[platform::path_capacity];
      if (join_path(path, options.output_dir, row.name) && found(path, other) && platform::same_file(extra, other))
        return refuse(line, id, "the header", path);
    }
    for (std::size_t j = 0; j < i; ++j)
      if (found(extras[extra_output_rows[j].id], other) && platform::same_file(extra, other))
        return refuse(line, id, "the file of --", extra_output_rows[j].option);
  }
}

}  // namespace pl_config
