#pragma once

// What the program's message box shows for a style word: the buttons chosen by the low four
// bits, the icon quarter chosen by bits 4 to 7, and the text, at most 1024 characters. The
// result codes are the platform's.

#include <string>
#include <string_view>
#include <vector>

namespace kf {

// Style bits (the platform's values).
enum MessageStyle : unsigned {
    kMbOk = 0x00,
    kMbOkCancel = 0x01,
    kMbAbortRetryIgnore = 0x02,
    kMbYesNoCancel = 0x03,
    kMbYesNo = 0x04,
    kMbRetryCancel = 0x05,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
};

// Results of the box (the platform's codes).
enum MessageResult : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdAbort = 3,
    kIdRetry = 4,
    kIdIgnore = 5,
    kIdYes = 6,
    kIdNo = 7,
};

class CViewMessage
{
public:
    struct Button
    {
        const char16_t* textKey; // "IDS_CT_OK" ...
        int result;
    };

    static constexpr size_t kMaxText = 1024;

    CViewMessage() = default;
    CViewMessage(std::u16string_view text, unsigned style) { SetMessage(text, style); }
    virtual ~CViewMessage() = default;

    // Stores the text (cut at kMaxText characters, never inside a surrogate pair) and style.
    void SetMessage(std::u16string_view text, unsigned style);
    const std::u16string& MessageText() const { return m_text; }
    unsigned Style() const { return m_style; }

    // Buttons from left to right for the style's low four bits; values above 5 show OK alone.
    static std::vector<Button> ButtonsFor(unsigned style);
    // Icon quarter 0..3 of the message icon strip for bits 4 to 7, or -1 for no icon.
    static int IconQuarter(unsigned style);
    // The result of closing the box without a button (Escape, the caption's close button):
    // cancel where the box has it, no for yes/no, OK for OK alone, abort for
    // abort/retry/ignore (the choice that changes nothing).
    static int CloseResult(unsigned style);

    std::vector<Button> Buttons() const { return ButtonsFor(m_style); }

private:
    std::u16string m_text;
    unsigned m_style = 0;
};

} // namespace kf
