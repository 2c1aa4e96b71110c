#pragma once

// The account files of the "Account" folder as the lists and the rank page see them: every
// "*.dat" file, read-only, in either user file format. A file of the previous format is read
// through its own reader and its results converted on the fly; it is converted on disk only
// when its user logs in.

#include "resultrecord.h"
#include "userprofile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

struct AccountFile
{
    std::u16string account; // the file name without its last 4 characters (".dat")
    std::u16string path;    // the stored path of the file
};

// The "*.dat" files of accountFolder (with its trailing separator), extension in any case, in
// name order ignoring case; folders, hidden and system entries are left out. A missing
// folder gives none (success); a folder that cannot be listed fails.
bool ListAccountFiles(std::u16string_view accountFolder, std::vector<AccountFile>& out);

// Opens path read-only as a user file of either format. With profile, the profile (converted
// for the previous format) is copied out; with visit, every live result is visited from the
// oldest as the bytes of a current-format record (visit returns false to stop). False when
// the file does not open as a user file or a record cannot be read.
bool ReadAccountFile(std::u16string_view path, CUserProfile* profile,
                     const std::function<bool(ByteSpan record)>& visit = {});

} // namespace kf
