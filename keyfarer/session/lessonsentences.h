#pragma once

// The sentences of a lesson body. A sentence ends at a line break (CR, LF or the pair CR LF;
// a run of line breaks ends one sentence) and after a semicolon or a full stop that is
// followed by a space (the space belongs to the ending). The text is read up to its first NUL.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace kf {

// 1 + the number of endings: a text that ends with a line break has one empty sentence more.
size_t CountSentences(std::u16string_view text);

// Where sentence n starts: 0 for sentence 0, otherwise just after the n-th ending; nullopt
// when the text has fewer than n endings.
std::optional<size_t> FindSentence(std::u16string_view text, size_t n);

// Where every sentence starts, sentence 0 first: CountSentences values, FindSentence of each.
std::vector<size_t> SentenceStarts(std::u16string_view text);

} // namespace kf
