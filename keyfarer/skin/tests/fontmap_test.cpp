#include "skin/fontmap.h"

#include <gtest/gtest.h>

TEST(FontMap, WindowsFacesGetDebianStandInsInOrder)
{
    struct Case
    {
        const char16_t* face;
        std::vector<std::u16string> firstThree;
    } cases[] = {
        {u"Tahoma", {u"Tahoma", u"DejaVu Sans", u"Noto Sans"}},
        {u"courier new", {u"courier new", u"Liberation Mono", u"DejaVu Sans Mono"}},
        {u"Times New Roman", {u"Times New Roman", u"Liberation Serif", u"DejaVu Serif"}},
        {u"Arial", {u"Arial", u"Liberation Sans", u"Noto Sans"}},
        {u"SimSun", {u"SimSun", u"WenQuanYi Micro Hei", u"Noto Sans"}},
        {u"Acme Mono", {u"Acme Mono", u"DejaVu Sans Mono", u"Noto Sans"}},
        {u"Noto Sans", {u"Noto Sans", u"DejaVu Sans"}},
    };
    for (const Case& c : cases) {
        auto got = kf::FontCandidates(c.face);
        got.resize(std::min(got.size(), c.firstThree.size()));
        EXPECT_EQ(got, c.firstThree);
    }
    EXPECT_EQ(kf::FontCandidates(u"").front(), u"Noto Sans");
}
