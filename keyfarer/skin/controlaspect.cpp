#include "skin/controlaspect.h"

#include "skin/bmpcodec.h"
#include "platform/utf.h"

#include <algorithm>

namespace kf {

CControlAspect::CControlAspect()
{
    // A calm blue-slate skin: whites and greys stay neutral under every theme, the blues
    // carry the hue that themes shift.
    SetBaseColor(LookColor::DialogBack, MakeRgb(0xF3, 0xF6, 0xFA));
    SetBaseColor(LookColor::DialogText, MakeRgb(0x1F, 0x29, 0x33));
    SetBaseColor(LookColor::CaptionText, MakeRgb(0xFF, 0xFF, 0xFF));
    SetBaseColor(LookColor::CaptionTextInactive, MakeRgb(0xC9, 0xD8, 0xEA));
    SetBaseColor(LookColor::ControlBack, MakeRgb(0xFF, 0xFF, 0xFF));
    SetBaseColor(LookColor::ControlText, MakeRgb(0x1F, 0x29, 0x33));
    SetBaseColor(LookColor::ControlBorder, MakeRgb(0xB4, 0xC3, 0xD4));
    SetBaseColor(LookColor::ControlBorderHot, MakeRgb(0x3B, 0x7D, 0xD8));
    SetBaseColor(LookColor::DisabledText, MakeRgb(0x9A, 0xA5, 0xB1));
    SetBaseColor(LookColor::Selection, MakeRgb(0x3B, 0x7D, 0xD8));
    SetBaseColor(LookColor::SelectionText, MakeRgb(0xFF, 0xFF, 0xFF));
    SetBaseColor(LookColor::Link, MakeRgb(0x25, 0x63, 0xB8));
    SetBaseColor(LookColor::LinkHover, MakeRgb(0x17, 0x45, 0x85));
    SetBaseColor(LookColor::GridLine, MakeRgb(0xE1, 0xE7, 0xEE));
    SetBaseColor(LookColor::GridHeaderBack, MakeRgb(0xE6, 0xED, 0xF5));
    SetBaseColor(LookColor::GridHeaderText, MakeRgb(0x3E, 0x4C, 0x59));
    SetBaseColor(LookColor::GridAltRow, MakeRgb(0xF7, 0xF9, 0xFC));
    SetBaseColor(LookColor::Accent, MakeRgb(0xF0, 0x9A, 0x1A));
    SetBaseColor(LookColor::DeskText, MakeRgb(0x24, 0x33, 0x45));
    SetBaseColor(LookColor::DeskTextDim, MakeRgb(0x6B, 0x7B, 0x8C));
    SetBaseColor(LookColor::KeyFace, MakeRgb(0xFF, 0xFF, 0xFF));
    SetBaseColor(LookColor::KeyPressed, MakeRgb(0xC5, 0xD9, 0xF2));
    SetBaseColor(LookColor::KeyDisabled, MakeRgb(0xE4, 0xE7, 0xEB));
    SetBaseColor(LookColor::KeyMarked, MakeRgb(0xF0, 0x9A, 0x1A));
    SetBaseColor(LookColor::KeyText, MakeRgb(0x1F, 0x29, 0x33));
    SetBaseColor(LookColor::KeyMarkedText, MakeRgb(0xFF, 0xFF, 0xFF));
    SetBaseColor(LookColor::KeyShadow, MakeRgb(0xC8, 0xCD, 0xD3));
    SetBaseColor(LookColor::InfoCaption, MakeRgb(0x52, 0x60, 0x6D));
    SetBaseColor(LookColor::InfoValue, MakeRgb(0x1F, 0x29, 0x33));
    SetBaseColor(LookColor::InfoBarGross, MakeRgb(0x3B, 0x7D, 0xD8));
    SetBaseColor(LookColor::InfoBarNet, MakeRgb(0x2E, 0xA0, 0x6B));
    SetBaseColor(LookColor::InfoBarWink, MakeRgb(0xF0, 0x9A, 0x1A));
    SetBaseColor(LookColor::InfoBarBack, MakeRgb(0xE3, 0xE9, 0xF0));
    SetBaseColor(LookColor::NoticeTitle, MakeRgb(0x1D, 0x4E, 0x89));
    SetBaseColor(LookColor::NoticeText, MakeRgb(0x2D, 0x3A, 0x47));
    SetBaseColor(LookColor::ClockText, MakeRgb(0xFF, 0xFF, 0xFF));

    const std::u16string ui = u"Noto Sans";
    SetFont(LookFont::Dialog, {ui, 10, 400});
    SetFont(LookFont::DialogBold, {ui, 10, 700});
    SetFont(LookFont::Caption, {ui, 10, 700});
    SetFont(LookFont::Button, {ui, 10, 400});
    SetFont(LookFont::Small, {ui, 8, 400});
    SetFont(LookFont::KeyLarge, {ui, 12, 700});
    SetFont(LookFont::InfoCaption, {ui, 9, 400});
    SetFont(LookFont::InfoValue, {ui, 15, 700});
    SetFont(LookFont::NoticeTitle, {ui, 20, 700});
    SetFont(LookFont::NoticeText, {ui, 12, 400});
    SetFont(LookFont::Clock, {u"DejaVu Sans Mono", 14, 700});
    SetFont(LookFont::MessageText, {ui, 10, 400});

    // frame.bmp: rounded top corners in the caption band, small rounded bottom corners.
    m_dialogFrame.bitmap = skinbmp::kFrame;
    m_dialogFrame.topHeight = 36;
    m_dialogFrame.topLeftWidth = 16;
    m_dialogFrame.topRightWidth = 16;
    m_dialogFrame.bottomLeftWidth = 12;
    m_dialogFrame.bottomRightWidth = 12;
    m_dialogFrame.captionHeight = 34;
    m_dialogFrame.borderWidth = 1;
    m_dialogFrame.bottomHeight = 12;

    // slider.bmp: the track's groove is rows 8..11 of the 20-pixel strip.
    m_sliderBandTop = 8;
    m_sliderBandHeight = 4;
    RecolorColors();
}

std::vector<std::string> CControlAspect::BitmapNames() const
{
    return {skinbmp::kFrame,      skinbmp::kCaptionButtons, skinbmp::kButton,
            skinbmp::kSlider,     skinbmp::kCheckBox,       skinbmp::kRadio,
            skinbmp::kTabs,       skinbmp::kCombo,          skinbmp::kScrollBar,
            skinbmp::kListPieces, skinbmp::kMessageIcons,   skinbmp::kPreview};
}

bool CControlAspect::Init(std::u16string_view installFolder)
{
    m_installFolder.assign(installFolder);
    if (!m_installFolder.empty() && m_installFolder.back() != u'\\' &&
        m_installFolder.back() != u'/')
        m_installFolder += u'\\';
    return Reload();
}

void CControlAspect::SetSkinAdjust(int hueShift, int lightness, int saturation)
{
    m_adjust.hue = std::clamp(hueShift, -180, 180);
    m_adjust.lightness = std::clamp(lightness, -100, 100);
    m_adjust.saturation = std::clamp(saturation, -100, 100);
    RecolorColors();
}

ColorRef CControlAspect::RecolorColor(ColorRef color) const
{
    return CColorConvert::Recolor(color, m_adjust.hue, m_adjust.saturation, m_adjust.lightness);
}

void CControlAspect::RecolorColors()
{
    for (size_t i = 0; i < size_t(LookColor::Count); ++i)
        m_colors[i] = RecolorColor(m_baseColors[i]);
}

bool CControlAspect::LoadRecoloredBitmap(std::u16string_view folder, std::string_view name,
                                         bool recolor, CDib& out, std::string* error) const
{
    std::u16string stored(folder);
    stored += FromUtf8(name);
    stored += u".bmp";
    CDib dib;
    if (!ReadBmpFile(stored, dib, error))
        return false;
    if (recolor && dib.HasColorTable())
        for (ColorRef& entry : dib.Palette())
            entry = RecolorColor(entry);
    out = std::move(dib);
    return true;
}

bool CControlAspect::Reload()
{
    RecolorColors();
    m_pristine.clear();
    m_bitmaps.clear();
    m_loadErrors.clear();
    const std::u16string folder = SkinFolder();
    for (const std::string& name : BitmapNames()) {
        CDib dib;
        std::string reason;
        if (!LoadRecoloredBitmap(folder, name, false, dib, &reason)) {
            m_loadErrors.push_back(name + ": " + reason);
            continue;
        }
        CDib recolored = dib;
        if (recolored.HasColorTable())
            for (ColorRef& entry : recolored.Palette())
                entry = RecolorColor(entry);
        m_pristine.emplace(name, std::move(dib));
        m_bitmaps.emplace(name, std::move(recolored));
    }
    m_dialogShape.Clear();
    if (const CDib* frame = PristineBitmap(m_dialogFrame.bitmap)) {
        if (!m_dialogShape.Build(m_dialogFrame, *frame))
            m_loadErrors.push_back(m_dialogFrame.bitmap + ": smaller than its frame measures");
    }
    // Numbers are unique across all looks, so a cache keyed by a look's address can never
    // mistake a new look for an old one that lived at the same place.
    static unsigned s_lastGeneration = 0;
    m_generation = ++s_lastGeneration;
    return m_loadErrors.empty();
}

const CDib* CControlAspect::Bitmap(std::string_view name) const
{
    auto it = m_bitmaps.find(name);
    return it == m_bitmaps.end() ? nullptr : &it->second;
}

const CDib* CControlAspect::PristineBitmap(std::string_view name) const
{
    auto it = m_pristine.find(name);
    return it == m_pristine.end() ? nullptr : &it->second;
}

} // namespace kf
