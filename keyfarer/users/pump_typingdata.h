#pragma once

// CPump_TypingData: the data supplier. Every piece of stored data a window shows or saves
// passes through it: courses and lessons, test texts, keyboard layouts, dictionaries, print
// templates, accounts, profiles, privileges and the stored results with their statistics.
// It answers every request from the local store in the installation's data folder.
//
// Calling convention (used everywhere):
//   1. SetErrorKey(key): the string-resource key of the message to show if the request fails;
//   2. issue the request; it returns true on success;
//   3. on failure the supplier has already reported the key and the platform's error text to
//      its message sink (the program's skinned message box with the error icon); the caller
//      only stops. The reason stays in the last-error value;
//   4. on success read GetResult(); where a fixed size is expected call CheckResultSize.
//
// The result buffer is one growable byte buffer shared by all requests (it grows in steps of
// 4096 bytes): each request empties it and leaves its answer there, and the answer stays
// valid until the next request. A request that finds nothing (no accounts, no matching
// results) succeeds with an empty answer.
//
// Answer layouts: accountlistentry.h (ListAccounts), historyitem.h (ListHistoryItems),
// progresspoint.h (ListProgressPoints), rankentry.h (ListRankEntries), resultrecord.h
// (LoadResultRecord), content/privileges.h (LoadPrivileges), content/catalogueentry.h,
// lessonlistentry.h, courserefanswer.h, courseheader.h (the course requests),
// content/testcategoryitem.h and testtextitem.h (test lists), content/locallayouts.h
// (keyboard layouts). Texts (tutorial texts, test texts, dictionaries, text templates) are
// answered as UTF-16LE bytes without a byte order mark.
//
// Start-up and a typical request:
//
//     CPump_TypingData pump;
//     pump.SetDataFolder(installFolder + u"Data\\");
//     pump.SetTexts(SupplierTexts::FromStringTable());
//     pump.SetMessageSink(&messageBoxSink);
//     pump.SetErrorKey(u"IDS_ERR_LOADPRIVILEGES");
//     if (!pump.LoadPrivileges() || !pump.CheckResultSize(CPrivileges::kSize, true))
//         return false;
//     privileges.Load(pump.Result()); // copies the 102 bytes and applies the dependencies
//
// The exercise engine sees the supplier as its CPump_TutorialDataBase (the tutorial
// requests) and, through PumpExerciseData (pumpexercisedata.h), as its ExerciseDataSupplier.
// The object is not shared between threads.

#include "localuserstore.h"
#include "resultrecord.h"
#include "suppliermessagesink.h"
#include "userprofile.h"

#include "content/pump_tutorialdatabase.h"
#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// The interface texts the supplier puts into its answers; the application copies them from
// the string table at start-up.
struct SupplierTexts
{
    std::u16string fileInfo;   // "IDS_FORMAT_FILEINFO": a test text's size and date
    std::u16string folderInfo; // "IDS_FORMAT_FOLDERINFO": a category's texts and sub-folders
    std::u16string freeTyping; // "IDS_USEDATATYPE_FREETYPE": the history name of free typing

    // The three texts from the program's string table (content/resstring.h).
    static SupplierTexts FromStringTable();
};

class CPump_TypingData : public CPump_TutorialDataBase
{
public:
    // Kept for OpenUserFile's results (LocalUserStore's codes).
    static constexpr int kOpenOk = LocalUserStore::kOpenOk;
    static constexpr int kOpenNotFound = LocalUserStore::kOpenNotFound;
    static constexpr int kOpenLocked = LocalUserStore::kOpenLocked;
    static constexpr int kOpenFailed = LocalUserStore::kOpenFailed;

    CPump_TypingData();
    ~CPump_TypingData() override;
    CPump_TypingData(const CPump_TypingData&) = delete;
    CPump_TypingData& operator=(const CPump_TypingData&) = delete;

    // --- set-up (start-up step of the application)
    // The folder holding "Account", "Tutorial", "TestTexts", "KBLayout", "Template", "Dict";
    // a trailing separator is added when missing.
    void SetDataFolder(std::u16string_view dataFolder);
    const std::u16string& DataFolder() const { return m_store.DataFolder(); }
    void SetTexts(const SupplierTexts& texts) { m_texts = texts; }
    const SupplierTexts& Texts() const { return m_texts; }
    // Where failures are reported; null (the default) reports nothing. Not owned.
    void SetMessageSink(SupplierMessageSink* sink) { m_sink = sink; }

    // --- the calling convention
    void SetErrorKey(std::u16string_view key) { m_errorKey.assign(key); }
    const std::u16string& ErrorKey() const { return m_errorKey; }
    const uint8_t* GetResult(size_t* length) const override;
    size_t GetResultLength() const { return m_result.size(); }
    // False, reporting "IDS_ERR_INVALIDDATAPACKET" (InvalidData), when the answer's length
    // differs from size (exact) or is smaller than size (not exact).
    bool CheckResultSize(size_t size, bool exact);

    // --- accounts and profiles
    // The login: opens the account's user file at path for writing and keeps it open until
    // another user logs in (see LocalUserStore::OpenUserFile for the name repair and the login
    // count). Returns kOpenOk, kOpenNotFound, kOpenLocked or kOpenFailed and shows no message:
    // the login dialog shows "IDS_ERR_FILEVERSION" for error 11, "IDS_ERR_FILEFORMAT" for 12,
    // nothing for a missing file and the platform's text for any other error.
    int OpenUserFile(std::u16string_view path, std::u16string_view account, CUserProfile& profile,
                     uint32_t& error);
    // A new user file "Account\" + account + ".dat" holding profile and no results.
    bool CreateUserFile(std::u16string_view account, const CUserProfile& profile);
    // CAccountListEntry records, one per account file that opens.
    bool ListAccounts();
    // The default profile of a new account from "Account\DefConfig.ini" (defaultprofile.h);
    // a missing file fails with FileNotFound, a wrong tag with InvalidData.
    bool LoadDefaultProfile(CUserProfile& profile);
    // Writes the profile into the open user file.
    bool SaveProfile(const CUserProfile& profile);
    // The password change of the local store accepts the old password without checking it;
    // the new one reaches the file with the next SaveProfile.
    bool ChangePassword(std::u16string_view oldPassword, std::u16string_view newPassword);

    // --- results and statistics (of the open user file, the rank of every account)
    // Appends the 1156-byte record; the local store does not keep the key-delay block (the
    // typing desk keeps it in the profile).
    bool AppendResult(const CResultRecord& record, ByteSpan keyDelays = {});
    // The 1156-byte record number (0 = oldest live record); -1: the newest one that is not
    // free typing (99), or the newest of all with keepFreeTyping.
    bool LoadResultRecord(int32_t number, bool keepFreeTyping, uint32_t reserved = 0);
    // CHistoryItem records, newest first, of the results whose kind equals the low or the
    // second byte of types; the answer ends after the item that makes the count exceed
    // maximum (maximum + 1 items at most).
    bool ListHistoryItems(uint32_t types, uint32_t maximum);
    // CProgressPoint records, oldest first, of the results of kind type; at most maximum.
    bool ListProgressPoints(uint32_t errorFactor, uint32_t type, uint32_t maximum);
    // CRankEntry records, one per account file (at most 256); method 0 sums the results of
    // kind type (the only method there is; others fail with InvalidParameter).
    bool ListRankEntries(uint32_t method, uint32_t type);

    // --- installation files
    // The first 102 bytes of "Account\privilege.cfg" (CPrivileges::Load applies the rules).
    bool LoadPrivileges();
    // The text of "Dict\" + name.
    bool LoadDictionary(std::u16string_view name);
    // The file folder + file below the data folder (folder such as "Template\"), decoded by
    // the text reader when text is set, else its bytes. Names that leave the data folder
    // fail with InvalidName.
    bool LoadTemplateFile(std::u16string_view folder, std::u16string_view file, bool text);

    // --- content requests, forwarded to the local content operations of keyfarer/content
    bool ListCourses(int32_t layoutFilter, int32_t handFilter);
    bool ListLessons(std::u16string_view coursePath, uint32_t offerMask, bool includeHidden);
    bool ResolveCourseRef(int32_t kind, int32_t layoutFilter, int32_t handFilter,
                          std::u16string_view course, uint32_t lessonIndex,
                          std::u16string_view lessonName);
    bool ReadTutorialFile(std::u16string_view name) override;
    bool ReadTutorialText(std::u16string_view name, std::u16string* path) override;
    bool ReadCourseHeader(std::u16string_view name) override;
    bool ListTestCategories();
    bool CheckTestCategory(std::u16string_view category);
    bool ListTestTexts(std::u16string_view category);
    // The text of "TestTexts\" + name + ".txt" and its category's "TestType".
    bool ReadTestText(std::u16string_view name, uint8_t& testType);
    bool ListKeyboardLayouts();
    bool LoadKeyboardLayout(std::u16string_view name, uint32_t whichHand);

    // The local store behind the user requests (the open user file).
    LocalUserStore& Store() { return m_store; }

private:
    // Starts a request: the previous answer is gone.
    void Begin();
    // Takes the answer, growing the buffer in whole steps.
    void Answer(Bytes&& reply);
    // Reports the error key with the platform's text of the last error; returns false.
    bool Fail();

    LocalUserStore m_store;
    SupplierTexts m_texts;
    SupplierMessageSink* m_sink = nullptr;
    std::u16string m_errorKey;
    Bytes m_result;
};

} // namespace kf
