#include "platform/filesystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {

namespace {

bool StatFollowing(const std::string& path, struct stat& st)
{
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
        }
        if (type == DT_LNK) {
            struct stat st;
            if (::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode))
                continue;
        }
        entries.push_back({name, type == DT_DIR});
    }
    ::closedir(dir);
    return true;
}

bool IsFolder(const std::string& path)
{
    struct stat st;
    return StatFollowing(path, st) && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path)
{
    struct stat st;
    return StatFollowing(path, st) && !S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

bool MakeFolder(const std::string& path)
{
    return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

FileStamp StampOf(const std::string& path)
{
    FileStamp stamp;
    struct stat st;
    if (!StatFollowing(path, st) || S_ISDIR(st.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = std::int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}

bool ReadFileHead(const std::string& path, std::size_t limit, std::string& bytes)
{
    bytes.clear();
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    char buffer[8192];
    bool ok = true;
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    if (path.empty())
        return false;
    const std::string temp = path + ".new";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk too, or a crash could bring the old name back.
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

} // namespace pw
