#include "platform/textformat.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(FormatText, FillsPlaceholdersInOrder)
{
    struct Case { std::u16string pattern; std::vector<FormatArg> args; std::u16string out; };
    const std::vector<Case> cases = {
        {u"%s%s%s.dat", {u"/data/", u"Account\\", u"alice"}, u"/data/Account\\alice.dat"},
        {u"%d %s", {75, u"min"}, u"75 min"},
        {u"%02d:%02d", {5, 7}, u"05:07"},
        {u"%-4s|", {u"ab"}, u"ab  |"},
        {u"%5d|%-5d|", {-42, 42}, u"  -42|42   |"},
        {u"%ld%% done", {99L}, u"99% done"},
        {u"%x %X", {255, 255}, u"ff FF"},
        {u"%u", {-1}, u"4294967295"},
        {u"%c%c", {65, u"Bee"}, u"AB"},
        {u"%.2f", {3.14159}, u"3.14"},
        {u"%.3s", {u"abcdef"}, u"abc"},
        {u"%d", {u"text where a number stood"}, u"text where a number stood"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatText(c.pattern, c.args), c.out);
}

TEST(FormatText, PlaceholdersWithoutArgumentsStayAsWritten)
{
    // A hostile or mistaken interface text cannot make the formatter read past its arguments.
    EXPECT_EQ(FormatText(u"%s and %s and %d", {u"one"}), u"one and %s and %d");
    EXPECT_EQ(FormatText(u"%n %p %q", {1}), u"%n %p %q");
    EXPECT_EQ(FormatText(u"100%", {}), u"100%");
    EXPECT_EQ(FormatText(u"%99999999999d", {1}).size(), 1000u);
}

} // namespace
} // namespace kf
