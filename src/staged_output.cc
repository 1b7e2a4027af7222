#include "staged_output.h"

#include <cstdio>

namespace pl_config {

bool install_staged_output(StagedOutput& staged, bool write_if_changed) {
  if (staged.temp_path[0] == '\0') return true;
  if (write_if_changed && same_file_contents(staged.temp_path, staged.final_path)) {
    discard_staged_output(staged);
    return true;
  }
  if (!rename_over(staged.temp_path, staged.final_path)) {
    discard_staged_output(staged);
    return false;
  }
  staged.temp_path[0] = '\0';
  return true;
}

void discard_staged_output(StagedOutput& staged) {
  if (staged.temp_path[0] == '\0') return;
  std::remove(staged.temp_path);
  staged.temp_path[0] = '\0';
}

}  // namespace pl_config
