#include "skin/typingaspect.h"

namespace kf {
namespace {

constexpr ToolIconInfo kIcons[] = {
    {DeskIcon::Train, 32774, u"IDS_ICON_TRAIN"},
    {DeskIcon::Examine, 32775, u"IDS_ICON_EXAMINE"},
    {DeskIcon::Game, 112, u"IDS_ICON_GAME"},
    {DeskIcon::Statistics, 32777, u"IDS_ICON_STAT"},
    {DeskIcon::Review, 32787, u"IDS_ICON_REVIEW"},
    {DeskIcon::Config, 32776, u"IDS_ICON_CONFIG"},
    {DeskIcon::TrainConfig, 32783, u"IDS_ICON_TRAIN_CONFIG"},
    {DeskIcon::TestConfig, 32785, u"IDS_ICON_TEST_CONFIG"},
    {DeskIcon::GameConfig, 113, u"IDS_ICON_GAMECONFIG"},
    {DeskIcon::ReviewConfig, 32788, u"IDS_ICON_REVIEW_CONFIG"},
    {DeskIcon::SelectLesson, 32780, u"IDS_ICON_SELECT_LESSON"},
    {DeskIcon::SelectTest, 32781, u"IDS_ICON_SELECT_TEST"},
    {DeskIcon::Stop, 32778, u"IDS_ICON_STOP"},
    {DeskIcon::Back, 32784, u"IDS_ICON_BACK"},
    {DeskIcon::NextLesson, 32770, u"IDS_ICON_NEXTLESSON"},
    {DeskIcon::PagePrev, 110, u"IDS_ICON_PAGEPREV"},
    {DeskIcon::PageNext, 109, u"IDS_ICON_PAGENEXT"},
    {DeskIcon::SoundOn, 111, u"IDS_ICON_SOUND"},
    {DeskIcon::Exit, 32772, u"IDS_ICON_EXIT"},
    {DeskIcon::HomePage, 32773, u"IDS_ICON_HOMEPAGE"},
    {DeskIcon::Help, 114, u"IDS_ICON_HELP"},
    {DeskIcon::ChangePassword, 32771, u"IDS_ICON_CHANGEPASSWD"},
};

constexpr const char16_t* kSounds[kSoundCount] = {
    u"iconhover.wav", u"ResultBad.wav",  u"ResultGood.wav", u"ResultVeryGood.wav", u"WndOpen.wav",
    u"WndClose.wav",  u"MenuExpand.wav", u"flippage.wav",   u"Strike.wav",         u"StrikeErr.wav",
};

// hands.bmp (360 × 170): finger tips of the left hand from thumb to little finger, then of
// the right hand. They match datasrc/skin/hands.svg.
constexpr FingerSpot kFingerSpots[2][5] = {
    {{164, 118, 11}, {124, 40, 10}, {96, 26, 10}, {68, 34, 10}, {40, 58, 9}},
    {{196, 118, 11}, {236, 40, 10}, {264, 26, 10}, {292, 34, 10}, {320, 58, 9}},
};

constexpr int kToolLeft = 8;
constexpr int kToolTop = 58;
constexpr int kToolSlotWidth = 84;
constexpr int kToolSlotHeight = 56;

} // namespace

std::span<const ToolIconInfo> ToolIcons()
{
    return kIcons;
}

int IconRowForCommand(int command)
{
    if (command == 57670)
        return int(DeskIcon::Help);
    for (const ToolIconInfo& info : kIcons)
        if (info.command == command)
            return int(info.icon);
    return -1;
}

int KeyPictureForFinger(int finger)
{
    switch (finger) {
    case 2:
        return 0;
    case 3:
        return 1;
    case 4:
        return 2;
    default:
        return 3;
    }
}

CTypingAspect::CTypingAspect()
{
    const int x0 = 612, x1 = 776;
    auto row = [&](int top, bool bar) {
        InfoFigureLayout l;
        l.caption = {x0, top, x1, top + 16};
        l.value = {x0, top + 16, x1, top + 40};
        if (bar)
            l.bar = {x0, top + 42, x1, top + 50};
        return l;
    };
    m_info[size_t(InfoFigure::Gross)] = row(66, true);
    m_info[size_t(InfoFigure::Net)] = row(122, true);
    m_info[size_t(InfoFigure::Wink)] = row(178, true);
    // The last three share one row of three small columns.
    const int top = 236, w = (x1 - x0) / 3;
    for (int i = 0; i < 3; ++i) {
        InfoFigureLayout l;
        l.caption = {x0 + i * w, top, x0 + (i + 1) * w, top + 16};
        l.value = {x0 + i * w, top + 18, x0 + (i + 1) * w, top + 40};
        m_info[size_t(InfoFigure::Accuracy) + size_t(i)] = l;
    }
}

std::vector<std::string> CTypingAspect::BitmapNames() const
{
    std::vector<std::string> names = CControlAspect::BitmapNames();
    for (const char* name :
         {skinbmp::kDesk, skinbmp::kDeskIcons, skinbmp::kFrameBackground, skinbmp::kFrameCorner,
          skinbmp::kKeys, skinbmp::kHands, skinbmp::kInfoBars, skinbmp::kCaret})
        names.emplace_back(name);
    return names;
}

SkinRect CTypingAspect::KeyboardRect() const
{
    const KeyboardGeometry& g = m_keyboard;
    const int w = 15 * g.unitWidth + 14 * g.gapX;
    const int h = 5 * g.keyHeight + 5 * g.gapY;
    const SkinRect card = KeyboardCardRect();
    const int x = card.left + (card.Width() - w) / 2;
    const int y = card.top + (card.Height() - h) / 2;
    return {x, y, x + w, y + h};
}

SkinRect CTypingAspect::HandsRect() const
{
    constexpr int w = 360, h = 170;
    const SkinRect card = KeyboardCardRect();
    const int x = card.left + (card.Width() - w) / 2;
    const int y = card.top + (card.Height() - h) / 2;
    return {x, y, x + w, y + h};
}

SkinRect CTypingAspect::ToolSlotRect(int slot) const
{
    const int y = kToolTop + slot * kToolSlotHeight;
    return {kToolLeft, y, kToolLeft + kToolSlotWidth, y + kToolSlotHeight};
}

SkinRect CTypingAspect::ToolIconRect(int slot) const
{
    const SkinRect s = ToolSlotRect(slot);
    const int x = s.left + (s.Width() - kIconSize) / 2;
    return {x, s.top + 2, x + kIconSize, s.top + 2 + kIconSize};
}

SkinRect CTypingAspect::ToolLabelRect(int slot) const
{
    const SkinRect s = ToolSlotRect(slot);
    return {s.left, s.top + 2 + kIconSize, s.right, s.bottom};
}

FingerSpot CTypingAspect::HandFingerSpot(int hand, int finger) const
{
    if (hand < 0 || hand > 1 || finger < 0 || finger > 4)
        return {0, 0, 0};
    return kFingerSpots[hand][finger];
}

std::u16string CTypingAspect::SoundFile(int index) const
{
    if (index < 0 || index >= kSoundCount)
        return {};
    return InstallFolder() + u"sound\\" + kSounds[index];
}

std::span<const char16_t* const> CTypingAspect::SoundNames()
{
    return kSounds;
}

} // namespace kf
