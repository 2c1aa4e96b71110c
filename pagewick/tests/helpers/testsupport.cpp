#include "testsupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace pw::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pwtest-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // Folders a test made unreadable must become removable again.
    for (auto it = std::filesystem::recursive_directory_iterator(
             m_path, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void MakeFolders(const std::string& path)
{
    std::filesystem::create_directories(path);
}

void MakeProgramFolder(const std::string& folder)
{
    MakeFolders(folder + "/data");
    std::error_code ignored;
    std::filesystem::create_symlink("/usr/bin/pdftotext", folder + "/data/pdftotext", ignored);
}

bool SleepingPump::Wait(std::int32_t MilliSeconds)
{
    ++waits;
    ::usleep(useconds_t(MilliSeconds) * 1000);
    return true;
}

} // namespace pw::test
