#pragma once

// Paths of the content files below the data folder. Names that reach the content
// operations come from course, slide and settings files and from the user: a name that is
// absolute or climbs out of its folder with ".." is refused, so a hostile file cannot make
// the program read or delete files outside the data folder.

#include <string>
#include <string_view>

namespace kf {

// True when path is relative (no leading separator, no drive letter) and none of its
// components (split at "\" and "/") is "..". An empty path is not contained.
bool IsContainedRelativePath(std::u16string_view path);

// True when name is one non-empty path component: no separator, not "." or "..".
bool IsSingleComponent(std::u16string_view name);

// dataFolder (with its trailing separator) + folder + "\" + name; folder and name may be
// empty, and no separator is doubled.
std::u16string DataPath(std::u16string_view dataFolder, std::u16string_view folder,
                        std::u16string_view name = {});

} // namespace kf
