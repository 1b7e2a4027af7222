#include "documents.h"

#include <algorithm>
#include <cstring>

namespace pl_config::lsp {

namespace {

char storage[limit::open_documents][limit::document_size];
// A text of N bytes has at most N + 1 lines.
LineIndex::Offset line_storage[limit::open_documents][limit::document_size + 1];

}  // namespace

Documents::Documents() {
  for (std::size_t i = 0; i < limit::open_documents; ++i) {
    documents_[i].bytes = storage[i];
    documents_[i].lines = LineIndex(line_storage[i]);
  }
}

Document* Documents::find_slot(std::string_view uri) {
  for (Document& document : documents_)
    if (document.open && document.uri.view() == uri) return &document;
  return nullptr;
}

const Document* Documents::find(std::string_view uri) const { return const_cast<Documents*>(this)->find_slot(uri); }

WaitingDocument* Documents::waiting(std::string_view uri) {
  const auto found =
      std::ranges::find_if(waiting_, [&](const WaitingDocument& each) { return each.uri.view() == uri; });
  return found == waiting_.end() ? nullptr : found;
}

bool Documents::has_room() const {
  return std::ranges::any_of(documents_, [](const Document& document) { return !document.open; });
}

// A document refused for want of a slot waits for one, as many as the
// table of waiting ones holds.
Stored Documents::open(std::string_view uri, std::string_view text) {
  if (text.size() > limit::document_size || !DocumentUri::fits(uri)) return Stored::too_large;
  Document* document = find_slot(uri);
  for (Document& free : documents_)
    if (document == nullptr && !free.open) document = &free;
  if (document == nullptr) {
    if (waiting(uri) == nullptr && !waiting_.full()) waiting_.add().uri.assign(uri);
    return Stored::no_room;
  }
  forget(uri);
  document->uri.assign(uri);
  std::memcpy(document->bytes, text.data(), text.size());
  document->size = text.size();
  document->open = true;
  document->lines.build(document->text());
  return Stored::done;
}

// The bytes after the replaced ones move in place to where the new text
// ends: no second copy of the document.
Stored Documents::replace(std::string_view uri, std::size_t from, std::size_t to, std::string_view text) {
  Document* document = find_slot(uri);
  if (document == nullptr) return Stored::not_open;
  to = std::min(to, document->size);
  from = std::min(from, to);
  const std::size_t kept = document->size - (to - from);
  if (text.size() > limit::document_size - kept) return Stored::too_large;
  std::memmove(document->bytes + from + text.size(), document->bytes + to, document->size - to);
  std::memcpy(document->bytes + from, text.data(), text.size());
  document->size = kept + text.size();
  document->lines.replace(from, to, text);
  return Stored::done;
}

void Documents::close(std::string_view uri) {
  if (Document* document = find_slot(uri)) document->open = false;
  forget(uri);
}

void Documents::forget(std::string_view uri) {
  if (WaitingDocument* waited = waiting(uri)) {
    *waited = waiting_[waiting_.size() - 1];
    waiting_.truncate(waiting_.size() - 1);
  }
}

}  // namespace pl_config::lsp
