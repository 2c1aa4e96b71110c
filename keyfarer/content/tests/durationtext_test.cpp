#include "content/durationtext.h"

#include "content/resstring.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(DurationText, PartsByUnit)
{
    const std::u16string file = u"[String]\r\ntype=1\r\nIDS_UNITABBR_HOUR=h\r\nIDS_UNITABBR_MIN=min\r\nIDS_UNITABBR_SEC=s\r\n";
    CResString t;
    ASSERT_TRUE(t.ParseStringText(file.data(), static_cast<uint32_t>(file.size() * 2)));
    struct Case { int64_t s; std::u16string text; };
    const Case cases[] = {
        {0, u""}, {59, u"59 s"}, {60, u"1 min"}, {3600, u"1 h"}, {3661, u"1 h 1 min 1 s"},
        {7205, u"2 h 5 s"}, {100 * 3600 + 59 * 60, u"100 h 59 min"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DurationText(c.s, t), c.text) << c.s;
}

} // namespace
} // namespace kf
