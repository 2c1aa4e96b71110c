#pragma once

// Test helpers shared by the test suites: a temporary folder removed at the end of the test,
// small file writers, and a copy of the staged installation tree.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace kf::test {

class TempDir
{
public:
    TempDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "kftest-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back(0);
        if (::mkdtemp(buf.data()))
            m_path = buf.data();
    }
    ~TempDir()
    {
        std::error_code ec;
        // Folders made read-only by a test must become writable again to be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as the program stores paths: 16-bit, with a trailing separator.
    std::u16string Folder() const { return (m_path.u16string() + u"/"); }
    std::u16string File(std::string_view name) const { return (m_path / std::string(name)).u16string(); }
    std::string Native(std::string_view name) const { return (m_path / std::string(name)).string(); }

    void Write(std::string_view name, std::string_view bytes) const
    {
        std::filesystem::path p = m_path / std::string(name);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream f(p, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void WriteBytes(std::string_view name, const std::vector<uint8_t>& bytes) const
    {
        Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    std::string Read(std::string_view name) const
    {
        std::ifstream f(m_path / std::string(name), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
    bool Exists(std::string_view name) const { return std::filesystem::exists(m_path / std::string(name)); }

private:
    std::filesystem::path m_path;
};

// UTF-16LE bytes of an ASCII/UTF-16 text, optionally with the byte order mark.
inline std::string Utf16Bytes(std::u16string_view text, bool bom)
{
    std::string out;
    if (bom)
        out += "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

// Copies the staged installation tree (KF_STAGE_DIR of the build) into dir, so a test can
// run the program or its data operations on a tree of its own.
inline bool CopyStagedTree(const std::filesystem::path& stage, const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::copy(stage, dir,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing,
                          ec);
    return !ec;
}

} // namespace kf::test
