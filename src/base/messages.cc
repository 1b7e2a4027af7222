#include "messages.h"

#include <iterator>

namespace pl_config {

using enum MessageKind;

constexpr MessageEntry message_table[] = {
#define PL_CONFIG_MESSAGE_ENTRY(name, kind, text, warning_name) {Message::name, kind, text, warning_name},
    PL_CONFIG_MESSAGES(PL_CONFIG_MESSAGE_ENTRY)
#undef PL_CONFIG_MESSAGE_ENTRY
};

const std::size_t message_count = std::size(message_table);

const MessageEntry& entry_of(Message id) { return message_table[static_cast<std::size_t>(id)]; }

}  // namespace pl_config
