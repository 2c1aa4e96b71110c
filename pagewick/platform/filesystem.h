#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The few file-system calls pagewick needs, on POSIX. Paths are byte strings as the system
// stores them (UTF-8 on a normal Debian machine).

namespace pw {

struct FolderEntry
{
    std::string name;
    bool isFolder = false;
};

/// Lists `folder` in the order the system returns its entries, hidden entries included and
/// "." and ".." left out. A link to a folder is left out as well, so that a search cannot run
/// in circles; a link to anything else (or a broken one) is listed as a file. Returns false,
/// with `entries` empty, when the folder cannot be opened.
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);

/// True when `path` names a folder (following links).
bool IsFolder(const std::string& path);

/// True when something other than a folder exists at `path` (following links).
bool IsFile(const std::string& path);

/// True when anything exists at `path`.
bool PathExists(const std::string& path);

/// Creates the one folder `path`; its parent must exist. Returns false when it cannot.
bool MakeFolder(const std::string& path);

/// What identifies one version of a file, to tell whether a program rewrote it.
struct FileStamp
{
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

/// The stamp of the file at `path`; `exists` is false when there is no file (or only a folder).
FileStamp StampOf(const std::string& path);

/// Reads at most `limit` bytes from the start of the file into `bytes`. Returns false when
/// the file cannot be opened or read.
bool ReadFileHead(const std::string& path, std::size_t limit, std::string& bytes);

/// Replaces the file at `path` with `bytes` so that a crash at any moment leaves either the
/// old or the new content: the bytes go to a file beside it, are flushed to the disk, and the
/// file is renamed over the old one. Returns false (and leaves the old file) on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

/// `folder` joined with `name` by one "/" (none added when `folder` already ends in one).
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace pw
