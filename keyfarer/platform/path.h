#pragma once

// The file-system boundary. The program stores and joins paths as 16-bit texts with backslash
// separators and any letter case, as its data files and settings were written for a platform
// whose file names ignore case. Only here are they turned into POSIX paths: backslashes
// become slashes and every component that does not exist as written is matched, ignoring the
// case of ASCII letters, against the entries of its folder.
//
// Every function that fails returns false (or empty) and sets the last-error value.

#include "bytes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

// The POSIX path (UTF-8) for a stored path. Components that exist in another case resolve to
// the existing entry; the rest stay as written, so a path to a file that is about to be
// created keeps its name.
std::string NativePath(std::u16string_view stored);

// A stored path as the user should see it in a message (slashes, no resolution).
std::u16string DisplayPath(std::u16string_view stored);

// The path with a trailing backslash unless it already ends in a separator.
std::u16string WithTrailingSeparator(std::u16string_view folder);

// The last component of a path (after the last "\" or "/").
std::u16string_view FileNamePart(std::u16string_view path);
// Everything up to and including the last separator; empty when there is none.
std::u16string_view FolderPart(std::u16string_view path);

// The folder of the running program, from /proc/self/exe, with a trailing separator;
// empty on failure.
std::u16string ProgramFolder();

bool FileExists(std::u16string_view path);      // a file (not a folder) exists
bool DirectoryExists(std::u16string_view path); // a folder exists
bool PathExists(std::u16string_view path);      // either
// Size in bytes, or -1 with the last error set.
int64_t FileSize(std::u16string_view path);

// Reads a whole file. Files longer than maxBytes fail with NotEnoughMemory, so a hostile
// file cannot exhaust memory.
constexpr size_t kDefaultMaxRead = size_t{1} << 30;
bool ReadWholeFile(std::u16string_view path, Bytes& out, size_t maxBytes = kDefaultMaxRead);
// Reads at most count bytes from the start of a file; a shorter file gives fewer bytes.
bool ReadFilePrefix(std::u16string_view path, size_t count, Bytes& out);

// Replaces (or creates) a file so that a crash at any moment leaves either the old or the
// new content: the data goes to a file beside it, is flushed to disk, renamed over the
// target, and the folder entry is flushed. An existing file's permissions are kept.
bool WriteFileAtomic(std::u16string_view path, ByteSpan data);

// Creates a new file that must not exist yet (exclusive), with the data flushed to disk.
bool CreateNewFile(std::u16string_view path, ByteSpan data);

struct DirEntry
{
    std::u16string name;
    bool isDirectory = false;
    bool isHidden = false; // the name starts with "."
    bool isSystem = false; // neither a regular file nor a folder (device, pipe, socket)
    uint64_t size = 0;
    int64_t modified = 0;  // seconds since 1970 (UTC)
};

// Lists a folder (without "." and ".."), ordered by name ignoring case, which is the order
// the program's catalogues and lists are built in.
bool ListDirectory(std::u16string_view folder, std::vector<DirEntry>& out);

// Creates a folder (the parent must exist). An existing folder counts as success.
bool CreateFolder(std::u16string_view path);
// Creates a folder and its missing parents.
bool CreateFolders(std::u16string_view path);
bool RemoveFile(std::u16string_view path);
bool RemoveEmptyFolder(std::u16string_view path);
// Copies a file (flushed; written beside and renamed). With failIfExists an existing target
// fails with AlreadyExists and is left untouched.
bool CopyFileTo(std::u16string_view from, std::u16string_view to, bool failIfExists);
// Renames a file, replacing the target (atomic within one file system).
bool MoveFileTo(std::u16string_view from, std::u16string_view to);

// Modification time of a file in seconds since 1970, or -1.
int64_t FileModified(std::u16string_view path);

} // namespace kf
