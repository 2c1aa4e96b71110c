#pragma once

// CData_ExtraLesson: a slide show, the extra file of a lesson of Type 1 or 2, held as its raw
// text and as the frames and parts the slide view draws.
//
// The file is UTF-16 INI-style text in the Tutorial folder, read with the section text
// reader; numbers are decimal, colours written in hexadecimal are 0x00BBGGRR values.
//
//   [Header]     TAG (must be "KY_SLIDE"), Desc (259 characters), FrameCount (cut to 64)
//   [Frame_f]    PartCount (cut to 32; a frame with none is left out), TimeInterval,
//                FillBackgnd (non-zero: fill with BackColor), BackColor (decimal)
//   [Part_f_p]   Type (0 text, 1 picture, 2 rectangle), TimeInterval, left, top, width,
//                height; the part covers left, top, left + width, top + height
//     text       Opacity (1: fill with BackColor first), DrawFormat (text-drawing flags added
//                to word wrapping), Effects, MarginLeft, MarginTop, Font_Face ("Arial", 31
//                characters), Font_Size (90), Font_Bold, Font_Italic, BackColor and Color
//                (hexadecimal), Text (518 characters; "\n" is a line break, "\t" four spaces;
//                at most 519 characters after that)
//     picture    ViewType (0 copied at its size; 1 the same with the colour of its top-left
//                pixel transparent), Effects, ImageFile (path relative to Tutorial, 259
//                characters; a Windows bitmap)
//     rectangle  Border (non-zero: one-pixel outline in Color_Border, inside Color_Back;
//                zero: all Color_Back), Color_Border, Color_Back (hexadecimal)
//
// Frames keep the number f of their section; the parts of all frames lie in one array in
// frame order (at most 64 x 32).

#include "content/bmpimage.h"
#include "platform/bytes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

class CPump_TutorialDataBase;

struct SlideFrame
{
    int32_t fileNumber = 0; // f of its "Frame_f" section
    int32_t partCount = 0;
    int32_t timeInterval = 0;
    int32_t firstPart = 0;  // indexes into the part array, inclusive
    int32_t lastPart = 0;
    bool fillBackground = false;
    uint32_t backColor = 0;
};

struct SlidePart
{
    static constexpr int32_t kText = 0;
    static constexpr int32_t kPicture = 1;
    static constexpr int32_t kRectangle = 2;

    int32_t type = kText;
    int32_t timeInterval = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t effects = 0;

    // text parts
    bool opaque = true;
    uint32_t drawFormat = 0;
    int32_t marginLeft = 0, marginTop = 0;
    std::u16string fontFace;
    int32_t fontSize = 90;
    bool bold = false, italic = false;
    uint32_t textColor = 0;
    std::u16string text;

    // text and rectangle parts: BackColor, Color_Back
    uint32_t backColor = 0;

    // rectangle parts
    bool border = false;
    uint32_t borderColor = 0;

    // picture parts; the picture is null when the file is missing or not a bitmap (the view
    // then draws its default picture)
    int32_t viewType = 0;
    std::u16string imageFile;
    std::shared_ptr<const BmpImage> picture;
};

class CData_ExtraLesson
{
public:
    static constexpr int32_t kMaxFrames = 64;
    static constexpr int32_t kMaxPartsPerFrame = 32;
    static constexpr size_t kMaxTextLength = 519;

    // Keeps a private copy of the raw file bytes (UTF-16 text), replacing the previous one;
    // the parsed frames are cleared.
    void SetSlideData(ByteSpan bytes);
    const Bytes& SlideData() const { return m_raw; }

    // Builds the frames and parts from the raw data. Pictures are read through the source's
    // ReadTutorialFile (the caller sets its error key first); without a source no picture is
    // loaded. False, with no frames, when the tag is not "KY_SLIDE".
    bool ParseSlides(CPump_TutorialDataBase* pictures = nullptr);

    const std::u16string& Tag() const { return m_tag; }
    const std::u16string& Description() const { return m_description; }

    int32_t FrameCount() const { return static_cast<int32_t>(m_frames.size()); }
    // Null outside the range.
    const SlideFrame* Frame(int32_t i) const;
    // Part j of frame i; null outside the range.
    const SlidePart* Part(int32_t i, int32_t j) const;
    const std::vector<SlidePart>& Parts() const { return m_parts; }

private:
    void Clear();

    Bytes m_raw;
    std::u16string m_tag;
    std::u16string m_description;
    std::vector<SlideFrame> m_frames;
    std::vector<SlidePart> m_parts;
};

// The text of a text part as drawn: backslash + "n" becomes a line break (LF), backslash +
// "t" four spaces; the result is cut to maxLength characters.
std::u16string ExpandSlideText(std::u16string_view raw, size_t maxLength);

} // namespace kf
