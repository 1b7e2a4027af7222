#pragma once

#include <cstddef>
#include <string_view>

#include "bounded_text.h"
#include "description_limits.h"
#include "fixed_table.h"
#include "line_index.h"

namespace pl_config::lsp {

using DocumentUri = BoundedText<limit::document_uri_length>;

// An open document: its URI, its bytes and the starts of its lines, in a
// slot of static storage.
struct Document {
  DocumentUri uri;
  char* bytes = nullptr;
  std::size_t size = 0;
  bool open = false;
  LineIndex lines;

  std::string_view text() const { return {bytes, size}; }
};

// What became of a text: taken, refused (too large, no slot free, not
// open), or, for a document that waits for a slot, nothing to tell or a
// request to open it again.
enum class Stored { done, too_large, no_room, not_open, waits, reopen };

// A document refused for want of a slot, by its URI alone; `asked` once the
// client has been asked to open it again.
struct WaitingDocument {
  DocumentUri uri;
  bool asked = false;
};

// The open documents, each in a slot of limit::document_size bytes: a text
// that does not fit, or a document beyond limit::open_documents, is refused
// and the caller tells the client.  A document refused for want of a slot
// waits, by its URI, until a slot frees and its next change brings it.  One
// table per process: the slots are static storage, touched only as far as
// texts fill them.
class Documents {
 public:
  Documents();
  Documents(const Documents&) = delete;
  Documents& operator=(const Documents&) = delete;

  // Opens `uri` with `text`, or gives it that text if it is open already.
  Stored open(std::string_view uri, std::string_view text);
  // Replaces the bytes [from, to) of the open `uri` with `text`; `from` and
  // `to` are within its text.
  Stored replace(std::string_view uri, std::size_t from, std::size_t to, std::string_view text);
  // Closes `uri`, or forgets it if it waits.
  void close(std::string_view uri);
  // Null when `uri` is not open.
  const Document* find(std::string_view uri) const;
  // Null when `uri` does not wait for a slot.
  WaitingDocument* waiting(std::string_view uri);
  bool has_room() const;

 private:
  Document* find_slot(std::string_view uri);
  void forget(std::string_view uri);

  Document documents_[limit::open_documents];
  FixedTable<WaitingDocument, limit::waiting_documents> waiting_;
};

}  // namespace pl_config::lsp
