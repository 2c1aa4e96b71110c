#include "users/userdata.h"

#include "userfiles.h"

#include "platform/lasterror.h"
#include "testsupport/tempdir.h"
#include "users/accountname.h"
#include "users/localuserstore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kf {
namespace {

using test::MakePreviousFile;
using test::MakePreviousRecord;
using test::MakeResult;
using test::MakeUserFile;

class UserDataTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    LocalUserStore store{dir.Folder()};

    std::u16string Account(std::string_view name) const
    {
        std::filesystem::create_directories(dir.path() / "Account");
        return dir.File("Account/" + std::string(name) + ".dat");
    }
    std::string Raw(std::string_view name) const
    {
        return dir.Read("Account/" + std::string(name) + ".dat");
    }
    void Patch(std::string_view name, size_t offset, std::string_view bytes) const
    {
        std::fstream f(dir.Native("Account/" + std::string(name) + ".dat"),
                       std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(offset));
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::string> AccountFolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path() / "Account"))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(UserDataTest, CreatedFileHasTheCurrentLayout)
{
    CUserProfile p;
    p.SetAccountName(u"anna");
    p.SetFullName(u"Anna Berg");
    p.SetSinglePass(120);
    ASSERT_TRUE(MakeUserFile(Account("anna"), p, {MakeResult(10, 60000, 300, 290)}));
    const std::string raw = Raw("anna");
    ASSERT_EQ(raw.size(), 6656u + 1156u);
    const auto* b = reinterpret_cast<const uint8_t*>(raw.data());
    EXPECT_EQ(raw.substr(0, 16), test::Utf16Bytes(u"KYUSRDAT", false));
    EXPECT_EQ(LoadLe<uint32_t>(b + 16), 768u);
    EXPECT_EQ(LoadLe<uint32_t>(b + 20), 1u);
    EXPECT_EQ(LoadUtf16Field(b + 100 + 70, 32), u"Anna Berg");
    EXPECT_EQ(LoadLe<uint32_t>(b + 100 + 212), 120u);
    EXPECT_EQ(b[6656 + 34], 10);
    EXPECT_EQ(LoadLe<uint32_t>(b + 6656 + 1144), 300u);
}

TEST_F(UserDataTest, LoginCountsAndRepairsNames)
{
    CUserProfile p;
    p.SetAccountName(u"");
    p.SetFullName(u"");
    ASSERT_TRUE(MakeUserFile(Account("bo"), p, {}));
    CUserProfile got;
    uint32_t error = 99;
    ASSERT_EQ(store.OpenUserFile(store.UserFilePath(u"bo"), u"bo", got, error),
              LocalUserStore::kOpenOk);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(got.AccountName(), u"bo");
    EXPECT_EQ(got.FullName(), u"bo");
    EXPECT_EQ(got.LoginCount(), 1u);
    ASSERT_EQ(store.OpenUserFile(store.UserFilePath(u"bo"), u"bo", got, error),
              LocalUserStore::kOpenOk);
    EXPECT_EQ(got.LoginCount(), 2u);
    store.CloseUserFile();

    // Written back: a reader sees the same profile.
    CUserData reader;
    ASSERT_TRUE(reader.Open(store.UserFilePath(u"bo"), true));
    EXPECT_EQ(reader.Profile().LoginCount(), 2u);
    EXPECT_EQ(reader.Profile().FullName(), u"bo");
}

TEST_F(UserDataTest, NameRunningPastItsFieldIsReplaced)
{
    CUserProfile p;
    for (size_t i = 0; i < CUserProfile::kAccountNameUnits; ++i)
        p.SetU16(CUserProfile::kAccountName + 2 * i, u'x');
    p.SetFullName(u"Carl");
    ASSERT_TRUE(MakeUserFile(Account("carl"), p, {}));
    CUserProfile got;
    uint32_t error = 0;
    ASSERT_EQ(store.OpenUserFile(store.UserFilePath(u"carl"), u"carl", got, error), 0);
    EXPECT_EQ(got.AccountName(), u"carl");
    EXPECT_EQ(got.FullName(), u"Carl");
}

TEST_F(UserDataTest, OpenResultsForMissingLockedAndForeignFiles)
{
    CUserProfile got;
    uint32_t error = 0;
    EXPECT_EQ(store.OpenUserFile(store.UserFilePath(u"nobody"), u"nobody", got, error),
              LocalUserStore::kOpenNotFound);
    EXPECT_EQ(error, err::FileNotFound);

    ASSERT_TRUE(MakeUserFile(Account("dan"), CUserProfile(), {}));
    LocalUserStore other(dir.Folder());
    ASSERT_EQ(other.OpenUserFile(store.UserFilePath(u"dan"), u"dan", got, error), 0);
    EXPECT_EQ(store.OpenUserFile(store.UserFilePath(u"dan"), u"dan", got, error),
              LocalUserStore::kOpenLocked);
    other.CloseUserFile();

    struct Case
    {
        const char* what;
        size_t offset;
        std::string bytes;
        uint32_t error;
    };
    const Case cases[] = {
        {"version 0x301", 16, std::string("\x01\x03\0\0", 4), store_err::WrongVersion},
        {"version 0", 16, std::string(4, '\0'), store_err::WrongVersion},
        {"magic", 0, test::Utf16Bytes(u"KYKEYLAY", false), store_err::WrongMagic},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(MakeUserFile(Account("eve"), CUserProfile(), {MakeResult(10, 1000, 1, 1)}));
        Patch("eve", c.offset, c.bytes);
        const std::string before = Raw("eve");
        EXPECT_EQ(store.OpenUserFile(store.UserFilePath(u"eve"), u"eve", got, error),
                  LocalUserStore::kOpenFailed);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(Raw("eve"), before);
    }
}

TEST_F(UserDataTest, TruncatedFilesAreRefusedAndLeftAlone)
{
    ASSERT_TRUE(MakeUserFile(Account("fay"), CUserProfile(), {MakeResult(10, 1000, 1, 1)}));
    const std::string full = Raw("fay");
    struct Case
    {
        size_t length;
        uint32_t error;
    };
    const Case cases[] = {{0, store_err::ShortFile},
                          {50, store_err::ShortFile},
                          {6212, store_err::ShortFile},
                          {6655, store_err::ShortFile}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        dir.Write("Account/fay.dat", full.substr(0, c.length));
        CUserData f;
        EXPECT_FALSE(f.Open(Account("fay"), false));
        EXPECT_EQ(f.LastError(), c.error);
        EXPECT_EQ(Raw("fay").size(), c.length);
    }
    // A record cut short: the count is repaired to the whole records.
    dir.Write("Account/fay.dat", full.substr(0, 6656 + 1000));
    CUserData f;
    ASSERT_TRUE(f.Open(Account("fay"), true));
    EXPECT_EQ(f.Count(), 0u);
}

TEST_F(UserDataTest, ReadResultSkipsTrailingFreeTyping)
{
    ASSERT_TRUE(MakeUserFile(Account("gil"), CUserProfile(),
                             {MakeResult(10, 1000, 11, 11), MakeResult(30, 1000, 22, 22),
                              MakeResult(99, 1000, 33, 33), MakeResult(99, 1000, 44, 44)}));
    ASSERT_TRUE(store.AttachUserFile(Account("gil")));
    CResultRecord r;
    ASSERT_TRUE(store.ReadResult(-1, false, r));
    EXPECT_EQ(r.CharsTyped(), 22u);
    ASSERT_TRUE(store.ReadResult(-1, true, r));
    EXPECT_EQ(r.CharsTyped(), 44u);
    ASSERT_TRUE(store.ReadResult(0, false, r));
    EXPECT_EQ(r.CharsTyped(), 11u);
    EXPECT_FALSE(store.ReadResult(4, false, r));
}

TEST_F(UserDataTest, CreateUserFileMakesTheAccountFolderAndChecksTheName)
{
    CUserProfile p;
    p.SetAccountName(u"hal");
    ASSERT_TRUE(store.CreateUserFile(u"hal", p));
    EXPECT_TRUE(store.HasOpenUserFile());
    EXPECT_TRUE(dir.Exists("Account/hal.dat"));
    EXPECT_FALSE(store.CreateUserFile(u"a:b", p));
    EXPECT_EQ(GetLastError(), err::InvalidName);
    EXPECT_FALSE(dir.Exists("Account/a:b.dat"));
}

TEST(AccountNameTest, ForbiddenCharacters)
{
    for (std::u16string_view bad :
         {u"", u"a\\b", u"a/b", u"a\"b", u"a:b", u"a*b", u"a?b", u"a<b", u"a>b", u"a|b"})
        EXPECT_FALSE(IsValidAccountName(bad)) << std::string(bad.begin(), bad.end());
    for (std::u16string_view good : {u"anna", u"Anna Berg", u"z\u00e9ro", u"\u674e\u96f7", u" x "})
        EXPECT_TRUE(IsValidAccountName(good));
}

// --- conversion of the previous format

Bytes PreviousProfile()
{
    Bytes p(CUserData_Prev_2::kProfileSize, 0);
    p[0] = 7;                                       // account flag
    StoreUtf16Field(p.data() + 32, 32, u"olduser"); // account name
    StoreUtf16Field(p.data() + 96, 16, u"secret");  // password
    for (size_t i = 1; i <= 20; ++i)
        p[i] = static_cast<uint8_t>(100 + i);  // the flags
    StoreLe<uint32_t>(p.data() + 24, 123456);  // other typing time
    StoreLe<uint32_t>(p.data() + 136, 41);     // logins
    StoreLe<uint32_t>(p.data() + 140, 654321); // test typing time
    StoreLe<uint32_t>(p.data() + 144, 90);     // pass
    StoreLe<uint32_t>(p.data() + 148, 250);    // full mark
    p[160] = 88;
    p[161] = 4;
    StoreUtf16Field(p.data() + 162, 260, u"Cat\\Text"); // last test text
    StoreUtf16Field(p.data() + 682, 260, u"Dvorak");    // layout
    for (size_t i = 0; i < 5; ++i)
        p[2242 + i] = static_cast<uint8_t>(30 + i);     // game bytes
    StoreLe<int32_t>(p.data() + 2248, -40);             // hue
    StoreLe<int32_t>(p.data() + 2252, 25);              // saturation
    p[2260] = 2;                                        // screen size
    StoreUtf16Field(p.data() + 2726, 260, u"Home row"); // last course
    StoreUtf16Field(p.data() + 4286, 260, u"Prose");    // last test category
    StoreLe<uint32_t>(p.data() + 5848, 2048);
    p[5852] = 9;
    p[5860] = 1;
    p[5861] = 2;
    StoreLe<uint32_t>(p.data() + 5864, 1024);
    p[5868] = 7;
    StoreLe<uint32_t>(p.data() + 5872, 3);
    p[5876] = 4;
    p[5878] = 1;
    p[5879] = 6;
    StoreLe<uint32_t>(p.data() + 5880, 777);
    p[5884] = 15;
    for (size_t i = 0; i < 4; ++i)
        StoreLe<uint32_t>(p.data() + 5888 + 4 * i, 0x00102030u + i);
    StoreUtf16Field(p.data() + 5904, 65, u"Courier");
    StoreLe<uint32_t>(p.data() + 6036, (uint32_t{30} << 16) | 18);
    p[6040] = 1;
    p[6041] = 5;
    p[6042] = 22;
    p[6043] = 1;
    p[6044] = 0x21; // caret 1, double line 2
    StoreUtf16Field(p.data() + 6048, 8, u"TB");
    StoreUtf16Field(p.data() + 6064, 8, u"SPC");
    return p;
}

TEST_F(UserDataTest, PreviousProfileFieldsLandInTheirCurrentPlaces)
{
    const CUserProfile c = CUserData_Prev_2::ConvertProfile(PreviousProfile());
    EXPECT_EQ(c.AccountFlag(), 7);
    EXPECT_EQ(c.AccountName(), u"olduser");
    EXPECT_EQ(c.Password(), u"secret");
    EXPECT_EQ(c.SpeedUnitWpm(), 101);
    EXPECT_EQ(c.AllowBackspace(), 114);  // previous 14
    EXPECT_EQ(c.CarriedFlag206(), 116);  // previous 16 (15 is not carried)
    EXPECT_EQ(c.ShowPrintDialog(), 120); // previous 20
    EXPECT_EQ(c.OtherTypingTime(), 123456u);
    EXPECT_EQ(c.LoginCount(), 41u);
    EXPECT_EQ(c.TestTypingTime(), 654321u);
    EXPECT_EQ(c.SinglePass(), 90u);
    EXPECT_EQ(c.SingleFullmark(), 250u);
    EXPECT_EQ(c.PassAccuracy(), 88);
    EXPECT_EQ(c.ErrorFactor(), 4);
    EXPECT_EQ(c.LastTestText(), u"Cat\\Text");
    EXPECT_EQ(c.KeyboardLayoutFile(), u"Dvorak");
    EXPECT_EQ(c.GameSpeedLevel(), 30);
    EXPECT_EQ(c.CarriedGameFlag1796(), 34);
    EXPECT_EQ(c.SkinHue(), -40);
    EXPECT_EQ(c.SkinSaturation(), 25);
    EXPECT_EQ(c.ScreenSize(), 2);
    EXPECT_EQ(c.LastCourse(), u"Home row");
    EXPECT_EQ(c.LastLesson(), u"");
    EXPECT_EQ(c.LastTestCategory(), u"Prose");
    EXPECT_EQ(c.TrainGenerateSize(), 2048u);
    EXPECT_EQ(c.TrainTime(), 9);
    EXPECT_EQ(c.PracticeType(), 1);
    EXPECT_EQ(c.TrainViewId(), 2);
    EXPECT_EQ(c.ReviewGenerateSize(), 1024u);
    EXPECT_EQ(c.ReviewDuration(), 7);
    EXPECT_EQ(c.StdDisplaySize(), 3u);
    EXPECT_EQ(c.ReviewViewId(), 4);
    EXPECT_EQ(c.DataGenerateType(), 1);
    EXPECT_EQ(c.Carried3863(), 6);
    EXPECT_EQ(c.DataGenerateSize(), 777u);
    EXPECT_EQ(c.TestTime(), 15);
    EXPECT_EQ(c.ColorNormalText(), 0x00102030u);
    EXPECT_EQ(c.ColorBackground(), 0x00102033u);
    EXPECT_EQ(c.FontName(), u"Courier");
    EXPECT_EQ(c.FontSize(), 18);
    EXPECT_EQ(c.LessonFontSize(), 30);
    EXPECT_EQ(c.FontBold(), 1);
    EXPECT_EQ(c.InterrowSpacing(), 22);
    EXPECT_EQ(c.AllowWordBreak(), 1);
    EXPECT_EQ(c.UseBitCaret(), 1);
    EXPECT_EQ(c.DoubleLineView(), 2);
    EXPECT_EQ(c.TabString(), u"TB");
    EXPECT_EQ(c.SpaceString(), u"SPC");
    EXPECT_EQ(c.WhichHand(), 0);
}

TEST_F(UserDataTest, PreviousFileIsConvertedOnOpenWithRenumberedLiveRecords)
{
    const std::u16string path = Account("old");
    ASSERT_TRUE(MakePreviousFile(path, PreviousProfile(),
                                 {MakePreviousRecord(0, 10, 61000, 300, 280, u"Lesson 1"),
                                  MakePreviousRecord(1, 30, 1000, 1, 1, u"dead"),
                                  MakePreviousRecord(0, 36, 120000, 500, 490, u"Cat\\Copy.txt"),
                                  MakePreviousRecord(0, 33, 30000, 90, 90, u"Review")}));
    CUserProfile got;
    uint32_t error = 0;
    ASSERT_EQ(store.OpenUserFile(path, u"old", got, error), 0) << error;
    EXPECT_EQ(got.AccountName(), u"olduser");
    EXPECT_EQ(got.FullName(), u"olduser");
    EXPECT_EQ(got.LoginCount(), 42u);
    CUserData& f = store.UserFile();
    EXPECT_EQ(f.Version(), 768u);
    ASSERT_EQ(f.Count(), 3u);
    struct Expect
    {
        uint32_t number;
        uint8_t kind, mode;
        uint32_t ms, typed, correct;
        const char16_t* lesson;
    };
    const Expect expect[] = {{1, 10, 2, 61000, 300, 280, u"Lesson 1"},
                             {2, 36, 3, 120000, 500, 490, u"Cat\\Copy.txt"},
                             {3, 33, 4, 30000, 90, 90, u"Review"}};
    for (uint32_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        CResultRecord r;
        ASSERT_TRUE(store.ReadResult(static_cast<int32_t>(i), true, r));
        EXPECT_EQ(r.RecordNumber(), expect[i].number);
        EXPECT_EQ(r.ExerciseKind(), expect[i].kind);
        EXPECT_EQ(r.DeskMode(), expect[i].mode);
        EXPECT_EQ(r.TypingTime(), expect[i].ms);
        EXPECT_EQ(r.CharsTyped(), expect[i].typed);
        EXPECT_EQ(r.CharsCorrect(), expect[i].correct);
        EXPECT_EQ(r.LessonName(), expect[i].lesson);
        EXPECT_EQ(r.CourseName(), u"Old course");
        EXPECT_EQ(r.ExtraName(), u"extra");
        EXPECT_EQ(r.LessonIndex(), 200);
        EXPECT_EQ(r.DisplaySize(), 3);
        EXPECT_EQ(r.EndReason(), 5);
        EXPECT_EQ(r.StartTime().year, 2019);
        EXPECT_EQ(r.StartTime().day, 18);
    }
    store.CloseUserFile();
    EXPECT_EQ(Raw("old").size(), 6656u + 3 * 1156u);
    EXPECT_EQ(AccountFolderNames(), std::vector<std::string>{"old.dat"});
}

CUserData::ConversionStep g_failAt;
bool FailAtChosenStep(CUserData::ConversionStep step)
{
    return step != g_failAt;
}

TEST_F(UserDataTest, FailedConversionAtAnyStepKeepsTheOriginal)
{
    const std::u16string path = Account("keep");
    ASSERT_TRUE(MakePreviousFile(path, PreviousProfile(),
                                 {MakePreviousRecord(0, 10, 1000, 10, 10, u"one"),
                                  MakePreviousRecord(0, 30, 2000, 20, 20, u"two")}));
    const std::string original = Raw("keep");
    using S = CUserData::ConversionStep;
    for (S step : {S::OriginalOpened, S::SideFileCreated, S::RecordsCopied, S::SideFileFlushed}) {
        SCOPED_TRACE(static_cast<int>(step));
        g_failAt = step;
        CUserData::SetConversionHookForTesting(FailAtChosenStep);
        CUserProfile got;
        uint32_t error = 0;
        EXPECT_EQ(store.OpenUserFile(path, u"keep", got, error), LocalUserStore::kOpenFailed);
        EXPECT_EQ(error, store_err::WrongVersion);
        EXPECT_EQ(Raw("keep"), original);
        EXPECT_EQ(AccountFolderNames(), std::vector<std::string>{"keep.dat"});
    }
    CUserData::SetConversionHookForTesting(nullptr);
    CUserProfile got;
    uint32_t error = 0;
    ASSERT_EQ(store.OpenUserFile(path, u"keep", got, error), 0);
    EXPECT_EQ(store.UserFile().Count(), 2u);
}

TEST_F(UserDataTest, PreviousFilesAreListedWithoutBeingConverted)
{
    ASSERT_TRUE(MakePreviousFile(Account("prev"), PreviousProfile(), {}));
    ASSERT_TRUE(MakeUserFile(Account("Cur"), CUserProfile(), {}));
    dir.Write("Account/junk.dat", "not a user file");
    dir.Write("Account/notes.txt", "x");
    const std::string before = Raw("prev");
    Bytes reply;
    ASSERT_TRUE(store.ListAccounts(reply));
    ASSERT_EQ(reply.size(), 2 * 528u);
    EXPECT_EQ(LoadUtf16Field(reply.data() + 8, 260), u"Cur");
    EXPECT_EQ(LoadLe<int32_t>(reply.data() + 528), 1);
    EXPECT_EQ(LoadUtf16Field(reply.data() + 528 + 8, 260), u"prev");
    EXPECT_EQ(Raw("prev"), before);
}

} // namespace
} // namespace kf
