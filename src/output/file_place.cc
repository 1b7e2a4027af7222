#include "file_place.h"

#include <cstring>

#include "messages.h"

namespace pl_config::platform {

char owner_refusal[owner_refusal_capacity] = "";

const char* error_text(int error) {
  switch (error) {
    case others_link_in_shared_directory: return entry_of(Message::others_link_in_shared_directory).text;
    case others_file_in_shared_directory: return entry_of(Message::others_file_in_shared_directory).text;
    case not_a_text_source: return entry_of(Message::not_a_text_source).text;
    case changed_while_opened: return entry_of(Message::changed_while_opened).text;
    case unread_fifo: return entry_of(Message::unread_fifo).text;
    case others_link_to_others_file: return owner_refusal;
    case not_a_callers_descriptor: return entry_of(Message::not_handed_over).text;
    default: return std::strerror(error);
  }
}

}  // namespace pl_config::platform
