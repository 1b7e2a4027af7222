#include "file_place.h"

#include <cstring>

namespace pl_config::platform {

const char* error_text(int error) {
  switch (error) {
    case others_link_in_shared_directory: return "another user's link in a shared directory";
    case others_file_in_shared_directory: return "owned by another user in a shared directory";
    case not_a_text_source: return "not a regular file, a pipe or a terminal";
    case changed_while_opened: return "replaced while it was opened";
    case unread_fifo: return "a FIFO that nobody reads";
    default: return std::strerror(error);
  }
}

}  // namespace pl_config::platform
