#include "session/keyreceiver.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(KeyReceiver, CharactersOfEachEvent)
{
    struct Case
    {
        const char* what;
        KeyInput input;
        std::u16string judged;
    };
    const Case cases[] = {
        {"letter", {ReceivedKey::Text, u"a", false}, u"a"},
        {"shifted", {ReceivedKey::Text, u"A", false}, u"A"},
        {"AltGr", {ReceivedKey::Text, u"\u20AC", false}, u"\u20AC"},
        {"dead key composed", {ReceivedKey::Text, u"\u00E9", false}, u"\u00E9"},
        {"dead key then a letter it cannot take", {ReceivedKey::Text, u"`q", false}, u"`q"},
        {"input-method commit", {ReceivedKey::Text, u"\u4F60\u597D", false}, u"\u4F60\u597D"},
        {"backspace", {ReceivedKey::Backspace, u"\b", false}, u"\b"},
        {"enter", {ReceivedKey::Enter, u"\r", false}, u"\r"},
        {"keypad enter without text", {ReceivedKey::Enter, u"", false}, u"\r"},
        {"escape", {ReceivedKey::Escape, u"\x1b", false}, u"\x1b"},
        {"tab", {ReceivedKey::Tab, u"\t", false}, u"\t"},
        {"shift alone", {ReceivedKey::Other, u"", false}, u""},
        {"shortcut", {ReceivedKey::Text, u"\x01", true}, u""},
        {"ctrl with a printable text", {ReceivedKey::Text, u"1", true}, u""},
        {"control character in a text", {ReceivedKey::Text, u"a\x7f" u"b\x02", false}, u"ab"},
        {"line breaks of a commit", {ReceivedKey::Text, u"a\r\nb\nc", false}, u"a\rb\rc"},
        {"whole surrogate pair", {ReceivedKey::Text, u"\U0001F600", false}, u"\U0001F600"},
        {"stray second half", {ReceivedKey::Text, u"\xDE00" u"a", false}, u"a"},
    };
    for (const auto& c : cases) {
        KeyReceiver r;
        EXPECT_EQ(r.Receive(c.input), c.judged) << c.what;
        EXPECT_FALSE(r.HoldsHalfCharacter()) << c.what;
    }
}

TEST(KeyReceiver, HalfCharacterWaitsForItsSecondHalf)
{
    const std::u16string pair = u"\U0001F600";
    KeyReceiver r;
    EXPECT_EQ(r.Receive({ReceivedKey::Text, std::u16string(u"x") + pair[0], false}), u"x");
    EXPECT_TRUE(r.HoldsHalfCharacter());
    EXPECT_EQ(r.Receive({ReceivedKey::Text, std::u16string(1, pair[1]) + u"y", false}), pair + u"y");

    // A key of another kind drops the held half, as does a text that does not complete it.
    EXPECT_EQ(r.Receive({ReceivedKey::Text, std::u16string(1, pair[0]), false}), u"");
    EXPECT_EQ(r.Receive({ReceivedKey::Backspace, u"", false}), u"\b");
    EXPECT_EQ(r.Receive({ReceivedKey::Text, std::u16string(1, pair[1]), false}), u"");
    EXPECT_EQ(r.Receive({ReceivedKey::Text, std::u16string(1, pair[0]), false}), u"");
    EXPECT_EQ(r.Receive({ReceivedKey::Text, u"z", false}), u"z");
    EXPECT_FALSE(r.HoldsHalfCharacter());
}

} // namespace
} // namespace kf
