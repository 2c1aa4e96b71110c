// kftool's user and privileges subcommands, run as the real program.
#include "userfiles.h"

#include "content/privileges.h"
#include "platform/utf.h"
#include "testsupport/tempdir.h"
#include "users/userdata.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace kf {
namespace {

namespace fs = std::filesystem;

struct ToolRun
{
    int code = -1;
    std::string out;
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ToolRun Kftool(const std::vector<std::string>& args)
{
    std::string command = Quote(KF_KFTOOL);
    for (const std::string& a : args)
        command += " " + Quote(a);
    command += " 2>&1";
    ToolRun r;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class KftoolUsersTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    std::string data = dir.path().string();
    std::string anna = dir.Native("Account/Anna Berg.dat");

    void SetUp() override
    {
        fs::create_directories(dir.path() / "Account");
        fs::copy_file(fs::path(KF_SOURCE_DIR) / "data/Data/Account/DefConfig.ini",
                      dir.path() / "Account/DefConfig.ini");
    }
};

TEST_F(KftoolUsersTest, CreateMakesTheAccountLikeTheWizard)
{
    const ToolRun r =
        Kftool({"user", "create", "Anna Berg", "--full-name", "Anna B.", "--data", data});
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(Contains(r.out, "created ")) << r.out;
    CUserData f;
    ASSERT_TRUE(f.Open(FromUtf8(anna), true));
    const CUserProfile p = f.Profile();
    EXPECT_EQ(p.AccountName(), u"Anna Berg");
    EXPECT_EQ(p.FullName(), u"Anna B.");
    EXPECT_EQ(p.Password(), u"");
    EXPECT_NE(p.AccountCreated(), 0u);
    EXPECT_EQ(p.SingleFullmark(), 180u);
    EXPECT_EQ(p.NewUserFlag(0), 1);
    EXPECT_EQ(f.Count(), 0u);

    const ToolRun plain = Kftool({"user", "create", "bo", "--data", data});
    ASSERT_EQ(plain.code, 0) << plain.out;
    CUserData b;
    ASSERT_TRUE(b.Open(FromUtf8(dir.Native("Account/bo.dat")), true));
    EXPECT_EQ(b.Profile().FullName(), u"bo");

    struct Case
    {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {{"user", "create", "Anna Berg", "--data", data}, 1, "exists"},
        {{"user", "create", "a:b", "--data", data}, 1, "not a valid account name"},
        {{"user", "create", std::string(32, 'x'), "--data", data}, 1, "longer than 31"},
        {{"user", "create", "x", "--data", dir.Native("nowhere")}, 1, "DefConfig.ini"},
        {{"user", "create"}, 64, "usage"},
    };
    for (const Case& c : cases) {
        const ToolRun bad = Kftool(c.args);
        EXPECT_EQ(bad.code, c.code) << bad.out;
        EXPECT_TRUE(Contains(bad.out, c.says)) << bad.out;
    }
    EXPECT_FALSE(dir.Exists("Account/a:b.dat"));
}

TEST_F(KftoolUsersTest, AddResultDumpAndExport)
{
    ASSERT_EQ(Kftool({"user", "create", "Anna Berg", "--data", data}).code, 0);
    ToolRun r = Kftool({"user", "add-result", anna, "--kind", "30", "--mode", "3", "--time",
                        "60000", "--hits", "300", "--correct", "290", "--course", "Prose",
                        "--lesson", "Prose\\Hello, \"world\".txt"});
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "appended record 0\n");
    r = Kftool({"user", "add-result", anna, "--kind", "99", "--mode", "3", "--time", "0", "--hits",
                "0", "--correct", "0"});
    ASSERT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "appended record 1\n");
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"user", "add-result", anna, "--kind", "30", "--mode", "3"},
          {"user", "add-result", anna, "--kind", "300", "--mode", "3", "--time", "1", "--hits", "1",
           "--correct", "1"},
          {"user", "add-result", anna, "--kind", "30", "--mode", "3", "--time", "1", "--hits", "1",
           "--correct", "2"}})
        EXPECT_EQ(Kftool(bad).code, 64);

    CUserData f;
    ASSERT_TRUE(f.Open(FromUtf8(anna), true));
    ASSERT_EQ(f.Count(), 2u);
    Bytes rec(CResultRecord::kSize);
    ASSERT_TRUE(f.GoTo(0) && f.Read(rec));
    CResultRecord first;
    first.Assign(rec);
    EXPECT_EQ(first.RecordNumber(), 1u);
    EXPECT_EQ(first.ExerciseKind(), 30);
    EXPECT_EQ(first.DeskMode(), 3);
    EXPECT_EQ(first.EndReason(), 5);
    EXPECT_EQ(first.CharsCorrect(), 290u);
    EXPECT_EQ(first.CourseName(), u"Prose");
    EXPECT_NE(first.StartTime().year, 0);

    const ToolRun csv = Kftool({"user", "export", anna, "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.out;
    std::vector<std::string> lines;
    std::istringstream in(csv.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u) << csv.out;
    EXPECT_EQ(lines[0], "start,kind,mode,end_reason,course,lesson,time_ms,hits,correct,gross_cpm,"
                        "net_cpm,accuracy");
    // 300 hits, 10 errors with the error factor 5: net 250 a minute, accuracy 83.33.
    EXPECT_EQ(
        lines[1].substr(19),
        ",30,3,5,Prose,\"Prose\\Hello, \"\"world\"\".txt\",60000,300,290,300.00,250.00,83.33");
    EXPECT_EQ(lines[2].substr(19), ",99,3,5,,,0,0,0,0.00,0.00,0.00");

    const ToolRun json = Kftool({"user", "export", anna, "--json"});
    ASSERT_EQ(json.code, 0);
    EXPECT_TRUE(Contains(json.out, "\"lesson\": \"Prose\\\\Hello, \\\"world\\\".txt\""))
        << json.out;
    EXPECT_TRUE(Contains(json.out, "\"net_cpm\": 250.00, \"accuracy\": 83.33}"));
    EXPECT_EQ(Kftool({"user", "export", anna}).code, 64);

    const ToolRun dump = Kftool({"user", "dump", anna});
    ASSERT_EQ(dump.code, 0);
    for (const char* part :
         {"magic: KYUSRDAT", "version: 768", "records: 2 (2 live)", "  FullName: Anna Berg",
          "  Single_Fullmark: 180", "  Font_Name: Tahoma", "  Train.GenerateSize: 4096",
          "record 1:", "  ExerciseKind: 99"})
        EXPECT_TRUE(Contains(dump.out, part)) << part;
    const ToolRun dumpJson = Kftool({"user", "dump", anna, "--json"});
    ASSERT_EQ(dumpJson.code, 0);
    EXPECT_TRUE(Contains(dumpJson.out, "\"recordCount\": 2"));
    EXPECT_TRUE(Contains(dumpJson.out, "\"Error_Factor\": 5"));
    EXPECT_TRUE(Contains(dumpJson.out, "\"CharsCorrect\": 290"));
}

TEST_F(KftoolUsersTest, ForeignAndDamagedFilesAreReported)
{
    dir.Write("short.dat", "KYUSRDAT");
    dir.Write("other.dat", std::string(7000, 'z'));
    ASSERT_TRUE(test::MakePreviousFile(FromUtf8(dir.Native("prev.dat")),
                                       Bytes(CUserData_Prev_2::kProfileSize, 0),
                                       {test::MakePreviousRecord(0, 30, 5000, 40, 30, u"t")}));
    const std::string prevBefore = dir.Read("prev.dat");
    const ToolRun shortRun = Kftool({"user", "dump", dir.Native("short.dat")});
    EXPECT_EQ(shortRun.code, 1);
    EXPECT_TRUE(Contains(shortRun.out, "error 1")) << shortRun.out;
    const ToolRun other = Kftool({"user", "export", dir.Native("other.dat"), "--csv"});
    EXPECT_EQ(other.code, 1);
    EXPECT_TRUE(Contains(other.out, "error 12")) << other.out;
    const ToolRun missing = Kftool({"user", "dump", dir.Native("none.dat")});
    EXPECT_EQ(missing.code, 1);
    // A previous-format file is shown converted, and left as it is.
    const ToolRun prev = Kftool({"user", "dump", dir.Native("prev.dat")});
    EXPECT_EQ(prev.code, 0) << prev.out;
    EXPECT_TRUE(Contains(prev.out, "version: 512 (previous format")) << prev.out;
    EXPECT_TRUE(Contains(prev.out, "  CharsTyped: 40"));
    EXPECT_EQ(dir.Read("prev.dat"), prevBefore);
}

TEST_F(KftoolUsersTest, PrivilegesMakeAndDump)
{
    const std::string file = dir.Native("privilege.cfg");
    ToolRun r =
        Kftool({"privileges", "make", file, "--deny", "AllowGames", "--deny", "ChooseLesson"});
    ASSERT_EQ(r.code, 0) << r.out;
    Bytes bytes;
    ASSERT_TRUE(LoadPrivilegesFile(FromUtf8(file), bytes));
    CPrivileges p;
    ASSERT_TRUE(p.Load(bytes));
    EXPECT_FALSE(p.AllowGames());
    EXPECT_FALSE(p.ChooseLesson());
    EXPECT_FALSE(p.ChooseCourse()); // cleared after loading: it needs ChooseLesson
    EXPECT_TRUE(p.AllowReview());

    r = Kftool({"privileges", "dump", file});
    ASSERT_EQ(r.code, 0);
    EXPECT_TRUE(Contains(r.out, "AllowGames=0\nAllowReview=1\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "ChooseCourse=1 (used as 0)\nChooseLesson=0\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "StartMode=3\n"));

    r = Kftool({"privileges", "make", file, "--deny", "AllowEverything"});
    EXPECT_EQ(r.code, 64);
    EXPECT_TRUE(Contains(r.out, "unknown privilege \"AllowEverything\""));
    dir.Write("bad.cfg", "KY_PRIVILEGE");
    r = Kftool({"privileges", "dump", dir.Native("bad.cfg")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(Contains(r.out, "not a privileges file"));
}

TEST(ShippedPrivilegesTest, TheInstallationGrantsEverything)
{
    const fs::path staged = fs::path(KF_STAGE_DIR) / "Data/Account/privilege.cfg";
    Bytes bytes;
    ASSERT_TRUE(LoadPrivilegesFile(staged.u16string(), bytes)) << staged;
    CPrivileges p;
    ASSERT_TRUE(p.Load(bytes));
    for (const CPrivileges::Bit& bit : CPrivileges::Bits())
        EXPECT_TRUE(p.Has(bit)) << bit.name;
}

} // namespace
} // namespace kf
