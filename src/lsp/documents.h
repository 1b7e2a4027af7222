#pragma once

#include <cstddef>
#include <string_view>

#include "bounded_text.h"
#include "description_limits.h"

namespace pl_config::lsp {

using DocumentUri = BoundedText<limit::document_uri_length>;

// An open document: its URI and its bytes, in a slot of static storage.
struct Document {
  DocumentUri uri;
  char* bytes = nullptr;
  std::size_t size = 0;
  bool open = false;

  std::string_view text() const { return {bytes, size}; }
};

enum class Stored { done, too_large, no_room, not_open };

// The open documents, each in a slot of limit::document_size bytes: a text
// that does not fit, or a document beyond limit::open_documents, is refused
// and the caller tells the client.  One table per process: the slots are
// static storage, touched only as far as texts fill them.
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
  void close(std::string_view uri);
  // Null when `uri` is not open.
  const Document* find(std::string_view uri) const;

 private:
  Document* find_slot(std::string_view uri);

  Document documents_[limit::open_documents];
};

}  // namespace pl_config::lsp
