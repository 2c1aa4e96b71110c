#include "content/layoutsource.h"

#include "content/fingersource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kf {
namespace {

const char* const kSmall = R"(# a comment
name = Small
family = european
type = 1
caption rightalt = Alt Gr
caption numlock = Num\nLock

row 1
    key    ^        °   --     --  little left 2
    letter q        Q   @      --  little left 2
    key    space    --  U+00A0 --  thumb  right 14
row 2
row 3
    mod    lshift   --  --     --  little left 5
)";

std::string ReadFile(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(LayoutSource, CompilesHeaderKeysAndTokens)
{
    Bytes image;
    std::string error;
    ASSERT_TRUE(CompileLayoutSource(kSmall, image, error)) << error;
    ASSERT_EQ(image.size(), CKeyboardLayout::kFileSize);
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));
    EXPECT_EQ(layout.Name(), u"Small");
    EXPECT_EQ(layout.CodePage(), 1252);
    EXPECT_EQ(layout.FingerFamily(), 2);
    EXPECT_EQ(layout.LayoutType(), 1);
    EXPECT_EQ(layout.KeySlots(), 81);
    EXPECT_EQ(layout.MainKeyCount(), 4u);
    EXPECT_EQ(layout.Header().RowCount(2), 0);
    EXPECT_EQ(layout.Caption(KeyCaption::NumLock), u"Num\nLock");
    EXPECT_EQ(layout.Caption(KeyCaption::Tab), u"");
    const KeyRecord& q = *layout.MainKey(1);
    EXPECT_EQ(q.Base(), u'q');
    EXPECT_EQ(q.AltGr(), u'@');
    EXPECT_TRUE(q.IsLetter());
    EXPECT_TRUE(q.IsLeftHand());
    EXPECT_EQ(q.Finger(), finger::Little);
    EXPECT_EQ(layout.MainKey(0)->Shifted(), u'°');
    EXPECT_EQ(layout.MainKey(2)->Base(), vk::Space);
    EXPECT_EQ(layout.MainKey(2)->AltGr(), 0xA0);
    EXPECT_EQ(layout.MainKey(2)->Width(), 14);
    EXPECT_TRUE(layout.MainKey(3)->IsModifier());
    EXPECT_EQ(layout.MainKey(3)->Base(), vk::LeftShift);
    EXPECT_EQ(layout.RowOfMainKey(3), 3);
    EXPECT_EQ(*layout.KeypadKey(0), KeyRecord());

    // The dump compiles to the same image.
    Bytes again;
    ASSERT_TRUE(CompileLayoutSource(LayoutSourceText(layout), again, error)) << error;
    EXPECT_EQ(again, image);
}

TEST(LayoutSource, HeaderTextsSurviveTheLineFormat)
{
    Bytes image;
    std::string error;
    ASSERT_TRUE(CompileLayoutSource(kSmall, image, error)) << error;
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));
    KeyboardLayoutHeader h = layout.Header();
    h.SetName(u" A\tB\\ ");
    h.SetCaption(KeyCaption::Enter, u"\r\nx\x7F");
    std::memcpy(image.data(), h.data(), KeyboardLayoutHeader::kSize);
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));

    const std::string text = LayoutSourceText(layout);
    EXPECT_NE(text.find("name = \\x20A\\x09B\\\\\\x20\n"), std::string::npos) << text;
    Bytes again;
    ASSERT_TRUE(CompileLayoutSource(text, again, error)) << error;
    EXPECT_EQ(again, image);
    EXPECT_FALSE(CompileLayoutSource(
        "name = a\\x00b\nfamily = us\nrow 1\nkey a A -- -- index left 2\n", again, error));
    EXPECT_NE(error.find("cannot hold a NUL"), std::string::npos) << error;
}

TEST(LayoutSource, ErrorsNameTheLine)
{
    struct Case
    {
        std::string source;
        std::string error;
    };
    const std::string head = "name = X\nfamily = us\nrow 1\n";
    const Case cases[] = {
        {head + "key a A -- -- pinky left 2\n", "line 4: unknown finger \"pinky\""},
        {head + "key a A -- -- index left\n", "line 4: a key line has 8 words"},
        {head + "key a A -- -- index left 64\n", "line 4: width must be"},
        {head + "key ab A -- -- index left 2\n", "line 4: \"ab\" is not one character"},
        {head + "key U+D83D A -- -- index left 2\n", "line 4: \"U+D83D\""},
        {head + "key \xF0\x9F\x98\x80 A -- -- index left 2\n", "is not one character"},
        {head + "key \xC3 A -- -- index left 2\n", "is not one character"},
        {head + "mystery a A -- -- index left 2\n", "line 4: unknown kind"},
        {"name = X\nname = Y\n", "line 2: \"name\" given twice"},
        {"name = X\ncolour = red\n", "line 2: unknown field \"colour\""},
        {"name = " + std::string(32, 'n') + "\n", "line 1: the name must have 1 to 31"},
        {"name = X\ncaption tab = " + std::string(20, 't') + "\n", "caption longer than 19"},
        {"name = X\ncaption tab = a" + std::string(1, '\0') + "b\n",
         "line 2: \"caption tab\" cannot hold a NUL"},
        {"name = X\nfamily = us\nrow 2\n", "line 3: row 2 out of order"},
        {head + "key a A -- -- index left 2\nkeypad\nkey 1 -- -- -- index right 2\n",
         "the keypad has 1 keys, not 17"},
        {"family = us\nrow 1\nkey a A -- -- index left 2\n", "no \"name = ...\" line"},
        {"name = X\nrow 1\nkey a A -- -- index left 2\n", "no \"family = ...\" line"},
        {"name = X\nfamily = us\n", "no keys"},
    };
    for (const Case& c : cases) {
        Bytes image{1};
        std::string error;
        EXPECT_FALSE(CompileLayoutSource(c.source, image, error)) << c.source;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_EQ(image, Bytes{1});
    }
    std::string tooMany = head;
    for (int i = 0; i < 65; ++i)
        tooMany += "key a A -- -- index left 2\n";
    Bytes image;
    std::string error;
    EXPECT_FALSE(CompileLayoutSource(tooMany, image, error));
    EXPECT_NE(error.find("line 68: more than 64 main keys"), std::string::npos) << error;
}

TEST(LayoutSource, ShippedSourcesSurviveDumpAndRemake)
{
    const std::filesystem::path dir = std::filesystem::path(KF_SOURCE_DIR) / "datasrc" / "layouts";
    size_t count = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (e.path().extension() != ".txt" || e.path().filename() == "CMakeLists.txt")
            continue;
        ++count;
        Bytes image;
        std::string error;
        ASSERT_TRUE(CompileLayoutSource(ReadFile(e.path()), image, error))
            << e.path() << ": " << error;
        CKeyboardLayout layout;
        ASSERT_TRUE(layout.LoadLayoutImage(image, true)) << e.path();
        Bytes again;
        ASSERT_TRUE(CompileLayoutSource(LayoutSourceText(layout), again, error)) << error;
        EXPECT_EQ(again, image) << e.path();
    }
    EXPECT_GE(count, 6u);
}

TEST(FingerSource, CompileCheckAndDump)
{
    const char* src =
        "family = us\nrow 1: L4 L3\nrow 2: R1\nrow 3:\nrow 4:\nrow 5: L0 2:15\nkeypad: R1 R2\n";
    FingerSource fs;
    std::string error;
    ASSERT_TRUE(CompileFingerSource(src, fs, error)) << error;
    ASSERT_EQ(fs.assignment.KeySlots(), 81);
    const auto& p = fs.assignment.Pairs();
    EXPECT_EQ(p[0], (FingerAssignment::Pair{1, 4}));
    EXPECT_EQ(p[2], (FingerAssignment::Pair{0, 1}));
    EXPECT_EQ(p[4], (FingerAssignment::Pair{2, 15}));
    EXPECT_EQ(p[5], (FingerAssignment::Pair{0, 0})); // past the rows
    EXPECT_EQ(p[64], (FingerAssignment::Pair{0, 1}));
    EXPECT_EQ(p[65], (FingerAssignment::Pair{0, 2}));
    EXPECT_EQ(fs.family, uint8_t{0});

    // It does not fit the built-in layout (rows of 15, 14 ...), and its keypad is short.
    const CKeyboardLayout layout;
    EXPECT_FALSE(FingerSourceFitsLayout(fs, layout, error));
    EXPECT_NE(error.find("row 1 has 2 keys, the layout's 15"), std::string::npos) << error;

    // A dump with the layout writes its rows; one without it the flat list; both compile back.
    for (const CKeyboardLayout* with : {&layout, static_cast<const CKeyboardLayout*>(nullptr)}) {
        FingerSource back;
        ASSERT_TRUE(CompileFingerSource(FingerSourceText(fs.assignment, with), back, error))
            << error;
        EXPECT_EQ(back.assignment.Pairs(), p);
        if (with) {
            EXPECT_TRUE(FingerSourceFitsLayout(back, layout, error)) << error;
        }
    }

    struct Case
    {
        const char* source;
        const char* error;
    };
    const Case bad[] = {
        {"row 1: L4 X9\n", "line 1: \"X9\" is not a code"},
        {"row 2: L4\n", "line 1: rows come 1 to 5 in order"},
        {"row 1: L4\nmain: L4\n", "line 2: \"main:\" stands instead of the rows"},
        {"keypad: R1\n", "no keys"},
        {"family = mars\nrow 1: L1\n", "line 1: family must be"},
        {"keyslots = 90\nrow 1: L1\n", "line 1: keyslots must be a number from 1 to 81"},
        {"keyslots = 0\nrow 1: L1\n", "line 1: keyslots must be a number from 1 to 81"},
        {"row 1 L1\n", "line 1: expected"},
    };
    for (const Case& c : bad) {
        FingerSource out;
        EXPECT_FALSE(CompileFingerSource(c.source, out, error)) << c.source;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

} // namespace
} // namespace kf
