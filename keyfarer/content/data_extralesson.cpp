#include "data_extralesson.h"

#include "content/pump_tutorialdatabase.h"
#include "content/sectiontext.h"
#include "platform/lasterror.h"
#include "platform/utf.h"

#include <algorithm>
#include <map>

namespace kf {

namespace {

constexpr size_t kTagCapacity = 16;
constexpr size_t kDescriptionCapacity = 260;
constexpr size_t kFontCapacity = 32;
constexpr size_t kTextCapacity = 519;   // 518 characters read
constexpr size_t kImageCapacity = 260;
constexpr size_t kHexCapacity = 64;

std::u16string Decimal(int32_t n)
{
    return FromUtf8(std::to_string(n));
}

// A hexadecimal colour value: leading blanks, an optional "0x", hex digits up to the first
// other character; 0 for an empty value.
uint32_t ParseHex(std::u16string_view v)
{
    size_t i = 0;
    while (i < v.size() && IsBlank(v[i]))
        ++i;
    if (i + 1 < v.size() && v[i] == u'0' && (v[i + 1] == u'x' || v[i + 1] == u'X'))
        i += 2;
    uint32_t n = 0;
    for (; i < v.size(); ++i) {
        const char16_t c = v[i];
        uint32_t d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            break;
        n = (n << 4) | d;
    }
    return n;
}

int32_t SaturatedSum(int32_t a, int32_t b)
{
    const int64_t s = int64_t{a} + b;
    return static_cast<int32_t>(std::clamp<int64_t>(s, INT32_MIN, INT32_MAX));
}

// Reads the keys of one section, or gives the defaults without searching when the section
// name occurs nowhere in the text.
class SectionKeys
{
public:
    SectionKeys(const SectionText& st, std::u16string section)
        : m_st(st), m_section(std::move(section)),
          m_present(FindNoCase(st.Text(), m_section) != std::u16string::npos)
    {
    }
    int32_t Number(std::u16string_view key, int32_t def) const
    {
        return m_present ? m_st.ReadNumber(m_section, key, def) : def;
    }
    std::u16string Text(std::u16string_view key, std::u16string_view def, size_t capacity) const
    {
        return m_present ? m_st.Text(m_section, key, def, capacity) : std::u16string(def.substr(0, capacity - 1));
    }
    uint32_t Hex(std::u16string_view key) const { return ParseHex(Text(key, u"", kHexCapacity)); }

private:
    const SectionText& m_st;
    std::u16string m_section;
    bool m_present;
};

} // namespace

std::u16string ExpandSlideText(std::u16string_view raw, size_t maxLength)
{
    std::u16string out;
    for (size_t i = 0; i < raw.size() && out.size() < maxLength; ++i) {
        if (raw[i] == u'\\' && i + 1 < raw.size() && raw[i + 1] == u'n') {
            out += u'\n';
            ++i;
        } else if (raw[i] == u'\\' && i + 1 < raw.size() && raw[i + 1] == u't') {
            out += u"    ";
            ++i;
        } else {
            out += raw[i];
        }
    }
    if (out.size() > maxLength)
        out.resize(maxLength);
    return out;
}

void CData_ExtraLesson::SetSlideData(ByteSpan bytes)
{
    m_raw.assign(bytes.begin(), bytes.end());
    Clear();
}

void CData_ExtraLesson::Clear()
{
    m_tag.clear();
    m_description.clear();
    m_frames.clear();
    m_parts.clear();
}

bool CData_ExtraLesson::ParseSlides(CPump_TutorialDataBase* pictures)
{
    Clear();
    SectionText st;
    st.Attach(m_raw);
    const SectionKeys header(st, u"Header");
    const std::u16string tag = header.Text(u"TAG", u"", kTagCapacity);
    if (tag != u"KY_SLIDE") {
        SetLastError(err::InvalidData);
        return false;
    }
    m_tag = tag;
    m_description = header.Text(u"Desc", u"", kDescriptionCapacity);
    const int32_t frameCount = std::clamp(header.Number(u"FrameCount", 0), 0, kMaxFrames);

    // One decoded picture per file, shared by the parts that show it.
    std::map<std::u16string, std::shared_ptr<const BmpImage>> loaded;
    for (int32_t f = 0; f < frameCount; ++f) {
        const SectionKeys frameKeys(st, u"Frame_" + Decimal(f));
        const int32_t partCount = std::clamp(frameKeys.Number(u"PartCount", 0), 0, kMaxPartsPerFrame);
        if (partCount == 0)
            continue;
        SlideFrame frame;
        frame.fileNumber = f;
        frame.partCount = partCount;
        frame.timeInterval = frameKeys.Number(u"TimeInterval", 0);
        frame.fillBackground = frameKeys.Number(u"FillBackgnd", 0) != 0;
        frame.backColor = static_cast<uint32_t>(frameKeys.Number(u"BackColor", 0));
        frame.firstPart = static_cast<int32_t>(m_parts.size());
        for (int32_t p = 0; p < partCount; ++p) {
            const SectionKeys keys(st, u"Part_" + Decimal(f) + u"_" + Decimal(p));
            SlidePart part;
            part.type = keys.Number(u"Type", 0);
            part.timeInterval = keys.Number(u"TimeInterval", 0);
            part.left = keys.Number(u"left", 0);
            part.top = keys.Number(u"top", 0);
            part.right = SaturatedSum(part.left, keys.Number(u"width", 0));
            part.bottom = SaturatedSum(part.top, keys.Number(u"height", 0));
            if (part.type == SlidePart::kText) {
                part.opaque = keys.Number(u"Opacity", 1) != 0;
                part.drawFormat = static_cast<uint32_t>(keys.Number(u"DrawFormat", 0));
                part.effects = keys.Number(u"Effects", 0);
                part.marginLeft = keys.Number(u"MarginLeft", 0);
                part.marginTop = keys.Number(u"MarginTop", 0);
                part.fontFace = keys.Text(u"Font_Face", u"Arial", kFontCapacity);
                part.fontSize = keys.Number(u"Font_Size", 90);
                part.bold = keys.Number(u"Font_Bold", 0) != 0;
                part.italic = keys.Number(u"Font_Italic", 0) != 0;
                part.backColor = keys.Hex(u"BackColor");
                part.textColor = keys.Hex(u"Color");
                part.text = ExpandSlideText(keys.Text(u"Text", u"", kTextCapacity), kMaxTextLength);
            } else if (part.type == SlidePart::kPicture) {
                part.viewType = keys.Number(u"ViewType", 0);
                part.effects = keys.Number(u"Effects", 0);
                part.imageFile = keys.Text(u"ImageFile", u"", kImageCapacity);
                if (pictures && !part.imageFile.empty()) {
                    const std::u16string key = ToLowerAscii(part.imageFile);
                    auto it = loaded.find(key);
                    if (it == loaded.end()) {
                        std::shared_ptr<const BmpImage> image;
                        auto decoded = std::make_shared<BmpImage>();
                        if (pictures->ReadTutorialFile(part.imageFile) && decoded->Decode(pictures->Result()))
                            image = std::move(decoded);
                        it = loaded.emplace(key, std::move(image)).first;
                    }
                    part.picture = it->second;
                }
            } else if (part.type == SlidePart::kRectangle) {
                part.border = keys.Number(u"Border", 0) != 0;
                part.borderColor = keys.Hex(u"Color_Border");
                part.backColor = keys.Hex(u"Color_Back");
            }
            m_parts.push_back(std::move(part));
        }
        frame.lastPart = static_cast<int32_t>(m_parts.size()) - 1;
        m_frames.push_back(frame);
    }
    SetLastError(err::Success);
    return true;
}

const SlideFrame* CData_ExtraLesson::Frame(int32_t i) const
{
    if (i < 0 || i >= FrameCount())
        return nullptr;
    return &m_frames[static_cast<size_t>(i)];
}

const SlidePart* CData_ExtraLesson::Part(int32_t i, int32_t j) const
{
    const SlideFrame* frame = Frame(i);
    if (!frame || j < 0 || j >= frame->partCount)
        return nullptr;
    return &m_parts[static_cast<size_t>(frame->firstPart + j)];
}

} // namespace kf
