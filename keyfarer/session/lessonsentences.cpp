#include "session/lessonsentences.h"

#include "platform/utf.h"

namespace kf {
namespace {

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Calls onEnding(position after the ending) for each ending in order; stops when it returns
// false.
template <typename F>
void ForEachEnding(std::u16string_view text, F onEnding)
{
    text = UpToNul(text);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
        if (IsLineBreak(c)) {
            if (!IsLineBreak(next) && !onEnding(i + 1))
                return;
        } else if ((c == u'.' || c == u';') && next == u' ') {
            ++i;
            if (!onEnding(i + 1))
                return;
        }
    }
}

} // namespace

std::vector<size_t> SentenceStarts(std::u16string_view text)
{
    std::vector<size_t> starts{0};
    ForEachEnding(text, [&](size_t after) {
        starts.push_back(after);
        return true;
    });
    return starts;
}

size_t CountSentences(std::u16string_view text)
{
    size_t endings = 0;
    ForEachEnding(text, [&](size_t) {
        ++endings;
        return true;
    });
    return endings + 1;
}

std::optional<size_t> FindSentence(std::u16string_view text, size_t n)
{
    if (n == 0)
        return 0;
    std::optional<size_t> found;
    size_t seen = 0;
    ForEachEnding(text, [&](size_t after) {
        if (++seen < n)
            return true;
        found = after;
        return false;
    });
    return found;
}

} // namespace kf
