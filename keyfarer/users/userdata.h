#pragma once

// CUserData: the user data file of the current format, one per account: "Account\" + account
// name + ".dat" in the data folder. A record file store (minidatabase.h) whose extended
// header is the user's profile (userprofile.h) and whose records are the results of finished
// exercises (resultrecord.h).
//
// Format: magic "KYUSRDAT", version 768 (0x300), header size 6212 (the 6112-byte profile at
// file offset 100), data start 6656, records of 1156 bytes.
//
// Opening a file of the previous format (version 512, userdata_prev_2.h) converts it. The
// converted file is built beside the original ("<file>.kfconv"), flushed to disk, and renamed
// over the original in one step, all while this process holds the original as its only
// writer; a crash at any moment leaves either the untouched original (converted again at the
// next open) or the complete converted file.

#include "minidatabase.h"
#include "resultrecord.h"
#include "userprofile.h"

#include <string_view>

namespace kf {

class CUserData : public CMiniDatabase
{
public:
    static constexpr char16_t kMagic[] = u"KYUSRDAT";
    static constexpr uint32_t kVersion = 0x300;
    static constexpr uint32_t kHeaderSize = kBaseHeaderSize + CUserProfile::kSize;
    static constexpr uint32_t kRecordSize = CResultRecord::kSize;
    static_assert(kHeaderSize == 6212);
    static_assert(DataStartFor(kHeaderSize) == 6656);

    CUserData();

    // The profile image held for the open file (the extended header), and its replacement;
    // SetProfile changes only the image, WriteHeader stores it.
    CUserProfile Profile() const;
    void SetProfile(const CUserProfile& profile);

    // Off: a previous-format file is rejected with error 11 instead of being converted
    // (tools that only look at a file).
    void SetConvertPrevious(bool convert) { m_convertPrevious = convert; }

    // Converts the previous-format file at path into the current format in place, as
    // described above. False with the last error set when any step fails; the original is
    // then unchanged.
    static bool ConvertPreviousFile(std::u16string_view path);

    // The steps of a conversion, in order, at which a test may stop it: a hook that returns
    // false fails the conversion there (with WriteFault), one that ends the process shows
    // what a crash at that moment leaves behind.
    enum class ConversionStep {
        OriginalOpened,  // the original is held and read
        SideFileCreated, // the converted file exists beside it with its profile
        RecordsCopied,   // every record is in the converted file
        SideFileFlushed, // the converted file is complete and on disk
        Replaced,        // the converted file has taken the original's name
    };
    using ConversionHook = bool (*)(ConversionStep step);
    // Null (the default) runs every step.
    static void SetConversionHookForTesting(ConversionHook hook);

protected:
    // Accepts magic "KYUSRDAT" with version 768; converts version 512 and asks for a
    // reopen; rejects other versions (11) and other magics (12, platform InvalidData).
    HeaderCheck CheckHeader() override;
    void InitHeader(uint8_t* header) override;

private:
    bool m_convertPrevious = true;
};

} // namespace kf
