#include "core/getfile.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

struct NameCase
{
    const char* path;
    const char* fileName;
    const char* baseName;
};

TEST(GetFileTest, NamesAndBaseNames)
{
    const NameCase cases[] = {
        {"", "", ""},
        {"report.pdf", "report.pdf", "report"},
        {"/in/report.final.pdf", "report.final.pdf", "report"}, // the first dot, not the last
        {"/in/x.y.pdf", "x.y.pdf", "x"},
        {"/in/notapdf", "notapdf", "notapdf"},
        {"/in/dir.d/plain", "plain", "plain"}, // dots of folders do not count
        {"/in/", "", ""},
        {"/in/.notes.pdf", ".notes.pdf", ".notes"}, // a hidden file keeps its name
        {"/in/...", "...", "..."},
        {"relative/Ünïcode.PDF", "Ünïcode.PDF", "Ünïcode"},
        {"C:\\In\\a.b.pdf", "C:\\In\\a.b.pdf", "C:\\In\\a"}, // a backslash is part of a name here
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(GetFileName(c.path), c.fileName) << c.path;
        EXPECT_EQ(GetBaseName(c.path), c.baseName) << c.path;
    }
}

} // namespace
} // namespace pw
