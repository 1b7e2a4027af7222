#pragma once

#include <cstdarg>
#include <exception>
#include <string_view>

#include "bounded_text.h"
#include "location.h"
#include "messages.h"

namespace pl_config {

// The one error path of the tool.  fail() throws it; a run ends with it
// (main() writes it and exits with status 1, which flushes whatever the
// output files already hold), while a check reports an error in a line and
// goes on with the next.  The message lives in the exception itself: the longest is a quoted
// 511-byte line and a short text.  What a located message shows besides
// (the line, the word and the words that would have been right, a note at
// another line) is kept apart from the message, which stays as a plain run
// writes it.
class Error : public std::exception {
 public:
  static constexpr int capacity = 1024;
  using LineText = BoundedText<1023>;
  using WordList = BoundedText<127>;
  using Word = BoundedText<63>;

  // The message's printf format filled with `args`; a syntax error that
  // quotes no line.
  Error(Message id, Location at, std::va_list args);
  // A syntax error, quoting `line`.
  Error(Message id, Location at, const char* line);

  const char* what() const noexcept override { return message_; }
  // The message whose words the located form shows.
  Message id() const { return id_; }
  // The message of what(), which a plain run writes.
  Message plain_id() const { return plain_id_; }
  // The located form shows the words of `located`, a more exact wording of
  // the same error, its format filled with the arguments; what() keeps the
  // plain message.
  void reword(Message located, ...);
  // Empty unless reworded.
  std::string_view located_text() const { return located_.view(); }
  // The description's line the error is about, counted from 1; 0 for none.
  int line() const { return at_.line; }
  Location location() const { return at_; }
  // The errno of the failed call, for an error about a file.
  int system_error() const { return errno_; }

  // The text of the line it is about, as far as it is known.
  const LineText& source_line() const { return source_; }
  void set_source_line(std::string_view text);
  // A word that is not one of `choices` ("a, b, c"), or a number and the
  // bound it must keep to.
  std::string_view word() const { return word_.view(); }
  const WordList& choices() const { return choices_; }
  void set_word(std::string_view word) { word_.assign(word.substr(0, Word::capacity)); }
  void add_choice(std::string_view choice);
  // Another line that explains the error; note_text is null for none.
  const char* note_text() const { return note_text_; }
  Message note_id() const { return note_id_; }
  Location note_location() const { return note_at_; }
  void set_note(Message note, Location at) {
    note_id_ = note;
    note_text_ = entry_of(note).text;
    note_at_ = at;
  }

 private:
  char message_[capacity] = "";
  Message id_;
  Message plain_id_;
  BoundedText<255> located_;
  Location at_;
  int errno_ = 0;
  LineText source_;
  Word word_;
  WordList choices_;
  Message note_id_ = Message::first_declared_here;
  const char* note_text_ = nullptr;
  Location note_at_;
};

// The error of message `id` at `at`, its printf format filled with the
// arguments.
Error make_error(Message id, Location at, ...);
// Throws the error of the message `id`, its printf format filled with the
// arguments.
[[noreturn]] void fail(Message id, ...);

}  // namespace pl_config
