#pragma once

// The standard typing view's settings for one exercise, worked out from the user's options
// of the "StandardView" section, the desk mode, the exercise kind and the lesson's display
// wishes. The desk fills StandViewOptions from the user options record whenever it enters a
// mode and hands the result of ResolveStandViewSettings to the view; nothing here knows a
// toolkit, so every rule of the choice is tested without one.

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// Colours are 0x00BBGGRR words.
using StandColor = uint32_t;

// The user's options the view reads (names are the keys of "DefConfig.ini"; the defaults are
// those of a new user).
struct StandViewOptions
{
    StandColor normalText = 0x000000;    // "Color_NormalText"
    StandColor correctText = 0xD0D0D0;   // "Color_CorrectText"
    StandColor errorText = 0x0000FF;     // "Color_ErrorText"
    StandColor background = 0xFFFFFF;    // "Color_Background"
    std::u16string fontName = u"Tahoma"; // "Font_Name"
    int fontSize = 24;                   // "Font_Size"
    int lessonFontSize = 24;             // "Lesson_Font_Size"
    bool fontBold = true;                // "Font_Bold"
    int charSpacing = 2;                 // "Intercharacter_Spacing"
    int rowSpacing = 20;                 // "Interrow_spacing"
    bool doubleLineView = false;         // "DoubleLineView"
    bool useBitCaret = true;             // "UseBitCaret"
    std::u16string tabString = u"TAB";   // "Tab_String"
    std::u16string spaceString = u"SP";  // "Space_String"
    int stdDisplaySize = 1;              // "StdDisplaySize" of the "Train" section
};

// What the exercise is; the desk knows all of it when it enters a mode.
struct StandViewContext
{
    int deskMode = 1;                 // 1 idle, 2 lesson, 3 test, 4 review, 5 game, 21 slide show
    int kind = 9999;                  // exercise kind of the loaded text
    int lessonDisplaySize = 255;      // the lesson's StdDisplaySize; 255 = the user's option
    int lessonFontScale = 100;        // the lesson's StdFontSize percentage (0 counts as 100)
    std::u16string_view fontOverride; // a course's special font, empty for none
    int clientWidth = 0;              // the view's width in pixels (lesson margins depend on it)
};

struct StandFont
{
    std::u16string face;
    int pointSize = 24;
    int weight = 700; // 400 normal, 700 bold
    friend bool operator==(const StandFont&, const StandFont&) = default;
};

enum class CaretStyle : uint8_t {
    Bar = 0,     // a thin blinking bar, the platform's text caret
    Pointer = 1, // the animated red pointer under (or above) the character
};

struct StandViewSettings
{
    StandColor normalText = 0x000000;
    StandColor correctText = 0xC0C0C0;
    StandColor errorText = 0x0000FF;
    StandColor background = 0xFFFFFF;
    StandFont font;
    int charSpacing = 3;
    int rowSpacing = 10;
    std::u16string tabLabel;
    std::u16string spaceLabel;
    CaretStyle caretStyle = CaretStyle::Bar;
    int marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    bool overlay = true;
    bool typedPartOnly = false;
    bool lessonText = false;
    bool caretAtEnd = false;
    friend bool operator==(const StandViewSettings&, const StandViewSettings&) = default;
};

// A font size option outside 8 to 99 counts as 24.
int EffectiveFontSize(int optionSize);

// The settings of the view for an exercise:
// - colours and spacing from the options, no background picture;
// - the font: the override when given, else "Font_Name"; bold by "Font_Bold"; the point size
//   max(12, size * scale / 100) with the lesson font size and the lesson's scale in lesson
//   modes (2 and 21), "Font_Size" and 100 otherwise;
// - no labels for free typing and tests, "Space_String" and "Tab_String" otherwise; the bar
//   caret for free typing and original-copy tests, "UseBitCaret" otherwise;
// - lesson modes: side margins from the display size (see LessonSideMargin), 10 at top and
//   bottom, overlay, the lesson-text overrun on;
// - other modes: margins 10; original-copy tests show only the typed part, in overlay; free
//   typing uses overlay with the caret at the end of the text; others two rows when
//   "DoubleLineView" is set.
StandViewSettings ResolveStandViewSettings(const StandViewOptions& options,
                                           const StandViewContext& context);

// The left and right margin of a lesson text: d = (width - 100) / 2 for display size 0,
// d * 3 / 4 for 1, d / 2 for 2, d / 4 for 3, and 10 for any other size. Never negative.
int LessonSideMargin(int displaySize, int clientWidth);

} // namespace kf
