// User files under stress, with real processes and real files: many writers at once, writers
// killed at random moments, conversions that crash at each step, a read-only data folder and
// a full disk.
#include "userfiles.h"

#include "platform/lasterror.h"
#include "platform/utf.h"
#include "testsupport/tempdir.h"
#include "users/defaultprofile.h"
#include "users/localuserstore.h"
#include "users/userdata.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kf {
namespace {

namespace fs = std::filesystem;

// A worker process (userfileworker.cpp) with its stdout on a pipe.
class Worker
{
public:
    explicit Worker(const std::vector<std::string>& args)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        std::vector<std::string> all = {KF_USERS_WORKER};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_out = fds[0];
    }
    ~Worker()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
        if (m_out >= 0)
            ::close(m_out);
    }
    bool Started() const { return m_pid > 0; }
    void Kill() { ::kill(m_pid, SIGKILL); }
    // The exit status (or 128 + signal), after reading everything the worker printed.
    int Wait()
    {
        ReadAll();
        int status = 0;
        if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid)
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        m_pid = -1;
        return m_status;
    }
    const std::string& Output() const { return m_text; }
    // Reads what is there now without waiting for more.
    size_t LinesSoFar()
    {
        ::fcntl(m_out, F_SETFL, O_NONBLOCK);
        ReadAll();
        ::fcntl(m_out, F_SETFL, 0);
        return static_cast<size_t>(std::count(m_text.begin(), m_text.end(), '\n'));
    }

private:
    void ReadAll()
    {
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(m_out, buf, sizeof buf);
            if (n <= 0)
                break;
            m_text.append(buf, static_cast<size_t>(n));
        }
    }

    pid_t m_pid = -1;
    int m_out = -1;
    int m_status = -1;
    std::string m_text;
};

// The (tag, i) pairs a worker's output acknowledges.
std::set<std::pair<uint32_t, uint32_t>> Acknowledged(const std::string& output)
{
    std::set<std::pair<uint32_t, uint32_t>> acks;
    std::istringstream in(output);
    uint32_t tag = 0, i = 0;
    while (in >> tag >> i)
        acks.insert({tag, i});
    return acks;
}

// Every live record of the file as (tag, i), checking that each is intact.
std::vector<std::pair<uint32_t, uint32_t>> StoredRecords(const std::u16string& path, bool& intact)
{
    std::vector<std::pair<uint32_t, uint32_t>> out;
    intact = true;
    CUserData db;
    if (!db.Open(path, true)) {
        intact = false;
        return out;
    }
    db.ScanForward([&](ByteSpan bytes, int64_t) {
        CResultRecord r;
        r.Assign(bytes);
        const uint32_t tag = r.RecordNumber() / 1000000;
        const uint32_t i = r.RecordNumber() % 1000000;
        const std::u16string name = FromUtf8("w" + std::to_string(tag) + "-" + std::to_string(i));
        if (r.LessonName() != name || r.CharsTyped() != i || r.TypingTime() != 1000 + i ||
            r.ExerciseKind() != 30)
            intact = false;
        out.push_back({tag, i});
        return true;
    });
    return out;
}

class ReliabilityTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    std::u16string path = dir.File("shared.dat");
    std::string native = dir.Native("shared.dat");

    void SetUp() override { ASSERT_TRUE(test::MakeUserFile(path, CUserProfile(), {})); }
};

TEST_F(ReliabilityTest, EightProcessesAppendingAtOnceStoreEveryRecordOnce)
{
    constexpr int kWorkers = 8;
    constexpr int kEach = 1000;
    std::vector<std::unique_ptr<Worker>> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.push_back(std::make_unique<Worker>(std::vector<std::string>{
            "append", native, std::to_string(kEach), std::to_string(w + 1)}));
        ASSERT_TRUE(workers.back()->Started());
    }
    for (auto& w : workers)
        EXPECT_EQ(w->Wait(), 0) << w->Output().substr(0, 200);

    bool intact = false;
    const auto stored = StoredRecords(path, intact);
    EXPECT_TRUE(intact);
    ASSERT_EQ(stored.size(), size_t{kWorkers * kEach});
    CUserData db;
    ASSERT_TRUE(db.Open(path, true));
    EXPECT_EQ(db.HeaderRecordCount(), uint32_t{kWorkers * kEach});
    EXPECT_EQ(fs::file_size(native), 6656u + kWorkers * kEach * 1156u);
    // Each worker's records once each, in the order it appended them.
    std::map<uint32_t, std::vector<uint32_t>> byWorker;
    for (auto [tag, i] : stored)
        byWorker[tag].push_back(i);
    ASSERT_EQ(byWorker.size(), size_t{kWorkers});
    for (auto& [tag, numbers] : byWorker) {
        ASSERT_EQ(numbers.size(), size_t{kEach}) << tag;
        for (uint32_t i = 0; i < kEach; ++i)
            ASSERT_EQ(numbers[i], i) << tag;
    }
}

TEST_F(ReliabilityTest, AppenderKilledAtRandomMomentsLosesNothingAcknowledged)
{
    std::mt19937 random(20240611);
    std::set<std::pair<uint32_t, uint32_t>> acknowledged;
    for (uint32_t round = 1; round <= 12; ++round) {
        SCOPED_TRACE(round);
        Worker w({"hold", native, "1000000", std::to_string(round)});
        ASSERT_TRUE(w.Started());
        // Let it get going, then kill it somewhere in the middle of its appends.
        while (w.LinesSoFar() < 5)
            ::usleep(200);
        ::usleep(std::uniform_int_distribution<int>(0, 20000)(random));
        w.Kill();
        EXPECT_EQ(w.Wait(), 128 + SIGKILL);
        const auto acks = Acknowledged(w.Output());
        acknowledged.insert(acks.begin(), acks.end());

        bool intact = false;
        const auto stored = StoredRecords(path, intact);
        EXPECT_TRUE(intact);
        const std::set<std::pair<uint32_t, uint32_t>> storedSet(stored.begin(), stored.end());
        EXPECT_EQ(storedSet.size(), stored.size());
        for (const auto& a : acknowledged)
            ASSERT_TRUE(storedSet.count(a)) << a.first << " " << a.second;
        // At most the one record the kill interrupted is stored without its acknowledgement.
        EXPECT_LE(stored.size(), acknowledged.size() + round);

        CUserData db;
        ASSERT_TRUE(db.Open(path, true));
        EXPECT_EQ(db.Count(), stored.size());
        EXPECT_LE(6656 + uint64_t{db.Count()} * 1156, fs::file_size(native));
    }
}

TEST_F(ReliabilityTest, ConversionCrashingAtAnyStepNeverLosesTheOriginal)
{
    const std::u16string prev = dir.File("old.dat");
    const std::string prevNative = dir.Native("old.dat");
    Bytes profile(CUserData_Prev_2::kProfileSize, 0);
    StoreUtf16Field(profile.data() + 32, 32, u"old");
    std::vector<Bytes> records;
    for (uint32_t i = 0; i < 300; ++i)
        records.push_back(test::MakePreviousRecord(0, 30, 1000 * i, i, i, u"t"));
    for (int step = 0; step <= 4; ++step) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(test::MakePreviousFile(prev, profile, records));
        const std::string original = dir.Read("old.dat");
        Worker crash({"convert", prevNative, std::to_string(step)});
        ASSERT_EQ(crash.Wait(), 42);
        // Either the untouched original or the complete converted file carries the name.
        const std::string now = dir.Read("old.dat");
        if (step < 4) {
            EXPECT_EQ(now, original);
        } else {
            EXPECT_EQ(now.size(), 6656u + 300u * 1156u);
        }
        // The next open converts (again) and finds every record.
        Worker again({"convert", prevNative, "-1"});
        EXPECT_EQ(again.Wait(), 0);
        EXPECT_EQ(again.Output(), "300\n");
        for (const auto& e : fs::directory_iterator(dir.path()))
            EXPECT_TRUE(e.path().filename() == "old.dat" || e.path().filename() == "shared.dat")
                << e.path();
    }
}

// --- a read-only data folder and a full disk

#define CHECK_OR_RETURN(cond, n)                                                                   \
    do {                                                                                           \
        if (!(cond))                                                                               \
            return n;                                                                              \
    } while (0)

// Runs the checks in a child process as an unprivileged user (the superuser writes into
// read-only folders). The result is the child's exit code.
template <typename F> int RunUnprivileged(F checks)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(checks());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ReliabilityFolderTest, ReadOnlyDataFolderIsReadAndNothingIsWritten)
{
    test::TempDir dir;
    const std::u16string data = dir.Folder();
    fs::create_directories(dir.path() / "Account");
    LocalUserStore setup(data);
    ASSERT_TRUE(test::MakeUserFile(setup.UserFilePath(u"ro"), CUserProfile(),
                                   {test::MakeResult(30, 60000, 100, 90)}));
    ASSERT_TRUE(test::MakePreviousFile(setup.UserFilePath(u"prev"),
                                       Bytes(CUserData_Prev_2::kProfileSize, 0), {}));
    dir.Write("Account/DefConfig.ini", "[General]\nTag=KFDEFCFG\n");
    std::map<std::string, std::string> before;
    for (const auto& e : fs::directory_iterator(dir.path() / "Account"))
        before[e.path().filename().string()] = dir.Read("Account/" + e.path().filename().string());
    for (const auto& e : fs::directory_iterator(dir.path() / "Account"))
        fs::permissions(e.path(),
                        e.path().filename() == "prev.dat" ? fs::perms(0666) : fs::perms(0444));
    fs::permissions(dir.path() / "Account", fs::perms(0555));
    fs::permissions(dir.path(), fs::perms(0755));

    const int failed = RunUnprivileged([&] {
        LocalUserStore store(data);
        CUserProfile p;
        uint32_t error = 0;
        // The login cannot open the file for writing: the platform's reason, no message code.
        CHECK_OR_RETURN(store.OpenUserFile(store.UserFilePath(u"ro"), u"ro", p, error) ==
                            LocalUserStore::kOpenFailed,
                        1);
        CHECK_OR_RETURN(error == err::AccessDenied, 2);
        // A previous-format file (writable itself) cannot be converted in a folder where
        // nothing can be created: the version error.
        CHECK_OR_RETURN(store.OpenUserFile(store.UserFilePath(u"prev"), u"prev", p, error) ==
                            LocalUserStore::kOpenFailed,
                        3);
        CHECK_OR_RETURN(error == store_err::WrongVersion, 4);
        CHECK_OR_RETURN(!store.CreateUserFile(u"new", CUserProfile()), 5);
        CHECK_OR_RETURN(store.UserFile().LastError() == store_err::CreateFailed, 6);
        CHECK_OR_RETURN(GetLastError() == err::AccessDenied, 7);
        // Reading still works: the list, the file itself, and the defaults (whose write-back
        // fails silently).
        Bytes reply;
        CHECK_OR_RETURN(store.ListAccounts(reply) && reply.size() == 2 * 528, 8);
        CUserData reader;
        CHECK_OR_RETURN(reader.Open(store.UserFilePath(u"ro"), true) && reader.Count() == 1, 9);
        CHECK_OR_RETURN(!reader.Append(test::MakeResult(30, 1, 1, 1).bytes()), 10);
        CHECK_OR_RETURN(reader.LastError() == store_err::ReadOnly, 11);
        CUserProfile defaults;
        CHECK_OR_RETURN(LoadDefaultProfile(data + u"Account\\DefConfig.ini", defaults), 12);
        CHECK_OR_RETURN(defaults.SinglePass() == 60 && defaults.FontName() == u"Tahoma", 13);
        return 0;
    });
    EXPECT_EQ(failed, 0);
    fs::permissions(dir.path() / "Account", fs::perms::owner_all, fs::perm_options::add);
    std::map<std::string, std::string> after;
    for (const auto& e : fs::directory_iterator(dir.path() / "Account"))
        after[e.path().filename().string()] = dir.Read("Account/" + e.path().filename().string());
    EXPECT_EQ(after, before);
}

std::string Slurp(const fs::path& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// The checks on a disk that has no room left for anything new. Returns 0 or the failed check.
// existing: the writes into existing files; creating: a new account.
int FullDiskChecks(const std::u16string& data, const fs::path& folder, bool existing, bool creating)
{
    LocalUserStore store(data);
    CUserProfile p;
    uint32_t error = 0;
    if (creating) {
        CHECK_OR_RETURN(!store.CreateUserFile(u"new", CUserProfile()), 6);
        CHECK_OR_RETURN(store.UserFile().LastError() == store_err::CreateFailed, 7);
    }
    if (!existing)
        return 0;
    CHECK_OR_RETURN(store.OpenUserFile(store.UserFilePath(u"full"), u"full", p, error) == 0, 1);
    // The last block of the file may hold a record or two more.
    uint32_t stored = 3;
    while (stored < 10 && store.AppendResult(test::MakeResult(10, 1000, 5, 5)))
        ++stored;
    CHECK_OR_RETURN(stored < 10, 2);
    CHECK_OR_RETURN(GetLastError() == err::DiskFull, 3);
    CHECK_OR_RETURN(store.UserFile().Count() == stored, 4);
    // The profile has its place in the file already.
    p.SetFullName(u"Still saved");
    CHECK_OR_RETURN(store.SaveProfile(p), 5);
    CHECK_OR_RETURN(store.OpenUserFile(store.UserFilePath(u"prev"), u"prev", p, error) ==
                        LocalUserStore::kOpenFailed,
                    8);
    CHECK_OR_RETURN(error == store_err::WrongVersion, 9);
    store.CloseUserFile();
    CUserData reader;
    CHECK_OR_RETURN(reader.Open(store.UserFilePath(u"full"), true), 10);
    CHECK_OR_RETURN(reader.Count() == stored && reader.Profile().FullName() == u"Still saved", 11);
    CHECK_OR_RETURN(fs::file_size(folder / "Account/full.dat") == 6656 + stored * 1156, 13);
    const std::set<std::string> expected = {"full.dat", "prev.dat", "filler"};
    for (const auto& e : fs::directory_iterator(folder / "Account"))
        CHECK_OR_RETURN(expected.count(e.path().filename().string()), 12);
    return 0;
}

void MakeFullDiskFiles(const std::u16string& data, const fs::path& folder)
{
    fs::create_directories(folder / "Account");
    LocalUserStore setup(data);
    ASSERT_TRUE(
        test::MakeUserFile(setup.UserFilePath(u"full"), CUserProfile(),
                           {test::MakeResult(30, 1000, 1, 1), test::MakeResult(30, 1000, 2, 2),
                            test::MakeResult(30, 1000, 3, 3)}));
    std::vector<Bytes> records(20, test::MakePreviousRecord(0, 10, 1000, 5, 5, u"x"));
    ASSERT_TRUE(test::MakePreviousFile(setup.UserFilePath(u"prev"),
                                       Bytes(CUserData_Prev_2::kProfileSize, 0), records));
}

TEST(ReliabilityFolderTest, FullDiskFailsCleanlyAndKeepsEveryFile)
{
    test::TempDir dir;
    const fs::path disk = dir.path() / "disk";
    fs::create_directories(disk);
    // A small file system of its own where the system allows one; otherwise a limit on the
    // size of the files a child process may write. That limit also stops writes inside an
    // existing file past it, so the new account is tried under a smaller limit of its own.
    if (::mount("tmpfs", disk.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0) {
        const std::u16string data = disk.u16string() + u"/";
        MakeFullDiskFiles(data, disk);
        const std::string prevBefore = Slurp(disk / "Account/prev.dat");
        {
            std::ofstream filler(disk / "Account/filler", std::ios::binary);
            const std::string block(4096, 'f');
            while (filler.write(block.data(), block.size()))
                filler.flush();
        }
        EXPECT_EQ(FullDiskChecks(data, disk, true, true), 0);
        EXPECT_EQ(Slurp(disk / "Account/prev.dat"), prevBefore);
        ::umount2(disk.c_str(), MNT_DETACH);
        return;
    }
    const std::u16string data = disk.u16string() + u"/";
    MakeFullDiskFiles(data, disk);
    dir.Write("disk/Account/filler", "");
    const std::string prevBefore = dir.Read("disk/Account/prev.dat");
    const rlim_t fullSize = fs::file_size(disk / "Account/full.dat");
    for (auto [limit, existing] : {std::pair<rlim_t, bool>{fullSize, true}, {4096, false}}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const struct rlimit r = {limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &r);
            ::_exit(FullDiskChecks(data, disk, existing, !existing));
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "limit " << limit;
    }
    EXPECT_EQ(dir.Read("disk/Account/prev.dat"), prevBefore);
}

} // namespace
} // namespace kf
