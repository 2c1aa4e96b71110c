#include "core/filesearch.h"

#include "platform/filesystem.h"

namespace pw {

std::string TrimNulls(std::string_view text)
{
    const auto end = text.find_last_not_of(std::string_view("\0 ", 2));
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

void SearchFiles(const std::string& folder, std::vector<std::string>& results,
                 const std::function<void()>& pump)
{
    std::vector<FolderEntry> entries;
    if (!ListFolder(folder, entries))
        return;
    std::vector<std::string> subfolders;
    subfolders.reserve(kSubfolderSlots);
    for (const FolderEntry& entry : entries) {
        const std::string name = TrimNulls(entry.name);
        if (!name.empty()) {
            if (entry.isFolder) {
                if (subfolders.size() < std::size_t(kSubfolderSlots))
                    subfolders.push_back(JoinPath(folder, name));
            } else {
                results.push_back(JoinPath(folder, name));
            }
        }
        if (pump)
            pump();
    }
    for (const std::string& sub : subfolders)
        SearchFiles(sub, results, pump);
}

} // namespace pw
