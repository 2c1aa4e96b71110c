#include "localuserstore.h"

#include "accountfiles.h"
#include "accountlistentry.h"
#include "accountname.h"

#include "platform/lasterror.h"
#include "platform/path.h"

namespace kf {

LocalUserStore::LocalUserStore(std::u16string_view dataFolder)
{
    SetDataFolder(dataFolder);
}

void LocalUserStore::SetDataFolder(std::u16string_view dataFolder)
{
    m_dataFolder = dataFolder.empty() ? std::u16string() : WithTrailingSeparator(dataFolder);
}

std::u16string LocalUserStore::AccountFolder() const
{
    return m_dataFolder + u"Account\\";
}

std::u16string LocalUserStore::UserFilePath(std::u16string_view account) const
{
    return AccountFolder() + std::u16string(account) + u".dat";
}

void LocalUserStore::CloseUserFile()
{
    LastErrorKeeper keep;
    m_file.Close();
}

int LocalUserStore::OpenUserFile(std::u16string_view path, std::u16string_view account,
                                 CUserProfile& profile, uint32_t& error)
{
    CloseUserFile();
    if (!m_file.Open(path, CMiniDatabase::OpenMode::Write)) {
        const uint32_t storeError = m_file.LastError();
        const uint32_t platform = GetLastError();
        if (storeError == store_err::WrongVersion || storeError == store_err::WrongMagic) {
            error = storeError;
            return kOpenFailed;
        }
        error = platform;
        if (storeError == store_err::OpenFailed &&
            (platform == err::FileNotFound || platform == err::PathNotFound))
            return kOpenNotFound;
        if (platform == err::SharingViolation || platform == err::LockViolation)
            return kOpenLocked;
        return kOpenFailed;
    }
    CUserProfile p = m_file.Profile();
    if (p.AccountName().empty() || p.AccountNameUnterminated())
        p.SetAccountName(account);
    if (p.FullName().empty() || p.FullNameUnterminated())
        p.SetFullName(p.AccountName());
    p.SetLoginCount(p.LoginCount() + 1);
    m_file.SetProfile(p);
    if (!m_file.WriteHeader()) {
        error = GetLastError();
        CloseUserFile();
        SetLastError(error);
        return error == err::LockViolation ? kOpenLocked : kOpenFailed;
    }
    profile = p;
    error = err::Success;
    SetLastError(err::Success);
    return kOpenOk;
}

bool LocalUserStore::CreateUserFile(std::u16string_view account, const CUserProfile& profile)
{
    CloseUserFile();
    if (!IsValidAccountName(account)) {
        SetLastError(err::InvalidName);
        return false;
    }
    if (!CreateFolders(AccountFolder()))
        return false;
    m_file.SetProfile(profile);
    return m_file.Create(UserFilePath(account));
}

bool LocalUserStore::AttachUserFile(std::u16string_view path)
{
    CloseUserFile();
    return m_file.Open(path, CMiniDatabase::OpenMode::Write);
}

bool LocalUserStore::SaveProfile(const CUserProfile& profile)
{
    if (!m_file.IsOpen()) {
        SetLastError(err::InvalidHandle);
        return false;
    }
    m_file.SetProfile(profile);
    return m_file.WriteHeader();
}

bool LocalUserStore::AppendResult(const CResultRecord& record)
{
    return m_file.Append(record.bytes());
}

bool LocalUserStore::ReadResult(int32_t number, bool includeFreeTyping, CResultRecord& out)
{
    if (!m_file.IsOpen()) {
        SetLastError(err::InvalidHandle);
        return false;
    }
    if (number >= 0) {
        if (!m_file.GoTo(static_cast<uint32_t>(number)))
            return false;
        Bytes bytes(CResultRecord::kSize);
        if (!m_file.Read(bytes))
            return false;
        out.Assign(bytes);
        return true;
    }
    bool found = false;
    const bool scanned = m_file.ScanBackward([&](ByteSpan bytes, int64_t) {
        if (!includeFreeTyping && bytes[CResultRecord::kExerciseKind] == kKindFreeTyping)
            return true;
        out.Assign(bytes);
        found = true;
        return false;
    });
    if (!scanned)
        return false;
    if (!found) {
        SetLastError(err::NoMoreItems);
        return false;
    }
    SetLastError(err::Success);
    return true;
}

bool LocalUserStore::ListAccounts(Bytes& reply)
{
    reply.clear();
    std::vector<AccountFile> files;
    if (!ListAccountFiles(AccountFolder(), files))
        return false;
    int32_t index = 0;
    for (const AccountFile& f : files) {
        if (!ReadAccountFile(f.path, nullptr))
            continue;
        CAccountListEntry entry;
        entry.SetIndex(index++);
        entry.SetAccountName(f.account);
        reply.insert(reply.end(), entry.data(), entry.data() + entry.size());
    }
    SetLastError(err::Success);
    return true;
}

} // namespace kf
