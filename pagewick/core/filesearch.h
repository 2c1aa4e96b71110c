#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

/// How many subfolders of one folder a search remembers; later ones are not searched.
inline constexpr int kSubfolderSlots = 200;

/// `text` without its trailing run of NUL characters and spaces; empty when it holds only those.
std::string TrimNulls(std::string_view text);

/// Appends every file below `folder` to `results`: first the folder's own files in the order
/// the system lists them, then, depth first, the files of each subfolder in the order found.
/// Only the first 200 subfolders of any one folder are searched. Hidden entries are included;
/// links to folders are not followed. A folder that cannot be listed adds nothing. `pump`,
/// when set, runs after each entry so that the window stays responsive during a long search.
void SearchFiles(const std::string& folder, std::vector<std::string>& results,
                 const std::function<void()>& pump = {});

} // namespace pw
