#include "content/keyreferencemodel.h"

#include <gtest/gtest.h>

#include <vector>

namespace kf {
namespace {

// A few keys of a US layout: the grave key, A, left Shift and ";" in the main records; Num
// Lock, "/" and "7" on the keypad.
class FakeKeyboard : public KeyReferenceModel
{
public:
    bool MainKey(size_t index, KeyCaps& out) const override { return Get(m_main, index, out); }
    bool KeypadKey(size_t index, KeyCaps& out) const override { return Get(m_pad, index, out); }

private:
    static bool Get(const std::vector<KeyCaps>& keys, size_t i, KeyCaps& out)
    {
        if (i >= keys.size())
            return false;
        out = keys[i];
        return true;
    }
    std::vector<KeyCaps> m_main{{u'`', u'~', KeyCaps::kOrdinary},
                                {u'a', u'A', KeyCaps::kLetter},
                                {160, 0, KeyCaps::kModifier},
                                {u';', u':', KeyCaps::kOrdinary}};
    std::vector<KeyCaps> m_pad{{144, 0, KeyCaps::kModifier}, {u'/', 0, KeyCaps::kOrdinary}, {u'7', 0, KeyCaps::kOrdinary}};
};

TEST(KeyReferences, ExpandByLayoutType)
{
    const FakeKeyboard kb;
    struct Case
    {
        std::u16string_view text;
        uint8_t layoutType;
        std::u16string_view want;
    };
    const Case cases[] = {
        {u"Keys #1 and #101", 0, u"Keys A and a"},      // a letter: capital below 100, small above
        {u"#0 #100 #3#103", 0, u"` ~ ;:"},              // other keys: base below 100, shifted above
        {u"[#2][#4][#104][#999999999999]", 0, u"[][][][]"}, // modifiers and missing keys: nothing
        {u"# #x 100#", 0, u"# #x 100#"},                // "#" without digits stays
        {u"#1#2 #101 #102 #17 #0", 5, u"/7 / 7  "},     // keypad: base, either range
        {u"#01", 0, u"A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandKeyReferences(c.text, c.layoutType, kb), c.want) << std::string(c.text.begin(), c.text.end());
}

} // namespace
} // namespace kf
