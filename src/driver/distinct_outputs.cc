#include "distinct_outputs.h"

#include <cerrno>
#include <cstdio>

#include "file_place.h"
#include "headers.h"
#include "messages.h"

namespace pl_config {

namespace {

// A file of the run, by what it is to the run; a path that cannot be
// resolved (or a device or pipe, read or written where it is, which
// overwrites no file) takes part in no comparison.
struct Role {
  const char* what = "";    // its role's words: the text of role_description, role_header...
  const char* option = "";  // the option that names it
  const char* path = "";
  bool extra = false;  // one of the extra outputs, named by its option
  platform::Place place;
  bool compared = false;

  void set(const char* role_what, const char* role_option, const char* role_path, bool role_extra) {
    what = role_what;
    option = role_option;
    path = role_path;
    extra = role_extra;
  }
};

constexpr std::size_t role_capacity = 1 + header_count + extra_output_count;

template <typename... Args>
void refuse(CommandLine& line, Message message, Args... args) {
  std::snprintf(line.error, sizeof line.error, entry_of(message).text, args...);
  line.command = Command::usage_error;
}

// Resolves the role's path; false when it names a descriptor the caller
// did not hand over, which can only be one the run opens itself.
bool resolve(Role& role) {
  if (!platform::resolve(role.path, role.place)) return errno != platform::not_a_callers_descriptor;
  role.compared = !role.place.exists() || role.place.kind == platform::Kind::regular;
  return true;
}

// Turns the line into a usage error at the first role that is the same
// file as an earlier one.
void check_same_files(CommandLine& line, Role* roles, std::size_t count) {
  for (std::size_t i = 1; i < count; ++i) {
    for (std::size_t j = 0; j < i && roles[i].compared; ++j) {
      if (!roles[j].compared || !platform::same_file(roles[i].place, roles[j].place)) continue;
      const Role &role = roles[i], &other = roles[j];
      if (role.extra)
        return refuse(line, Message::same_output_file, role.option, role.path, other.what,
                      other.extra ? other.option : other.path);
      return refuse(line, Message::same_role_file, role.what, role.path, other.what, other.path);
    }
  }
}

}  // namespace

void check_distinct_outputs(CommandLine& line) {
  const Options& options = line.options;
  if (line.command != Command::run || options.check) return;
  Role roles[role_capacity];
  char header_paths[header_count][platform::path_capacity];
  roles[0].set(entry_of(Message::role_description).text, "description", options.description, false);
  std::size_t count = 1;
  for (std::size_t i = 0; i < header_count; ++i)
    if (join_path(header_paths[i], options.output_dir, header_rows[i].name))
      roles[count++].set(entry_of(Message::role_header).text, "output-dir", header_paths[i], false);
  for (const ExtraOutputRow& row : extra_output_rows)
    if (options.extra_outputs[row.id] != nullptr)
      roles[count++].set(entry_of(Message::role_extra_output).text, row.option, options.extra_outputs[row.id], true);
  for (std::size_t i = 0; i < count; ++i)
    if (!resolve(roles[i]))
      return refuse(line, Message::not_a_callers_descriptor, roles[i].option, roles[i].path,
                    entry_of(Message::not_handed_over).text);
  check_same_files(line, roles, count);
}

}  // namespace pl_config
