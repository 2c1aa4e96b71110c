#include "content/locallayouts.h"

#include "content/fingerassignment.h"
#include "content/keyboardlayout.h"
#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kf {
namespace {

std::string AsString(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

Bytes LayoutFile(uint8_t family, uint8_t hand)
{
    Bytes image = CKeyboardLayout().LayoutImage();
    StoreLe<uint16_t>(image.data() + KeyboardLayoutHeader::kOffVersion,
                      KeyboardLayoutHeader::kVersion);
    image[KeyboardLayoutHeader::kOffFingerFamily] = family;
    image[KeyboardLayoutHeader::kOffHand] = hand;
    return image;
}

// Every key to the given hand and finger.
Bytes FingerFile(uint8_t hand, uint8_t finger, uint16_t slots = 81)
{
    FingerAssignment f;
    f.SetPairs(std::vector<FingerAssignment::Pair>(slots, {hand, finger}));
    return f.FileImage();
}

std::vector<LayoutListItem> Items(const Bytes& reply)
{
    std::vector<LayoutListItem> items;
    for (size_t at = 0; at + LayoutListItem::kSize <= reply.size(); at += LayoutListItem::kSize) {
        items.emplace_back();
        items.back().Assign(ByteSpan(reply).subspan(at, LayoutListItem::kSize));
    }
    return items;
}

TEST(LocalLayouts, ListTakesValidLayoutFilesOnly)
{
    test::TempDir dir;
    dir.Write("KBLayout/b.kbl", AsString(LayoutFile(2, 1)));
    dir.Write("KBLayout/A.KBL", AsString(LayoutFile(0, 0)));
    Bytes foreign = LayoutFile(0, 0);
    foreign[0] = 'X';
    dir.Write("KBLayout/foreign.kbl", AsString(foreign));
    dir.Write("KBLayout/short.kbl", AsString(LayoutFile(0, 0)).substr(0, 700));
    dir.Write("KBLayout/.hidden.kbl", AsString(LayoutFile(0, 0)));
    dir.Write("KBLayout/notes.txt", AsString(LayoutFile(0, 0)));
    dir.Write("KBLayout/EuroFinger_1.dat", AsString(FingerFile(1, 1)));
    std::filesystem::create_directories(dir.path() / "KBLayout" / "folder.kbl");
    dir.Write("KBLayout/" + std::string(259, 'n') + ".kbl", AsString(LayoutFile(0, 0)));

    Bytes reply;
    ASSERT_TRUE(LocalListKeyboardLayouts(dir.Folder(), reply));
    ASSERT_EQ(reply.size() % LayoutListItem::kSize, 0u);
    const std::vector<LayoutListItem> items = Items(reply);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].FileName(), u"A.KBL");
    EXPECT_EQ(items[0].LayoutClass(), 0u);
    EXPECT_EQ(items[1].FileName(), u"b.kbl");
    EXPECT_EQ(items[1].LayoutClass(), (2u << 16) | 1u);
    EXPECT_EQ(items[1].U32(0), 0u);
    EXPECT_EQ(items[1].DisplayName(), u"b");
    // A hand byte of 1 shows the layout only while WhichHand is 1; 0 shows it always.
    EXPECT_FALSE(items[1].OfferedFor(0));
    EXPECT_TRUE(items[1].OfferedFor(1));
    EXPECT_FALSE(items[1].OfferedFor(2));
    EXPECT_TRUE(items[0].OfferedFor(2));
}

TEST(LocalLayouts, ListWithoutTheFolderIsEmpty)
{
    test::TempDir dir;
    Bytes reply{1, 2, 3};
    EXPECT_TRUE(LocalListKeyboardLayouts(dir.Folder(), reply));
    EXPECT_TRUE(reply.empty());
}

TEST(LocalLayouts, LoadAppliesTheFingerFileOfTheFamily)
{
    test::TempDir dir;
    dir.Write("KBLayout/Euro.kbl", AsString(LayoutFile(2, 0)));
    dir.Write("KBLayout/Odd.kbl", AsString(LayoutFile(7, 0)));
    dir.Write("KBLayout/EuroFinger_2.dat", AsString(FingerFile(0, 3)));
    dir.Write("KBLayout/EuroFinger_1.dat", "not a finger file");
    dir.Write("KBLayout/EuroFinger_3.dat", AsString(FingerFile(1, 1, 80)));
    dir.Write("KBLayout/USFinger_2.dat", AsString(FingerFile(1, 1)));
    const Bytes original = LayoutFile(2, 0);

    struct Case
    {
        const char* what;
        std::u16string name;
        uint32_t hand;
        uint32_t error;
        bool changed;
    };
    const Case cases[] = {
        {"both hands never open a finger file", u"Euro", 0, 0, false},
        {"WhichHand is taken as a byte", u"Euro", 256, 0, false},
        {"EuroFinger_2.dat applied", u"Euro", 2, 0, true},
        {"an invalid finger file fails the load", u"Euro", 1, err::InvalidData, false},
        {"a missing finger file fails the load", u"Euro", 4, err::FileNotFound, false},
        {"a finger file for 80 slots does not fit 81", u"Euro", 3, err::InvalidData, false},
        {"no finger files for another family", u"Odd", 2, 0, false},
        {"missing layout", u"Nope", 0, err::FileNotFound, false},
        {"the name climbs out of the folder", u"..\\KBLayout\\Euro", 0, err::InvalidName, false},
    };
    for (const Case& c : cases) {
        Bytes reply{9};
        SetLastError(0);
        const bool ok = LocalLoadKeyboardLayout(dir.Folder(), c.name, c.hand, reply);
        EXPECT_EQ(ok, c.error == 0) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        if (!ok) {
            EXPECT_TRUE(reply.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(reply.size(), CKeyboardLayout::kFileSize) << c.what;
        if (c.name == u"Euro") {
            EXPECT_EQ(reply != original, c.changed) << c.what;
        }
        if (c.changed) {
            CKeyboardLayout layout;
            ASSERT_TRUE(layout.LoadLayoutImage(reply, true));
            EXPECT_FALSE(layout.MainKey(0)->IsLeftHand());
            EXPECT_EQ(layout.MainKey(0)->Finger(), 3);
            EXPECT_EQ(layout.MainKey(16)->Base(), u'q');
        }
    }
}

TEST(LocalLayouts, FingerFileNeedsAnImageThatHoldsTheRecords)
{
    test::TempDir dir;
    dir.Write("KBLayout/Short.kbl", AsString(LayoutFile(0, 0)).substr(0, 2000));
    dir.Write("KBLayout/Tiny.kbl", "KY");
    dir.Write("KBLayout/USFinger_1.dat", AsString(FingerFile(1, 1)));
    Bytes reply;
    EXPECT_TRUE(
        LocalLoadKeyboardLayout(dir.Folder(), u"Short", 0, reply)); // LoadLayoutImage rejects it
    EXPECT_FALSE(LocalLoadKeyboardLayout(dir.Folder(), u"Short", 1, reply));
    EXPECT_EQ(GetLastError(), err::InvalidData);
    EXPECT_FALSE(LocalLoadKeyboardLayout(dir.Folder(), u"Tiny", 1, reply));
    EXPECT_EQ(GetLastError(), err::InvalidData);
}

} // namespace
} // namespace kf
