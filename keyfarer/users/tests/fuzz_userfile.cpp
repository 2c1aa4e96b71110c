// Arbitrary bytes as a user data file of either format, opened as the login opens it (which
// converts a previous-format file in place) and read as the lists and statistics read it:
// nothing may crash, walks must agree with the count, and the answers must fit the file.
#include "users/accountfiles.h"
#include "users/localuserstore.h"
#include "users/userstatistics.h"

#include "platform/path.h"
#include "platform/utf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string Folder()
{
    // A memory file system where there is one: the conversion flushes its files.
    const std::string base = kf::DirectoryExists(u"/dev/shm") ? "/dev/shm" : "/tmp";
    return base + "/kf-fuzz-userfile-" + std::to_string(::getpid()) + "/";
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = Folder();
    static const bool made = kf::CreateFolders(kf::FromUtf8(folder + "Account"));
    if (!made)
        return 0;
    const std::string path = folder + "Account/user.dat";
    if (!WriteFile(path, data, size))
        return 0;
    const std::u16string stored = kf::FromUtf8(path);

    // Read-only, as the account list and the rank page read it.
    uint64_t visited = 0;
    kf::CUserProfile profile;
    if (kf::ReadAccountFile(stored, &profile, [&](kf::ByteSpan r) {
            if (r.size() != kf::CResultRecord::kSize)
                std::abort();
            ++visited;
            return true;
        })) {
        if (visited * 620 > size)
            std::abort();
    }
    kf::Bytes reply;
    kf::ListRankEntries(kf::FromUtf8(folder + "Account/"), 0, 30, reply);
    if (reply.size() % kf::CRankEntry::kSize != 0 || reply.size() > kf::CRankEntry::kSize)
        std::abort();

    // The login.
    kf::LocalUserStore store(kf::FromUtf8(folder));
    uint32_t error = 0;
    if (store.OpenUserFile(stored, u"user", profile, error) != kf::LocalUserStore::kOpenOk)
        return 0;
    kf::CUserData& file = store.UserFile();
    const uint64_t count = file.Count();
    if (file.DataStart() + count * file.RecordSize() > static_cast<uint64_t>(kf::FileSize(stored)))
        std::abort();
    uint64_t forward = 0, backward = 0;
    const bool f = file.ScanForward([&](kf::ByteSpan, int64_t) { return ++forward, true; });
    const bool b = file.ScanBackward([&](kf::ByteSpan, int64_t) { return ++backward, true; });
    if (f != b || (f && forward != backward) || forward > count)
        std::abort();
    if (file.First()) {
        uint64_t steps = 0;
        while (file.Next() && ++steps <= count) {
        }
        if (steps > count)
            std::abort();
    }
    if (count > 0)
        file.GoTo(static_cast<uint32_t>(count - 1));
    kf::CResultRecord last;
    store.ReadResult(-1, false, last);
    reply.clear();
    if (kf::ListHistoryItems(file, 30 | (99 << 8), 1000, u"Free", reply) &&
        reply.size() > (forward + 1) * kf::CHistoryItem::kSize)
        std::abort();
    reply.clear();
    if (kf::ListProgressPoints(file, 5, 10, 800, reply) &&
        reply.size() > forward * kf::CProgressPoint::kSize)
        std::abort();
    // The profile written back by the login is read back unchanged.
    store.CloseUserFile();
    kf::CUserProfile again;
    if (kf::ReadAccountFile(stored, &again) && !(again == profile))
        std::abort();
    return 0;
}
