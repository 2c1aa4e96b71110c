#include "users/pump_typingdata.h"

#include "userfiles.h"

#include "content/privileges.h"
#include "platform/lasterror.h"
#include "testsupport/tempdir.h"
#include "users/accountlistentry.h"
#include "users/historyitem.h"
#include "users/progresspoint.h"
#include "users/pumpexercisedata.h"
#include "users/rankentry.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kf {
namespace {

using test::MakeResult;
using test::MakeUserFile;

struct Shown
{
    std::u16string key;
    std::u16string detail;
    uint32_t code;
};

class CapturingSink : public SupplierMessageSink
{
public:
    std::vector<Shown> shown;
    void ShowSupplierError(std::u16string_view key, std::u16string_view detail,
                           uint32_t code) override
    {
        shown.push_back({std::u16string(key), std::u16string(detail), code});
    }
};

template <typename Record> std::vector<Record> Records(const CPump_TypingData& pump)
{
    const ByteSpan r = pump.Result();
    std::vector<Record> out(r.size() / Record::kSize);
    for (size_t i = 0; i < out.size(); ++i)
        out[i].Assign(r.subspan(i * Record::kSize, Record::kSize));
    return out;
}

class PumpTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    CapturingSink sink;
    CPump_TypingData pump;

    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "Account");
        pump.SetDataFolder(dir.Folder());
        pump.SetMessageSink(&sink);
        pump.SetTexts({u"%d KB, %s", u"Texts: %d, sub-folders: %d", u"Free typing"});
    }
    std::u16string AccountPath(std::u16string_view account)
    {
        return pump.Store().UserFilePath(account);
    }
    void Login(std::u16string_view account)
    {
        CUserProfile p;
        uint32_t error = 0;
        ASSERT_EQ(pump.OpenUserFile(AccountPath(account), account, p, error), 0) << error;
    }
    void AddResults(std::u16string_view account, const std::vector<CResultRecord>& records)
    {
        CUserData f;
        ASSERT_TRUE(f.Open(AccountPath(account), false));
        Bytes all;
        for (const CResultRecord& r : records)
            all.insert(all.end(), r.data(), r.data() + r.size());
        if (!all.empty()) {
            ASSERT_TRUE(f.AppendMany(all));
        }
    }
};

TEST_F(PumpTest, FailureShowsTheErrorKeyWithThePlatformText)
{
    pump.SetErrorKey(u"IDS_ERR_LOADPRIVILEGES");
    EXPECT_FALSE(pump.LoadPrivileges());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].key, u"IDS_ERR_LOADPRIVILEGES");
    EXPECT_EQ(sink.shown[0].code, err::FileNotFound);
    EXPECT_EQ(sink.shown[0].detail, ErrorMessageText(err::FileNotFound));
    EXPECT_EQ(GetLastError(), err::FileNotFound);
    EXPECT_EQ(pump.GetResultLength(), 0u);
}

TEST_F(PumpTest, PrivilegesAnswerAndResultSizeCheck)
{
    const CPrivileges all = CPrivileges::GrantAll();
    Bytes image(all.bytes().begin(), all.bytes().end());
    image.resize(300, 0xEE);
    dir.WriteBytes("Account/privilege.cfg", image);
    pump.SetErrorKey(u"IDS_ERR_LOADPRIVILEGES");
    ASSERT_TRUE(pump.LoadPrivileges());
    EXPECT_TRUE(pump.CheckResultSize(102, true));
    EXPECT_TRUE(pump.CheckResultSize(100, false));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_FALSE(pump.CheckResultSize(103, false));
    EXPECT_FALSE(pump.CheckResultSize(101, true));
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0].key, u"IDS_ERR_INVALIDDATAPACKET");
    EXPECT_EQ(sink.shown[0].code, err::InvalidData);
    CPrivileges p;
    ASSERT_TRUE(p.Load(pump.Result()));
    EXPECT_TRUE(p.AllowNewUsers());
}

TEST_F(PumpTest, EachRequestReplacesTheAnswer)
{
    dir.Write("Dict/words.txt", "alpha beta");
    ASSERT_TRUE(pump.LoadDictionary(u"words.txt"));
    EXPECT_EQ(BytesToUtf16(pump.Result()), u"alpha beta");
    ASSERT_TRUE(pump.ListAccounts());
    EXPECT_EQ(pump.GetResultLength(), 0u);
    ASSERT_TRUE(pump.LoadDictionary(u"words.txt"));
    EXPECT_FALSE(pump.LoadDictionary(u"missing.txt"));
    EXPECT_EQ(pump.GetResultLength(), 0u);
}

TEST_F(PumpTest, NamesThatLeaveTheDataFolderAreRefused)
{
    dir.Write("secret.txt", "no");
    for (auto [folder, file] :
         {std::pair{u"Template\\", u"..\\..\\secret.txt"}, std::pair{u"..\\", u"secret.txt"},
          std::pair{u"/", u"etc/passwd"}}) {
        EXPECT_FALSE(pump.LoadTemplateFile(folder, file, true));
        EXPECT_EQ(GetLastError(), err::InvalidName);
    }
    EXPECT_FALSE(pump.LoadDictionary(u"../secret.txt"));
    EXPECT_EQ(GetLastError(), err::InvalidName);
    dir.Write("Template/printtempl_rank.txt", "\xEF\xBB\xBFRank \xE2\x86\x92");
    ASSERT_TRUE(pump.LoadTemplateFile(u"Template\\", u"printtempl_rank.txt", true));
    EXPECT_EQ(BytesToUtf16(pump.Result()), u"Rank \u2192");
    ASSERT_TRUE(pump.LoadTemplateFile(u"Template", u"printtempl_rank.txt", false));
    EXPECT_EQ(pump.GetResultLength(), 3u + 8u);
}

TEST_F(PumpTest, DefaultProfileNeedsTheFile)
{
    CUserProfile p;
    pump.SetErrorKey(u"IDS_ERR_LOADDEFAULTPROP");
    EXPECT_FALSE(pump.LoadDefaultProfile(p));
    EXPECT_EQ(GetLastError(), err::FileNotFound);
    EXPECT_FALSE(dir.Exists("Account/DefConfig.ini"));
    std::filesystem::copy_file(std::filesystem::path(KF_SOURCE_DIR) /
                                   "data/Data/Account/DefConfig.ini",
                               dir.path() / "Account/DefConfig.ini");
    std::string text = dir.Read("Account/DefConfig.ini");
    text.replace(text.find("SoundOn=1"), 9, "SoundOn=0");
    dir.Write("Account/DefConfig.ini", text);
    ASSERT_TRUE(pump.LoadDefaultProfile(p));
    EXPECT_EQ(p.SoundOn(), 0);
    EXPECT_EQ(p.SinglePass(), 60u);
}

TEST_F(PumpTest, AccountsLoginSaveAndAppend)
{
    CUserProfile p;
    p.SetAccountName(u"ann");
    pump.SetErrorKey(u"IDS_ERR_CREATEUSER");
    ASSERT_TRUE(pump.CreateUserFile(u"ann", p));
    EXPECT_FALSE(pump.CreateUserFile(u"bad|name", p));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].key, u"IDS_ERR_CREATEUSER");
    ASSERT_TRUE(MakeUserFile(AccountPath(u"bob"), CUserProfile(), {}));

    ASSERT_TRUE(pump.ListAccounts());
    const auto accounts = Records<CAccountListEntry>(pump);
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].AccountName(), u"ann");
    EXPECT_EQ(accounts[1].AccountName(), u"bob");
    EXPECT_EQ(accounts[1].Index(), 1);

    Login(u"ann");
    CUserProfile changed;
    uint32_t error = 0;
    ASSERT_EQ(pump.OpenUserFile(AccountPath(u"ann"), u"ann", changed, error), 0);
    changed.SetFullName(u"Ann Lee");
    ASSERT_TRUE(pump.SaveProfile(changed));
    ASSERT_TRUE(pump.AppendResult(MakeResult(10, 5000, 50, 45), Bytes(2048, 1)));
    ASSERT_TRUE(pump.AppendResult(MakeResult(99, 5000, 60, 60)));
    ASSERT_TRUE(pump.LoadResultRecord(-1, false));
    ASSERT_TRUE(pump.CheckResultSize(CResultRecord::kSize, true));
    EXPECT_EQ(Records<CResultRecord>(pump)[0].CharsTyped(), 50u);
    ASSERT_TRUE(pump.LoadResultRecord(-1, true));
    EXPECT_EQ(Records<CResultRecord>(pump)[0].CharsTyped(), 60u);

    // Logging in another user lets go of the first file.
    Login(u"bob");
    CUserData check;
    ASSERT_TRUE(check.Open(AccountPath(u"ann"), false));
    EXPECT_EQ(check.Profile().FullName(), u"Ann Lee");
    EXPECT_EQ(check.Profile().LoginCount(), 2u);
    EXPECT_EQ(check.Count(), 2u);
}

TEST_F(PumpTest, RequestsOnTheUserFileNeedALogin)
{
    for (bool ok : {pump.SaveProfile(CUserProfile()), pump.AppendResult(CResultRecord()),
                    pump.LoadResultRecord(0, true), pump.ListHistoryItems(10, 5),
                    pump.ListProgressPoints(5, 10, 5)})
        EXPECT_FALSE(ok);
    EXPECT_EQ(sink.shown.size(), 5u);
}

TEST_F(PumpTest, HistoryIsNewestFirstAndMayHoldOneMoreThanAsked)
{
    ASSERT_TRUE(MakeUserFile(AccountPath(u"h"), CUserProfile(), {}));
    std::vector<CResultRecord> records;
    for (uint32_t i = 0; i < 1001; ++i)
        records.push_back(MakeResult(30, 1000 * (i + 1), i, i, u"Prose\\Text.TXT"));
    records.push_back(MakeResult(10, 61500, 100, 90, u"Home row"));
    records.push_back(MakeResult(99, 2000, 7, 5));
    AddResults(u"h", records);
    Login(u"h");

    ASSERT_TRUE(pump.ListHistoryItems(30, 1000));
    auto items = Records<CHistoryItem>(pump);
    ASSERT_EQ(items.size(), 1001u);
    EXPECT_EQ(items[0].RecordNumber(), 1000);
    EXPECT_EQ(items[0].GrossStrokes(), 1000);
    EXPECT_EQ(items[0].Duration(), 1001);
    EXPECT_EQ(items[0].ContentName(), u"Text");
    EXPECT_EQ(items[0].DataType(), 30);
    EXPECT_EQ(items[1000].RecordNumber(), 0);

    ASSERT_TRUE(pump.ListHistoryItems(30, 2));
    EXPECT_EQ(Records<CHistoryItem>(pump).size(), 3u);

    // Two codes at once: the low byte and the second byte.
    ASSERT_TRUE(pump.ListHistoryItems(10 | (99 << 8), 10));
    items = Records<CHistoryItem>(pump);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].ContentName(), u"Free typing");
    EXPECT_EQ(items[0].RecordNumber(), 1002);
    EXPECT_EQ(items[0].ErrorStrokes(), 2);
    EXPECT_EQ(items[0].NetStrokes(), 0);
    EXPECT_EQ(items[0].GrossSpeed(), 0.0f);
    EXPECT_EQ(items[1].ContentName(), u"Home row");
    EXPECT_EQ(items[1].Duration(), 61);
    EXPECT_NE(items[1].DateTime(), 0u);

    ASSERT_TRUE(pump.ListHistoryItems(36, 10));
    EXPECT_EQ(pump.GetResultLength(), 0u);
}

TEST_F(PumpTest, ProgressPointsAreOldestFirstWithTheirFigures)
{
    ASSERT_TRUE(MakeUserFile(AccountPath(u"p"), CUserProfile(), {}));
    AddResults(u"p", {MakeResult(10, 60000, 300, 290), MakeResult(30, 60000, 1, 1),
                      MakeResult(10, 30000, 100, 70), MakeResult(10, 999, 50, 50),
                      MakeResult(10, 60000, 0, 0), MakeResult(10, 60000, 10, 20)});
    Login(u"p");
    ASSERT_TRUE(pump.ListProgressPoints(5, 10, 800));
    const auto points = Records<CProgressPoint>(pump);
    ASSERT_EQ(points.size(), 5u);
    struct Expect
    {
        uint32_t seconds;
        uint8_t accuracy;
        uint16_t speed;
    };
    const Expect expect[] = {
        {60, 83, 300}, // (300 - 5 x 10) x 100 / 300
        {30, 0, 200},  // 5 x 30 >= 100
        {0, 100, 0},   // shorter than a second
        {60, 0, 0},    // nothing typed
        {60, 100, 10}, // more correct than typed counts as no error
    };
    for (size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(points[i].DataType(), 10);
        EXPECT_EQ(points[i].Duration(), expect[i].seconds);
        EXPECT_EQ(points[i].GrossSpeed(), expect[i].speed);
        EXPECT_EQ(points[i].Accuracy(), expect[i].accuracy);
    }
    ASSERT_TRUE(pump.ListProgressPoints(5, 10, 2));
    EXPECT_EQ(Records<CProgressPoint>(pump).size(), 2u);
    ASSERT_TRUE(pump.ListProgressPoints(5, 10, 0));
    EXPECT_EQ(pump.GetResultLength(), 0u);
}

TEST_F(PumpTest, RankSumsEveryAccountOfBothFormats)
{
    CUserProfile a;
    a.SetAccountNumber(17);
    ASSERT_TRUE(MakeUserFile(AccountPath(u"amy"), a, {}));
    AddResults(u"amy", {MakeResult(30, 60500, 300, 280), MakeResult(30, 30000, 100, 100),
                        MakeResult(10, 99000, 999, 0)});
    ASSERT_TRUE(MakeUserFile(AccountPath(u"ben"), CUserProfile(), {}));
    ASSERT_TRUE(test::MakePreviousFile(AccountPath(u"old"),
                                       Bytes(CUserData_Prev_2::kProfileSize, 0),
                                       {test::MakePreviousRecord(0, 30, 10000, 40, 30, u"t"),
                                        test::MakePreviousRecord(1, 30, 10000, 40, 30, u"dead")}));
    dir.Write("Account/zz.dat", "junk");

    ASSERT_TRUE(pump.ListRankEntries(0, 30));
    const auto entries = Records<CRankEntry>(pump);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].AccountName(), u"amy");
    EXPECT_EQ(entries[0].AccountNumber(), 17);
    EXPECT_EQ(entries[0].Duration(), 90);
    EXPECT_EQ(entries[0].GrossStrokes(), 400);
    EXPECT_EQ(entries[0].ErrorStrokes(), 20);
    EXPECT_EQ(entries[1].AccountName(), u"ben");
    EXPECT_EQ(entries[1].GrossStrokes(), 0);
    EXPECT_EQ(entries[2].AccountName(), u"old");
    EXPECT_EQ(entries[2].GrossStrokes(), 40);
    EXPECT_EQ(entries[2].ErrorStrokes(), 10);
    EXPECT_FALSE(pump.ListRankEntries(1, 30));
    EXPECT_EQ(GetLastError(), err::InvalidParameter);
}

TEST_F(PumpTest, ContentRequestsAndTheEngineAdapter)
{
    std::string prose;
    while (prose.size() < 300)
        prose += "The quick brown fox jumps over the lazy dog. ";
    prose.resize(300);
    dir.Write("TestTexts/Prose/short.txt", prose);
    dir.Write("TestTexts/Prose/empty.txt", "");
    ASSERT_TRUE(pump.ListTestTexts(u"Prose"));
    ASSERT_EQ(pump.GetResultLength(), 1048u);
    EXPECT_EQ(LoadUtf16Field(pump.Result().data() + 6, 260), u"short");
    EXPECT_EQ(LoadUtf16Field(pump.Result().data() + 526, 260).substr(0, 5), u"1 KB,");
    ASSERT_TRUE(pump.ListTestCategories());
    ASSERT_EQ(pump.GetResultLength(), 1052u);
    EXPECT_EQ(pump.Result()[1048], 0); // no testcfg.ini: test type 0

    PumpExerciseData engine(pump);
    engine.SetErrorKey(u"IDS_ERR_LOADTEST");
    EXPECT_EQ(pump.ErrorKey(), u"IDS_ERR_LOADTEST");
    Bytes text;
    uint8_t type = 9;
    ASSERT_TRUE(engine.ReadTestText(u"Prose\\short", text, type));
    EXPECT_EQ(BytesToUtf16(text), std::u16string(prose.begin(), prose.end()));
    EXPECT_EQ(type, 0);
    EXPECT_FALSE(engine.ReadTestText(u"Prose\\none", text, type));
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_EQ(sink.shown.back().key, u"IDS_ERR_LOADTEST");
    EXPECT_EQ(&engine.TutorialData(), &pump);
}

} // namespace
} // namespace kf
