// kftool dumps every kind of file the installation ships, run as the real program on the
// staged tree: courses, slide shows, layouts, finger files, the test library, and an
// input-method keyboard; layouts and finger files dumped and made again give the same bytes.
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kf {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KF_STAGE_DIR) / "Data";

struct ToolRun
{
    int code = -1;
    std::string out;
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Standard output only; the messages on standard error are dropped.
ToolRun Kftool(const std::vector<std::string>& args)
{
    std::string command = Quote(KF_KFTOOL);
    for (const std::string& a : args)
        command += " " + Quote(a);
    command += " 2>/dev/null";
    ToolRun r;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string ReadAll(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::vector<fs::path> Files(const fs::path& dir, const std::string& extension)
{
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == extension)
            out.push_back(e.path());
    return out;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(KftoolContent, DumpsEveryShippedCourseAndSlideShow)
{
    const std::vector<fs::path> courses = Files(kData / "Tutorial", ".btf");
    ASSERT_GE(courses.size(), 3u);
    for (const fs::path& c : courses) {
        const ToolRun text = Kftool({"course", "dump", c.string()});
        EXPECT_EQ(text.code, 0) << c;
        EXPECT_TRUE(Contains(text.out, "Tag=KBTRAIN") && Contains(text.out, "[Lesson_0]")) << c;
        const ToolRun json = Kftool({"course", "dump", c.string(), "--json"});
        EXPECT_EQ(json.code, 0) << c;
        EXPECT_TRUE(Contains(json.out, "\"lessons\"")) << c;
    }
    const std::vector<fs::path> slides = Files(kData / "Tutorial", ".sld");
    ASSERT_GE(slides.size(), 3u);
    for (const fs::path& s : slides) {
        const ToolRun r = Kftool({"slide", "dump", s.string(), "--data", kData.string()});
        EXPECT_EQ(r.code, 0) << s;
        EXPECT_TRUE(Contains(r.out, "TAG=KY_SLIDE")) << s;
        // Every picture of a shipped slide show is found and decoded.
        EXPECT_FALSE(Contains(r.out, "Picture=not loaded")) << s << "\n" << r.out;
    }
    EXPECT_NE(Kftool({"course", "dump", (kData / "KBLayout" / "US.kbl").string()}).code, 0);
}

TEST(KftoolContent, LayoutsAndFingerFilesDumpToSourcesThatMakeTheSameFiles)
{
    const test::TempDir tmp;
    const std::vector<fs::path> layouts = Files(kData / "KBLayout", ".kbl");
    ASSERT_GE(layouts.size(), 6u);
    for (const fs::path& l : layouts) {
        const ToolRun dump = Kftool({"kbl", "dump", l.string()});
        ASSERT_EQ(dump.code, 0) << l;
        const fs::path source = tmp.path() / (l.stem().string() + ".txt");
        std::ofstream(source, std::ios::binary) << dump.out;
        const fs::path made = tmp.path() / l.filename();
        ASSERT_EQ(Kftool({"kbl", "make", source.string(), made.string()}).code, 0) << l;
        EXPECT_EQ(ReadAll(made), ReadAll(l)) << l;
        EXPECT_EQ(Kftool({"kbl", "dump", l.string(), "--json"}).code, 0) << l;
    }
    const std::vector<fs::path> fingers = Files(kData / "KBLayout", ".dat");
    ASSERT_GE(fingers.size(), 4u);
    for (const fs::path& f : fingers) {
        const ToolRun dump = Kftool({"finger", "dump", f.string()});
        ASSERT_EQ(dump.code, 0) << f;
        const fs::path source = tmp.path() / (f.stem().string() + ".txt");
        std::ofstream(source, std::ios::binary) << dump.out;
        const fs::path made = tmp.path() / f.filename();
        ASSERT_EQ(Kftool({"finger", "make", source.string(), made.string()}).code, 0) << f;
        EXPECT_EQ(ReadAll(made), ReadAll(f)) << f;
    }
    const ToolRun list = Kftool({"kbl", "list", kData.string()});
    EXPECT_EQ(list.code, 0);
    EXPECT_TRUE(Contains(list.out, "German.kbl\t2\t0")) << list.out;
}

TEST(KftoolContent, ListsTheTestLibraryAndDumpsAnInputMethodKeyboard)
{
    const ToolRun categories = Kftool({"test", "list", "--data", kData.string()});
    EXPECT_EQ(categories.code, 0);
    EXPECT_TRUE(Contains(categories.out, "Copy from Paper")) << categories.out;
    const ToolRun texts = Kftool({"test", "list", "Everyday Prose", "--data", kData.string()});
    EXPECT_EQ(texts.code, 0);
    EXPECT_TRUE(Contains(texts.out, "A Walk in the Rain")) << texts.out;

    const test::TempDir tmp;
    const fs::path ikbl = tmp.path() / "wubi.ikbl";
    // UTF-16 with a byte order mark, as course keyboards are stored.
    const std::u16string text =
        u"\uFEFF[General]\r\nTag=IMEKEYBOARDLAYOUT\r\nContainNumericKey=1\r\n"
        u"[KeyChars]\r\nQ=\u91D1\r\n1=\u4E00\r\n";
    std::ofstream(ikbl, std::ios::binary)
        .write(reinterpret_cast<const char*>(text.data()),
               static_cast<std::streamsize>(2 * text.size()));
    const ToolRun dump = Kftool({"ikbl", "dump", ikbl.string()});
    EXPECT_EQ(dump.code, 0);
    EXPECT_TRUE(Contains(dump.out, "reduced keyboard of 36 keys")) << dump.out;
    EXPECT_TRUE(Contains(dump.out, "Q=\xE9\x87\x91")) << dump.out;
    EXPECT_TRUE(Contains(Kftool({"ikbl", "dump", ikbl.string(), "--json"}).out,
                         "\"label\": \"\xE4\xB8\x80\""));
    EXPECT_EQ(Kftool({"ikbl", "dump", (kData / "KBLayout" / "US.kbl").string()}).code, 1);
}

} // namespace
} // namespace kf
