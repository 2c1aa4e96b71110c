#include "keyboard/keyboardmodel.h"

#include "content/layoutsource.h"
#include "keyboard/scancodes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kf {
namespace {

// A shipped layout, compiled from its readable source.
bool LoadShipped(CKeyboardModel& model, const std::string& name)
{
    std::ifstream in(std::string(KF_SOURCE_DIR) + "/datasrc/layouts/" + name + ".txt");
    std::stringstream text;
    text << in.rdbuf();
    Bytes image;
    std::string error;
    if (!CompileLayoutSource(text.str(), image, error)) {
        ADD_FAILURE() << name << ": " << error;
        return false;
    }
    return model.LoadLayoutImage(image, true);
}

KeyRef Main(const CKeyboardModel& m, char16_t base)
{
    for (size_t i = 0; i < m.MainKeyCount(); ++i)
        if (m.MainKey(i)->Base() == base)
            return {false, static_cast<int>(i)};
    return {};
}

std::vector<KeyRef> MarkedKeys(const CKeyboardModel& m)
{
    std::vector<KeyRef> out;
    for (const KeyRef& k : m.VisibleKeys())
        if (m.IsMarked(k))
            out.push_back(k);
    return out;
}

class KeyboardModelTest : public ::testing::Test
{
protected:
    void SetUp() override { model.SetGeometry(KeyboardGeometry{}); } // W 38, H 38, G 4, V 4
    CKeyboardModel model;
};

TEST_F(KeyboardModelTest, ShapesOfTheUsBlock)
{
    ASSERT_TRUE(LoadShipped(model, "US"));
    const int W = 38, H = 38, G = 4, V = 4;
    EXPECT_EQ(model.BlockWidth(), 15 * W + 14 * G);
    EXPECT_EQ(model.BlockHeight(), 5 * H + 5 * V);
    // Row 1 is fifteen keys filling the block.
    EXPECT_EQ(model.Shape(Main(model, u'`')).left, 0);
    EXPECT_EQ(model.Shape(Main(model, vk::Backspace)).Right(), 15 * W + 14 * G);
    // Tab is one and a half keys; Caps Lock two; Shift two and a half; space seven.
    EXPECT_EQ(model.Shape(Main(model, vk::Tab)).width, W + (W + G) / 2);
    EXPECT_EQ(model.Shape(Main(model, vk::CapsLock)).width, 2 * W + G);
    EXPECT_EQ(model.Shape(Main(model, vk::LeftShift)).width, 5 * W / 2 + 3 * G / 2);
    const KeyShape space = model.Shape(Main(model, vk::Space));
    EXPECT_EQ(space.width, 7 * W + 6 * G);
    EXPECT_EQ(space.top, 4 * (H + V));
    // The two-row Enter (73) ends at the block's edge, reaches into row 3 and leaves the
    // half key left of its upper part to row 2's last key.
    const KeyShape enter = model.Shape(Main(model, vk::Enter));
    EXPECT_EQ(enter.Right(), 15 * W + 14 * G);
    EXPECT_EQ(enter.width, 2 * W + G);
    EXPECT_EQ(enter.height, 2 * H + V);
    EXPECT_FALSE(enter.Contains(enter.left + 2, enter.top + 2));
    EXPECT_TRUE(enter.Contains(enter.left + 2, enter.top + H + V + 2));
    EXPECT_EQ(model.KeyAt(enter.left + 2, enter.top + 2), Main(model, u']'));
    // Row 3 ends where the Enter's lower part begins.
    EXPECT_EQ(model.Shape(Main(model, u'\'')).Right() + G, enter.left);
}

TEST_F(KeyboardModelTest, IsoEnterOfTheGermanBlock)
{
    ASSERT_TRUE(LoadShipped(model, "German"));
    const int W = 38, H = 38, G = 4, V = 4;
    const KeyShape enter = model.Shape(Main(model, vk::Enter));
    EXPECT_EQ(enter.width, (3 * W + G) / 2);
    EXPECT_EQ(enter.Right(), 15 * W + 14 * G);
    // The lower part is half a key narrower; the # key of row 3 sits in front of it.
    EXPECT_TRUE(enter.Contains(enter.left + 2, enter.top + 2));
    EXPECT_FALSE(enter.Contains(enter.left + 2, enter.top + H + V + 2));
    EXPECT_EQ(model.Shape(Main(model, u'#')).Right() + G, enter.left + (W + G) / 2);
    EXPECT_EQ(model.KeyAt(enter.left + 2, enter.top + H + V + 2), Main(model, u'#'));
}

TEST_F(KeyboardModelTest, KeypadCells)
{
    model.SetViewKind(KeyboardViewKind::Keypad);
    const int W = 38, H = 38, G = 4, V = 4;
    EXPECT_EQ(model.BlockWidth(), 4 * W + 3 * G);
    EXPECT_EQ(model.VisibleKeys().size(), 17u);
    EXPECT_EQ(model.Shape({true, 7}).height, 2 * H + V);  // +
    EXPECT_EQ(model.Shape({true, 14}).height, 2 * H + V); // Enter
    EXPECT_EQ(model.Shape({true, 15}).width, 2 * W + G);  // 0
    EXPECT_EQ(model.Shape({true, 16}).left, 2 * (W + G)); // decimal
    EXPECT_EQ(model.KeyAt(3 * (W + G) + 5, 2 * (H + V) + 5), (KeyRef{true, 7}));
    // A keypad character needs no modifier and is found on the keypad.
    model.MarkNextCharacters(u"5", 1);
    EXPECT_EQ(MarkedKeys(model), std::vector<KeyRef>({{true, 9}}));
}

TEST_F(KeyboardModelTest, MarkingACapitalMarksTheShiftOfTheOtherHand)
{
    ASSERT_TRUE(LoadShipped(model, "US"));
    struct Case
    {
        char16_t ch;
        bool caps;
        char16_t key;
        char16_t shift; // 0: none
    };
    const Case cases[] = {
        {u'F', false, u'f', vk::RightShift}, // left hand: right Shift
        {u'J', false, u'j', vk::LeftShift},  // right hand: left Shift
        {u'j', false, u'j', 0},
        {u'j', true, u'j', vk::LeftShift}, // Caps Lock: the small letter needs Shift
        {u'J', true, u'j', 0},
        {u'!', true, u'1', vk::RightShift}, // Caps Lock does not shift digits
        {u'\r', false, vk::Enter, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << char(c.ch) << " caps " << c.caps);
        ModifierState mods;
        mods.capsLock = c.caps;
        model.RefreshModifiers(mods);
        model.MarkNextCharacters(&c.ch, 1);
        std::vector<KeyRef> expected = {Main(model, c.key)};
        if (c.shift)
            expected.push_back(model.KeyForVirtualKey(c.shift));
        std::sort(expected.begin(), expected.end(),
                  [](KeyRef a, KeyRef b) { return a.index < b.index; });
        EXPECT_EQ(MarkedKeys(model), expected);
    }
}

TEST_F(KeyboardModelTest, AltGrCharactersMarkTheAltKeyToo)
{
    ASSERT_TRUE(LoadShipped(model, "German"));
    model.MarkNextCharacters(u"@", 1); // AltGr + q, a left-hand key
    const std::vector<KeyRef> marked = MarkedKeys(model);
    EXPECT_NE(std::find(marked.begin(), marked.end(), Main(model, u'q')), marked.end());
    EXPECT_NE(std::find(marked.begin(), marked.end(), model.KeyForVirtualKey(vk::RightAlt)),
              marked.end());
    EXPECT_EQ(marked.size(), 2u);
}

TEST_F(KeyboardModelTest, CharactersOnNoKeyMarkNothingAndGiveNoFinger)
{
    model.MarkNextCharacters(u"\u4E2D", 1);
    EXPECT_TRUE(MarkedKeys(model).empty());
    EXPECT_TRUE(model.MarkedCharacters().empty());
    EXPECT_FALSE(model.NextFinger(u'\u4E2D').valid);
    // At most 256 characters are kept.
    const std::u16string many(300, u'a');
    model.MarkNextCharacters(many.data(), many.size());
    EXPECT_EQ(model.MarkedCharacters().size(), 256u);
}

TEST_F(KeyboardModelTest, FingerHints)
{
    ASSERT_TRUE(LoadShipped(model, "US"));
    EXPECT_EQ(model.NextFinger(u'f'), (FingerHint{true, 0, finger::Index}));
    EXPECT_EQ(model.NextFinger(u'L'), (FingerHint{true, 1, finger::Ring}));
    EXPECT_EQ(model.NextFinger(u'a'), (FingerHint{true, 0, finger::Little}));
    EXPECT_EQ(model.NextFinger(u' '), (FingerHint{true, 1, finger::Thumb}));
}

TEST_F(KeyboardModelTest, BlinkingSlowsDownThenSpeedsUp)
{
    model.SetMarkingEnabled(true);
    model.MarkNextCharacters(u"f", 1);
    EXPECT_TRUE(model.MarksShown());
    // Record the ticks (200 ms each) at which the marks toggle.
    std::vector<int> toggles;
    for (int tick = 1; tick <= 100; ++tick)
        if (model.BlinkTick())
            toggles.push_back(tick);
    ASSERT_GE(toggles.size(), 20u);
    std::vector<int> gaps;
    for (size_t i = 0; i + 1 < toggles.size(); ++i)
        gaps.push_back(toggles[i + 1] - toggles[i]);
    // Five toggles a second apart (with the first showing, six), then 0.8 s, 0.6 s ...
    const std::vector<int> expectedStart = {5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 2};
    EXPECT_EQ(toggles.front(), 5);
    EXPECT_EQ(std::vector<int>(gaps.begin(), gaps.begin() + 17), expectedStart);
    EXPECT_EQ(gaps.back(), 1);
    // New characters restart the slow rhythm; disabled marking leaves the marks standing.
    model.MarkNextCharacters(u"j", 1);
    EXPECT_EQ(model.BlinkDivider(), 5);
    model.SetMarkingEnabled(false);
    EXPECT_FALSE(model.BlinkTick());
    EXPECT_TRUE(model.IsMarked(Main(model, u'j')));
}

TEST_F(KeyboardModelTest, PressingTheMarkedKeyTakesItsMarkAndAWrongKeyIsStruckOut)
{
    ASSERT_TRUE(LoadShipped(model, "US"));
    model.MarkNextCharacters(u"Fj", 2);
    const KeyRef f = Main(model, u'f'), j = Main(model, u'j'), k = Main(model, u'k');
    const KeyRef rshift = model.KeyForVirtualKey(vk::RightShift);
    EXPECT_TRUE(model.IsMarked(rshift));

    model.KeyDown(rshift); // a modifier is never struck out
    EXPECT_EQ(model.Record(rshift)->DisplayState(), keystate::Pressed);
    model.KeyDown(f);
    EXPECT_EQ(model.Record(f)->DisplayState(), keystate::Pressed);
    EXPECT_FALSE(model.IsMarked(f));
    EXPECT_FALSE(model.IsMarked(rshift));
    EXPECT_TRUE(model.IsMarked(j));
    EXPECT_EQ(model.MarkedCharacters(), u"j");

    model.KeyDown(k);
    EXPECT_EQ(model.Record(k)->DisplayState(), keystate::StruckOut);
    model.KeyUp(k);
    EXPECT_EQ(model.Record(k)->DisplayState(), keystate::Normal);
}

TEST_F(KeyboardModelTest, ModifiersAndLocksAreDrawnPressed)
{
    ASSERT_TRUE(LoadShipped(model, "US"));
    ModifierState mods;
    mods.leftShift = true;
    mods.capsLock = true;
    EXPECT_TRUE(model.RefreshModifiers(mods));
    EXPECT_FALSE(model.RefreshModifiers(mods));
    EXPECT_EQ(model.Record(model.KeyForVirtualKey(vk::LeftShift))->DisplayState(),
              keystate::Pressed);
    EXPECT_EQ(model.Record(model.KeyForVirtualKey(vk::RightShift))->DisplayState(),
              keystate::Normal);
    const KeyRef caps = model.KeyForVirtualKey(vk::CapsLock);
    model.KeyUp(caps); // releasing Caps Lock keeps the lit lock pressed
    EXPECT_EQ(model.Record(caps)->DisplayState(), keystate::Pressed);
    mods = ModifierState{};
    model.RefreshModifiers(mods);
    EXPECT_EQ(model.Record(caps)->DisplayState(), keystate::Normal);
}

TEST_F(KeyboardModelTest, SimpleAndAdvancedLabels)
{
    ASSERT_TRUE(LoadShipped(model, "German"));
    const KeyRef one = Main(model, u'1'), q = Main(model, u'q'), a = Main(model, u'a');
    KeyLabels l = model.Labels(one);
    EXPECT_EQ(l.topLeft, u"!");
    EXPECT_EQ(l.bottomLeft, u"1");
    l = model.Labels(q);
    EXPECT_EQ(l.large, u"Q");
    EXPECT_EQ(l.bottomRight, u"@");
    l = model.Labels(Main(model, vk::LeftShift));
    EXPECT_EQ(l.name, u"Umschalt");
    EXPECT_EQ(model.Labels(Main(model, vk::Space)).bar, model.Name());

    model.SetAdvancedView(false);
    EXPECT_EQ(model.Labels(a).large, u"a");
    EXPECT_EQ(model.Labels(one).large, u"1");
    ModifierState mods;
    mods.leftShift = true;
    model.RefreshModifiers(mods);
    EXPECT_EQ(model.Labels(a).large, u"A");
    EXPECT_EQ(model.Labels(one).large, u"!");
    mods.capsLock = true; // Shift with Caps Lock: small letters again, digits still shifted
    model.RefreshModifiers(mods);
    EXPECT_EQ(model.Labels(a).large, u"a");
    EXPECT_EQ(model.Labels(one).large, u"!");
    mods = ModifierState{};
    mods.rightAlt = true;
    model.RefreshModifiers(mods);
    EXPECT_EQ(model.Labels(q).large, u"@");
    EXPECT_TRUE(model.TakeChangedKeys().size() >= model.MainKeyCount());

    // The built-in layout names its control keys by default.
    model.ResetToDefaultLayout();
    EXPECT_EQ(model.Labels(model.KeyForVirtualKey(vk::Backspace)).name, u"Back");
    model.SetViewKind(KeyboardViewKind::Keypad);
    EXPECT_EQ(model.Labels({true, 0}).name, u"Num\nLock");
}

TEST_F(KeyboardModelTest, PhysicalKeysMapByPlaceOnBothArrangements)
{
    ASSERT_TRUE(LoadShipped(model, "US"));
    struct Case
    {
        uint32_t code;
        char16_t base;
    };
    const Case us[] = {{41, u'`'},
                       {2, u'1'},
                       {13, u'='},
                       {43, u'\\'},
                       {16, u'q'},
                       {27, u']'},
                       {30, u'a'},
                       {40, u'\''},
                       {44, u'z'},
                       {53, u'/'},
                       {86, 0},
                       {scancode::kEnter, vk::Enter},
                       {scancode::kLeftShift, vk::LeftShift},
                       {scancode::kRightAlt, vk::RightAlt},
                       {scancode::kSpace, vk::Space}};
    for (const Case& c : us) {
        SCOPED_TRACE(c.code);
        const KeyRef k = model.KeyForScanCode(c.code);
        if (c.base == 0) {
            EXPECT_FALSE(k.Valid());
            continue;
        }
        ASSERT_TRUE(k.Valid());
        EXPECT_EQ(model.Record(k)->Base(), c.base);
    }
    ASSERT_TRUE(LoadShipped(model, "German"));
    const Case de[] = {{41, u'^'},      {12, u'\u00DF'}, {21, u'z'}, {26, u'\u00FC'}, {43, u'#'},
                       {40, u'\u00E4'}, {86, u'<'},      {44, u'y'}, {53, u'-'}};
    for (const Case& c : de) {
        SCOPED_TRACE(c.code);
        const KeyRef k = model.KeyForScanCode(c.code);
        ASSERT_TRUE(k.Valid());
        EXPECT_EQ(model.Record(k)->Base(), c.base);
    }
    EXPECT_EQ(model.KeyForScanCode(82), (KeyRef{true, 15})); // keypad 0
    EXPECT_EQ(scancode::FromXkbKeycode(38), 30u);            // X11's "a"
    EXPECT_EQ(scancode::FromXkbKeycode(0), 0u);
}

} // namespace
} // namespace kf
