#include "accountfiles.h"

#include "userdata.h"
#include "userdata_prev_2.h"

#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/utf.h"

namespace kf {

bool ListAccountFiles(std::u16string_view accountFolder, std::vector<AccountFile>& out)
{
    out.clear();
    if (!DirectoryExists(accountFolder)) {
        SetLastError(err::Success);
        return true;
    }
    std::vector<DirEntry> entries;
    if (!ListDirectory(accountFolder, entries))
        return false;
    const std::u16string folder = WithTrailingSeparator(accountFolder);
    for (const DirEntry& e : entries) {
        if (e.isDirectory || e.isHidden || e.isSystem || e.name.size() <= 4)
            continue;
        const std::u16string_view ext = std::u16string_view(e.name).substr(e.name.size() - 4);
        if (!EqualsNoCase(ext, u".dat"))
            continue;
        out.push_back({e.name.substr(0, e.name.size() - 4), folder + e.name});
    }
    SetLastError(err::Success);
    return true;
}

bool ReadAccountFile(std::u16string_view path, CUserProfile* profile,
                     const std::function<bool(ByteSpan record)>& visit)
{
    CUserData current;
    current.SetConvertPrevious(false);
    if (current.Open(path, CMiniDatabase::OpenMode::ReadOnly)) {
        if (profile)
            *profile = current.Profile();
        if (!visit)
            return true;
        return current.ScanForward([&](ByteSpan bytes, int64_t) { return visit(bytes); });
    }
    if (current.LastError() != store_err::WrongVersion)
        return false;
    CUserData_Prev_2 previous;
    if (!previous.Open(path, CMiniDatabase::OpenMode::ReadOnly))
        return false;
    if (profile)
        *profile = CUserData_Prev_2::ConvertProfile(previous.ProfileBytes());
    if (!visit)
        return true;
    uint32_t number = 0;
    return previous.ScanForward([&](ByteSpan bytes, int64_t) {
        return visit(CUserData_Prev_2::ConvertRecord(bytes, ++number).bytes());
    });
}

} // namespace kf
