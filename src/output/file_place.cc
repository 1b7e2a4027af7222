#include "file_place.h"

#include <cstring>

namespace pl_config::platform {

char owner_refusal[owner_refusal_capacity] = "";

const char* error_text(int error) {
  switch (error) {
    case others_link_in_shared_directory: return "another user's link in a shared directory";
    case others_file_in_shared_directory: return "owned by another user in a shared directory";
    case not_a_text_source: return "not a regular file, a pipe or the terminal of standard input";
    case changed_while_opened: return "replaced while it was opened";
    case unread_fifo: return "a FIFO that nobody reads";
    case others_link_to_others_file: return owner_refusal;
    case not_a_callers_descriptor: return "not a descriptor that the caller handed over";
    default: return std::strerror(error);
  }
}

}  // namespace pl_config::platform
