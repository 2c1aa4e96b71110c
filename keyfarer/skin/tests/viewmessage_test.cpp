#include "skin/viewmessage.h"

#include <gtest/gtest.h>

using kf::CViewMessage;

TEST(ViewMessage, ButtonsAndResultsByStyle)
{
    struct Case
    {
        unsigned style;
        std::vector<std::pair<std::u16string, int>> buttons;
    } cases[] = {
        {0x00, {{u"IDS_CT_OK", 1}}},
        {0x01, {{u"IDS_CT_OK", 1}, {u"IDS_CT_CANCEL", 2}}},
        {0x02, {{u"IDS_CT_ABORT", 3}, {u"IDS_CT_RETRY", 4}, {u"IDS_CT_IGNORE", 5}}},
        {0x03, {{u"IDS_CT_YES", 6}, {u"IDS_CT_NO", 7}, {u"IDS_CT_CANCEL", 2}}},
        {0x04, {{u"IDS_CT_YES", 6}, {u"IDS_CT_NO", 7}}},
        {0x05, {{u"IDS_CT_RETRY", 4}, {u"IDS_CT_CANCEL", 2}}},
        {0x24, {{u"IDS_CT_YES", 6}, {u"IDS_CT_NO", 7}}}, // icon bits do not change buttons
        {0x0F, {{u"IDS_CT_OK", 1}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::u16string, int>> got;
        for (const auto& b : CViewMessage::ButtonsFor(c.style))
            got.emplace_back(b.textKey, b.result);
        EXPECT_EQ(got, c.buttons) << "style " << c.style;
    }
}

TEST(ViewMessage, IconQuarterAndCloseResult)
{
    EXPECT_EQ(CViewMessage::IconQuarter(0x00), -1);
    EXPECT_EQ(CViewMessage::IconQuarter(0x10), 0);
    EXPECT_EQ(CViewMessage::IconQuarter(0x24), 1);
    EXPECT_EQ(CViewMessage::IconQuarter(0x30), 2);
    EXPECT_EQ(CViewMessage::IconQuarter(0x41), 3);
    EXPECT_EQ(CViewMessage::IconQuarter(0x50), -1);
    EXPECT_EQ(CViewMessage::CloseResult(0x00), 1);
    EXPECT_EQ(CViewMessage::CloseResult(0x01), 2);
    EXPECT_EQ(CViewMessage::CloseResult(0x04), 7);
    EXPECT_EQ(CViewMessage::CloseResult(0x03), 2);
}

TEST(ViewMessage, TextIsCutAt1024CharactersKeepingSurrogatePairs)
{
    CViewMessage m(std::u16string(2000, u'x'), 0);
    EXPECT_EQ(m.MessageText().size(), 1024u);
    std::u16string text(1023, u'a');
    text += u"\U0001F600tail";
    m.SetMessage(text, 0x10);
    EXPECT_EQ(m.MessageText().size(), 1023u);
    EXPECT_EQ(m.Style(), 0x10u);
    m.SetMessage(u"short", 1);
    EXPECT_EQ(m.MessageText(), u"short");
}
