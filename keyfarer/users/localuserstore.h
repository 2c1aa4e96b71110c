#pragma once

// LocalUserStore: the user-file operations of the local store, which the data supplier
// (pump_typingdata.h) forwards its account and result requests to. It holds the one user data
// file the program keeps open for writing: the file of the logged-in user, opened by the
// login and kept until another user logs in or the store is destroyed. Every other account
// file is only ever opened read-only (lists, ranks).
//
// Paths: an account's file is data folder + "Account\" + account + ".dat". Failures return
// false (or a result code) with the reason in the last-error value; nothing here shows a
// message.

#include "userdata.h"

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class LocalUserStore
{
public:
    // Results of OpenUserFile.
    static constexpr int kOpenOk = 0;
    static constexpr int kOpenNotFound = 2;
    static constexpr int kOpenLocked = 3;
    static constexpr int kOpenFailed = 4;

    // dataFolder: the folder holding "Account" (a trailing separator is added when missing).
    explicit LocalUserStore(std::u16string_view dataFolder = {});

    void SetDataFolder(std::u16string_view dataFolder);
    const std::u16string& DataFolder() const { return m_dataFolder; }
    // data folder + "Account\".
    std::u16string AccountFolder() const;
    // data folder + "Account\" + account + ".dat".
    std::u16string UserFilePath(std::u16string_view account) const;

    // The login step: closes the file held open, opens path for writing (converting a file
    // of the previous format), copies the profile out and repairs its names (an account name
    // that is empty or runs past its 32 units becomes account; a full name that does so
    // becomes the account name), counts one more login and writes the profile back. Returns
    // kOpenOk, kOpenNotFound (no such file), kOpenLocked (another process has it open for
    // writing or holds a lock) or kOpenFailed. error receives the reason: the store's error
    // number for a file of another version (11) or format (12), else the platform error.
    int OpenUserFile(std::u16string_view path, std::u16string_view account, CUserProfile& profile,
                     uint32_t& error);

    // Closes the file held open, then creates "Account\" + account + ".dat" with the profile
    // and no results (the new file replaces an existing one atomically, and only when no other
    // writer has that open). The new file is then the one held open. The account name must
    // pass IsValidAccountName (InvalidName otherwise).
    bool CreateUserFile(std::u16string_view account, const CUserProfile& profile);

    // Opens path for writing and holds it, without the login's changes to the profile (tools
    // that append results to a given file).
    bool AttachUserFile(std::u16string_view path);
    void CloseUserFile();
    bool HasOpenUserFile() const { return m_file.IsOpen(); }
    // The file held open (closed when there is none).
    CUserData& UserFile() { return m_file; }
    const CUserData& UserFile() const { return m_file; }

    // Stores the profile in the open file's header (flushed to disk).
    bool SaveProfile(const CUserProfile& profile);
    // Appends the record to the open file.
    bool AppendResult(const CResultRecord& record);
    // number -1: the newest record whose exercise kind is not 99 (free typing), or the
    // newest of all with includeFreeTyping; otherwise the number-th live record from the
    // oldest. Fails with NoMoreItems when there is no such record, InvalidHandle when no file
    // is open.
    bool ReadResult(int32_t number, bool includeFreeTyping, CResultRecord& out);

    // One CAccountListEntry (accountlistentry.h) per "*.dat" file of "Account" (extension in
    // any case, in name order ignoring case) that opens read-only as a user data file of
    // either format (a previous-format file is listed, not converted). A missing Account
    // folder answers no entries; a folder that cannot be listed fails.
    bool ListAccounts(Bytes& reply);

private:
    std::u16string m_dataFolder;
    CUserData m_file;
};

} // namespace kf
