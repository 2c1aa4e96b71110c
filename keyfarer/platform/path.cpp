#include "path.h"

#include "lasterror.h"
#include "utf.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kf {

namespace {

bool IsSep(char16_t c)
{
    return c == u'\\' || c == u'/';
}

bool Exists(const std::string& p)
{
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

// Finds an entry of folder whose name equals name ignoring ASCII case.
bool MatchInFolder(const std::string& folder, const std::string& name, std::string& found)
{
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d)
        return false;
    const std::u16string want = FromUtf8(name);
    bool ok = false;
    while (dirent* e = ::readdir(d)) {
        if (EqualsNoCase(FromUtf8(e->d_name), want)) {
            found = e->d_name;
            ok = true;
            break;
        }
    }
    ::closedir(d);
    return ok;
}

std::string Join(const std::string& a, const std::string& b)
{
    if (a.empty())
        return b;
    if (a.back() == '/')
        return a + b;
    return a + "/" + b;
}

int OpenRead(std::u16string_view path)
{
    const std::string p = NativePath(path);
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetLastErrorFromErrno(errno);
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        SetLastError(err::AccessDenied);
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, ByteSpan data)
{
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno(errno);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

void SyncFolderOf(const std::string& file)
{
    const size_t slash = file.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : file.substr(0, slash));
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string NativePath(std::u16string_view stored)
{
    std::string raw;
    {
        std::u16string s(stored);
        for (auto& c : s)
            if (c == u'\\')
                c = u'/';
        raw = ToUtf8(s);
    }
    if (raw.empty() || Exists(raw))
        return raw;
    // Resolve component by component, keeping what exists and matching the rest by case.
    std::string out = raw[0] == '/' ? "/" : "";
    size_t i = 0;
    bool resolving = true;
    while (i < raw.size()) {
        while (i < raw.size() && raw[i] == '/')
            ++i;
        if (i >= raw.size())
            break;
        size_t j = raw.find('/', i);
        if (j == std::string::npos)
            j = raw.size();
        std::string comp = raw.substr(i, j - i);
        std::string next = Join(out, comp);
        if (resolving && comp != "." && comp != ".." && !Exists(next)) {
            std::string found;
            if (MatchInFolder(out, comp, found))
                next = Join(out, found);
            else
                resolving = false; // nothing below a missing folder can exist
        }
        out = next;
        i = j;
    }
    if (!raw.empty() && raw.back() == '/' && (out.empty() || out.back() != '/'))
        out += '/';
    return out;
}

std::u16string DisplayPath(std::u16string_view stored)
{
    std::u16string s(stored);
    for (auto& c : s)
        if (c == u'\\')
            c = u'/';
    return s;
}

std::u16string WithTrailingSeparator(std::u16string_view folder)
{
    std::u16string s(folder);
    if (s.empty() || !IsSep(s.back()))
        s += u'\\';
    return s;
}

std::u16string_view FileNamePart(std::u16string_view path)
{
    size_t i = path.find_last_of(u"\\/");
    return i == std::u16string_view::npos ? path : path.substr(i + 1);
}

std::u16string_view FolderPart(std::u16string_view path)
{
    size_t i = path.find_last_of(u"\\/");
    return i == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, i + 1);
}

std::u16string ProgramFolder()
{
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) {
        SetLastErrorFromErrno(errno);
        return {};
    }
    buf[n] = 0;
    std::string p(buf);
    size_t slash = p.rfind('/');
    if (slash == std::string::npos) {
        SetLastError(err::PathNotFound);
        return {};
    }
    return FromUtf8(p.substr(0, slash + 1));
}

bool FileExists(std::u16string_view path)
{
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::u16string_view path)
{
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(std::u16string_view path)
{
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0;
}

int64_t FileSize(std::u16string_view path)
{
    struct stat st;
    if (::stat(NativePath(path).c_str(), &st) != 0) {
        SetLastErrorFromErrno(errno);
        return -1;
    }
    return static_cast<int64_t>(st.st_size);
}

int64_t FileModified(std::u16string_view path)
{
    struct stat st;
    if (::stat(NativePath(path).c_str(), &st) != 0) {
        SetLastErrorFromErrno(errno);
        return -1;
    }
    return static_cast<int64_t>(st.st_mtime);
}

bool ReadWholeFile(std::u16string_view path, Bytes& out, size_t maxBytes)
{
    out.clear();
    int fd = OpenRead(path);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        if (static_cast<uint64_t>(st.st_size) > maxBytes) {
            ::close(fd);
            SetLastError(err::NotEnoughMemory);
            return false;
        }
        out.reserve(static_cast<size_t>(st.st_size));
    }
    uint8_t buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno(errno);
            ::close(fd);
            out.clear();
            return false;
        }
        if (n == 0)
            break;
        if (out.size() + static_cast<size_t>(n) > maxBytes) {
            ::close(fd);
            out.clear();
            SetLastError(err::NotEnoughMemory);
            return false;
        }
        out.insert(out.end(), buf, buf + n);
    }
    ::close(fd);
    SetLastError(err::Success);
    return true;
}

bool ReadFilePrefix(std::u16string_view path, size_t count, Bytes& out)
{
    out.assign(count, 0);
    int fd = OpenRead(path);
    if (fd < 0) {
        out.clear();
        return false;
    }
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::read(fd, out.data() + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno(errno);
            ::close(fd);
            out.clear();
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(done);
    return true;
}

bool WriteFileAtomic(std::u16string_view path, ByteSpan data)
{
    static std::atomic<unsigned> counter{0};
    const std::string target = NativePath(path);
    mode_t mode = 0644;
    struct stat st;
    if (::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    const std::string temp = target + ".kf-new-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter.fetch_add(1));
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    bool ok = WriteAll(fd, data);
    if (ok && ::fsync(fd) != 0) {
        SetLastErrorFromErrno(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        SetLastErrorFromErrno(errno);
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        ok = false;
    }
    if (!ok) {
        LastErrorKeeper keep;
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(target);
    SetLastError(err::Success);
    return true;
}

bool CreateNewFile(std::u16string_view path, ByteSpan data)
{
    const std::string target = NativePath(path);
    int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        SetLastError(errno == EEXIST ? err::FileExists : ErrnoToError(errno));
        return false;
    }
    bool ok = WriteAll(fd, data);
    if (ok && ::fsync(fd) != 0) {
        SetLastErrorFromErrno(errno);
        ok = false;
    }
    ::close(fd);
    if (!ok) {
        LastErrorKeeper keep;
        ::unlink(target.c_str());
        return false;
    }
    SyncFolderOf(target);
    SetLastError(err::Success);
    return true;
}

bool ListDirectory(std::u16string_view folder, std::vector<DirEntry>& out)
{
    out.clear();
    const std::string dir = NativePath(folder);
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    while (dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        DirEntry entry;
        entry.name = FromUtf8(e->d_name);
        entry.isHidden = e->d_name[0] == '.';
        struct stat st;
        if (::stat(Join(dir, e->d_name).c_str(), &st) == 0) {
            entry.isDirectory = S_ISDIR(st.st_mode);
            entry.isSystem = !S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode);
            entry.size = static_cast<uint64_t>(st.st_size);
            entry.modified = static_cast<int64_t>(st.st_mtime);
        } else {
            continue; // a dangling link or an entry that vanished meanwhile
        }
        out.push_back(std::move(entry));
    }
    ::closedir(d);
    std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
        const std::u16string la = ToLowerAscii(a.name), lb = ToLowerAscii(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    SetLastError(err::Success);
    return true;
}

bool CreateFolder(std::u16string_view path)
{
    const std::string p = NativePath(path);
    if (::mkdir(p.c_str(), 0755) == 0) {
        SetLastError(err::Success);
        return true;
    }
    if (errno == EEXIST) {
        struct stat st;
        if (::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return true;
        SetLastError(err::AlreadyExists);
        return false;
    }
    SetLastErrorFromErrno(errno);
    return false;
}

bool CreateFolders(std::u16string_view path)
{
    std::u16string p(path);
    while (!p.empty() && IsSep(p.back()))
        p.pop_back();
    if (p.empty() || DirectoryExists(p))
        return true;
    std::u16string_view parent = FolderPart(p);
    if (!parent.empty() && parent.size() < p.size() && !CreateFolders(parent))
        return false;
    return CreateFolder(p);
}

bool RemoveFile(std::u16string_view path)
{
    if (::unlink(NativePath(path).c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

bool RemoveEmptyFolder(std::u16string_view path)
{
    if (::rmdir(NativePath(path).c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

bool CopyFileTo(std::u16string_view from, std::u16string_view to, bool failIfExists)
{
    if (failIfExists && PathExists(to)) {
        SetLastError(err::FileExists);
        return false;
    }
    Bytes data;
    if (!ReadWholeFile(from, data))
        return false;
    if (failIfExists)
        return CreateNewFile(to, data);
    return WriteFileAtomic(to, data);
}

bool MoveFileTo(std::u16string_view from, std::u16string_view to)
{
    const std::string target = NativePath(to);
    if (::rename(NativePath(from).c_str(), target.c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    SyncFolderOf(target);
    return true;
}

} // namespace kf
