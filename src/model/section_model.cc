#include "section_model.h"

#include <algorithm>
#include <iterator>

#include "ascii.h"

namespace pl_config {

bool is_number(std::string_view filler_value) {
  return !filler_value.empty() && std::all_of(filler_value.begin(), filler_value.end(), is_digit);
}

std::optional<std::int64_t> filler_words(std::string_view prefix) {
  std::int64_t words = 0;
  bool numeric = true;
  for_each_filler_value(prefix, [&](std::string_view value) {
    if (!is_number(value)) {
      numeric = false;
      return;
    }
    std::int64_t number = 0;
    for (const char c : value) number = number * 10 + (c - '0');
    words += number;
  });
  if (!numeric) return std::nullopt;
  return words;
}

UntagForm untag_form(const Tag& tag) {
  if (tag.kind == TagKind::short_uns && tag.value <= 3) return UntagForm::unsigned_shift;
  if (tag.kind == TagKind::address && tag.value == 0) return UntagForm::whole_word;
  return UntagForm::kind_macro;
}

const char* untag_form_word(UntagForm form) {
  constexpr const char* words[] = {"kind_macro", "unsigned_shift", "whole_word"};
  static_assert(std::size(words) == static_cast<std::size_t>(UntagForm::whole_word) + 1);
  return words[static_cast<int>(form)];
}

}  // namespace pl_config
