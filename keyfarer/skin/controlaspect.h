#pragma once

// The look object of the skinned toolkit: the skin's bitmaps, base colours, fonts and frame
// descriptions, all recoloured by one skin adjustment (hue shift, lightness and saturation
// change). Widgets keep a pointer to it and ask it at every paint, so a change of the skin
// shows at the next repaint; Generation() tells caches when to drop what they converted.
//
// The bitmaps are the 8-bit palette files of the installation's "skin" folder, named without
// their extension ("button" is "skin\\button.bmp"). Recolouring works on their colour tables.

#include "skin/colorconvert.h"
#include "skin/dib.h"
#include "skin/framedesc.h"
#include "skin/winbitmaprgn.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

// Base colours of the look; every one is recoloured with the skin.
enum class LookColor {
    DialogBack, // dialog and page background, also the slider's background fill
    DialogText,
    CaptionText, // text on the frame's caption band
    CaptionTextInactive,
    ControlBack, // edit, list, combo and grid fields
    ControlText,
    ControlBorder,
    ControlBorderHot, // border of the focused or hovered control
    DisabledText,
    Selection, // selected rows and items
    SelectionText,
    Link,
    LinkHover,
    GridLine,
    GridHeaderBack,
    GridHeaderText,
    GridAltRow,
    Accent,   // marks and highlights (the next key, the pass speed)
    DeskText, // texts drawn straight on the desk picture
    DeskTextDim,
    KeyFace, // on-screen keyboard: keys without finger pictures
    KeyPressed,
    KeyDisabled,
    KeyMarked,
    KeyText,
    KeyMarkedText,
    KeyShadow,
    InfoCaption, // information panel
    InfoValue,
    InfoBarGross,
    InfoBarNet,
    InfoBarWink,
    InfoBarBack,
    NoticeTitle, // phase and start notices
    NoticeText,
    ClockText,
    Count
};

// Fonts of the look. Faces are the families the look asks for; the toolkit maps them to
// what the system has (fontmap.h).
enum class LookFont {
    Dialog, // labels, edits, lists
    DialogBold,
    Caption, // window caption
    Button,
    Small,    // hints, icon labels on the desk, key labels of the advanced view
    KeyLarge, // key labels of the on-screen keyboard
    InfoCaption,
    InfoValue,
    NoticeTitle,
    NoticeText,
    Clock,
    MessageText,
    Count
};

struct FontDesc
{
    std::u16string face;
    int pointSize = 9;
    int weight = 400; // 400 normal, 700 bold
    bool italic = false;
};

struct SkinAdjust
{
    int hue = 0;        // −180..180
    int lightness = 0;  // −100..100 percent
    int saturation = 0; // −100..100 percent
    bool operator==(const SkinAdjust&) const = default;
};

// The skin pictures the toolkit itself draws from (names of "skin\\*.bmp").
namespace skinbmp {
inline constexpr const char* kFrame = "frame";               // dialog frame, keyed corners
inline constexpr const char* kCaptionButtons = "capbuttons"; // close button: normal, hover, pressed
inline constexpr const char* kButton = "button";             // push button frames (kButtonFrames)
inline constexpr const char* kSlider = "slider";             // eight cells
inline constexpr const char* kCheckBox = "checkbox";         // kCheckCells cells
inline constexpr const char* kRadio = "radio";               // kCheckCells cells
inline constexpr const char* kTabs = "tabs";                 // tab states stacked (kTabStates rows)
inline constexpr const char* kCombo = "combo"; // drop-down arrow: normal, hover, pressed, disabled
inline constexpr const char* kScrollBar = "scrollbar";   // kScrollCells square cells
inline constexpr const char* kListPieces = "listpieces"; // header cell, selection bar (rows)
inline constexpr const char* kMessageIcons =
    "msgicons"; // four quarters: error, question, warning, information
inline constexpr const char* kPreview = "preview"; // the skin page's preview (resource 306)
} // namespace skinbmp

// Cell counts and states of the toolkit's strips.
inline constexpr int kButtonFrames =
    7; // normal, hover 1..3 (played on entering), pressed, disabled, focused
inline constexpr int kButtonHoverFirst = 1;
inline constexpr int kButtonHoverCount = 3;
inline constexpr int kButtonPressed = 4;
inline constexpr int kButtonDisabled = 5;
inline constexpr int kButtonDefault = 6;
inline constexpr int kCheckCells = 6; // off, on, off hover, on hover, off disabled, on disabled
inline constexpr int kTabStates = 3;  // normal, hover, selected
inline constexpr int kScrollCells =
    8; // up, down, left, right, thumb vertical, thumb horizontal, track vertical, track horizontal
inline constexpr int kComboStates = 4;
inline constexpr int kPreviewResource = 306;

class CControlAspect
{
public:
    CControlAspect();
    virtual ~CControlAspect() = default;
    CControlAspect(const CControlAspect&) = delete;
    CControlAspect& operator=(const CControlAspect&) = delete;

    // Takes the installation folder (stored form, trailing backslash) and loads the skin with
    // the current adjustment. False when a picture could not be read; the look is still
    // usable (the toolkit draws plain shapes where a picture is missing) and
    // LoadErrors() says which and why.
    bool Init(std::u16string_view installFolder);
    // Re-reads every picture and recolours pictures and colours with the current adjustment,
    // rebuilds the frame shapes, and advances Generation(). Same result as Init.
    bool Reload();

    // Sets the adjustment, clamping hue to −180..180 and the two others to −100..100. Takes
    // effect on the next Reload (colours at once).
    void SetSkinAdjust(int hueShift, int lightness, int saturation);
    const SkinAdjust& GetSkinAdjust() const { return m_adjust; }
    // A colour word recoloured with the current adjustment.
    ColorRef RecolorColor(ColorRef color) const;

    // Loads `folder` + `name` + ".bmp" (stored path; folder with trailing backslash). When
    // `recolor` is set and the picture has a colour table, every entry is replaced by
    // RecolorColor of it; true-colour pictures are left as they are. False with `out`
    // untouched (and the reason in *error) when the file is missing or not a bitmap.
    bool LoadRecoloredBitmap(std::u16string_view folder, std::string_view name, bool recolor,
                             CDib& out, std::string* error = nullptr) const;

    // The recoloured picture of that name, or null when the skin lacks it.
    const CDib* Bitmap(std::string_view name) const;
    // The picture as read from the file, before recolouring (the skin page keeps its preview
    // table from it; shapes are built from it so they never depend on the colours).
    const CDib* PristineBitmap(std::string_view name) const;
    // The base colour, recoloured.
    ColorRef Color(LookColor which) const { return m_colors[size_t(which)]; }
    // The base colour as the skin defines it.
    ColorRef BaseColor(LookColor which) const { return m_baseColors[size_t(which)]; }
    const FontDesc& Font(LookFont which) const { return m_fonts[size_t(which)]; }

    // Dialog frame: the nine-piece description and the shape built from its bitmap.
    const CFrameDesc& DialogFrame() const { return m_dialogFrame; }
    const CWinBitmapRgn& DialogShape() const { return m_dialogShape; }
    // The stretched band of the slider strip's middle cell.
    int SliderBandTop() const { return m_sliderBandTop; }
    int SliderBandHeight() const { return m_sliderBandHeight; }
    // Width of the fixed ends when a strip cell (button, tab, header) is stretched sideways.
    int ButtonEdge() const { return 10; }
    int TabEdge() const { return 10; }

    // Installation folder and the skin folder inside it (stored form, trailing backslash).
    const std::u16string& InstallFolder() const { return m_installFolder; }
    std::u16string SkinFolder() const { return m_installFolder + u"skin\\"; }

    // Advances at every Reload; caches of converted pictures compare it.
    unsigned Generation() const { return m_generation; }
    // "name: reason" for every picture that failed in the last load.
    const std::vector<std::string>& LoadErrors() const { return m_loadErrors; }

protected:
    // Names of the pictures to load; derived looks add theirs.
    virtual std::vector<std::string> BitmapNames() const;
    void SetBaseColor(LookColor which, ColorRef color) { m_baseColors[size_t(which)] = color; }
    void SetFont(LookFont which, FontDesc font) { m_fonts[size_t(which)] = std::move(font); }

private:
    void RecolorColors();

    std::u16string m_installFolder;
    SkinAdjust m_adjust;
    ColorRef m_baseColors[size_t(LookColor::Count)] = {};
    ColorRef m_colors[size_t(LookColor::Count)] = {};
    FontDesc m_fonts[size_t(LookFont::Count)];
    std::map<std::string, CDib, std::less<>> m_pristine;
    std::map<std::string, CDib, std::less<>> m_bitmaps;
    CFrameDesc m_dialogFrame;
    CWinBitmapRgn m_dialogShape;
    int m_sliderBandTop = 8;
    int m_sliderBandHeight = 6;
    unsigned m_generation = 0;
    std::vector<std::string> m_loadErrors;
};

} // namespace kf
