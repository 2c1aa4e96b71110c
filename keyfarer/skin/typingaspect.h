#pragma once

// The look of the typing program: CControlAspect plus the desk picture and its layout, the
// tool icons, the on-screen keyboard's geometry and key pictures, the hands picture, the
// information panel's layout, the main frame's background pictures and the sound table.
//
// All rectangles are in desk-picture coordinates (800 × 572) unless said otherwise.

#include "skin/controlaspect.h"
#include "skin/skinregion.h"

#include <array>
#include <span>

namespace kf {

namespace skinbmp {
inline constexpr const char* kDesk = "desk";               // 800 × 572
inline constexpr const char* kDeskIcons = "deskicons";     // one row per icon, kIconFrames columns
inline constexpr const char* kFrameBackground = "framebk"; // tile of the main frame's free area
inline constexpr const char* kFrameCorner = "framecorner"; // bottom-right picture of the frame
inline constexpr const char* kKeys = "keys";         // kKeyPictures × kKeyPictureStates cells
inline constexpr const char* kHands = "hands";       // two hands, fingers at HandFingerSpot
inline constexpr const char* kInfoBars = "infobars"; // rows: back, gross, net, wink
inline constexpr const char* kCaret = "caret";       // kCaretFrames frames of the pointer caret
} // namespace skinbmp

inline constexpr int kDeskWidth = 800;
inline constexpr int kDeskHeight = 572;

// Tool icons: square cells of kIconSize, one row per icon in the strip.
inline constexpr int kIconSize = 40;
inline constexpr int kIconFrames = 6; // normal, animation 1..3, pressed, disabled
inline constexpr int kIconFrameNormal = 0;
inline constexpr int kIconFrameAnimFirst = 1;
inline constexpr int kIconFrameAnimCount = 3;
inline constexpr int kIconFramePressed = 4;
inline constexpr int kIconFrameDisabled = 5;

// Rows of the icon strip.
enum class DeskIcon {
    Train,
    Examine,
    Game,
    Statistics,
    Review,
    Config,
    TrainConfig,
    TestConfig,
    GameConfig,
    ReviewConfig,
    SelectLesson,
    SelectTest,
    Stop,
    Back,
    NextLesson,
    PagePrev,
    PageNext,
    SoundOn,
    SoundOff,
    Exit,
    HomePage,
    Help,
    ChangePassword,
    Count
};

struct ToolIconInfo
{
    DeskIcon icon;
    int command;             // the desk's command number
    const char16_t* textKey; // label under the icon; the tip key is "IDS_ICON_TIPS_" + the rest
};

// The commands and their pictures, in the order the desk shows them when all are visible.
std::span<const ToolIconInfo> ToolIcons();
// The row of a command's picture; -1 for an unknown command. Command 111 answers SoundOn;
// the desk picks SoundOff itself while sound is switched off.
int IconRowForCommand(int command);

// Keyboard geometry (Part of the look, used by the on-screen keyboard).
struct KeyboardGeometry
{
    int unitWidth = 38; // W
    int keyHeight = 38; // H
    int gapX = 4;       // G
    int gapY = 4;       // V
    int textInsetX = 6; // label inset from the key's left/right edge
    int textInsetY = 4; // label inset from the key's top/bottom edge
    int shadowOffset = 2;
    int cornerRadius = 8; // fixed corners when a key picture is stretched
};

// Key pictures: one per finger colour, in two states.
inline constexpr int kKeyPictures = 4;      // middle (2), ring (3), little (4), the others
inline constexpr int kKeyPictureStates = 2; // normal, pressed
inline constexpr int kKeyPictureSize = 40;  // square cells
// The picture for a finger number (0 thumb, 1 index, 2 middle, 3 ring, 4 little).
int KeyPictureForFinger(int finger);

// A finger tip on the hands picture (hands-picture coordinates).
struct FingerSpot
{
    int x;
    int y;
    int radius;
};

// Information panel: six figures; a caption or bar rectangle that is empty has no place.
enum class InfoFigure { Gross, Net, Wink, Accuracy, TotalHits, Errors, Count };
struct InfoFigureLayout
{
    SkinRect caption;
    SkinRect value;
    SkinRect bar;
};

inline constexpr int kCaretFrames = 4;
inline constexpr int kSoundCount = 10;

class CTypingAspect : public CControlAspect
{
public:
    CTypingAspect();

    // Desk regions.
    SkinRect TextViewRect() const { return {104, 58, 580, 296}; }
    SkinRect NoticeRect() const { return TextViewRect(); }
    SkinRect InfoPanelRect() const { return {600, 58, 788, 296}; }
    SkinRect KeyboardRect() const; // the main block, centred on the keyboard card
    SkinRect KeyboardCardRect() const { return {100, 312, 792, 564}; }
    SkinRect HandsRect() const; // the hands picture, centred on the keyboard card
    SkinRect ClockRect() const { return {664, 9, 784, 35}; }
    // The user area that switches user in the idle desk; the name is drawn beside it.
    SkinRect UserAreaRect() const { return {367, 11, 400, 33}; }
    SkinRect UserNameRect() const { return {406, 11, 640, 33}; }
    // Tool bar: up to ToolSlotCount() visible icons from the top of the column.
    int ToolSlotCount() const { return 9; }
    // Slot i: the icon at (x, y) of the slot rectangle, its label below it.
    SkinRect ToolSlotRect(int slot) const;
    SkinRect ToolIconRect(int slot) const;
    SkinRect ToolLabelRect(int slot) const;

    const KeyboardGeometry& Keyboard() const { return m_keyboard; }
    // Finger tips on the hands picture: hand 0 left (first hand), 1 right; finger 0 thumb
    // .. 4 little. A null spot (radius 0) for values out of range.
    FingerSpot HandFingerSpot(int hand, int finger) const;

    const InfoFigureLayout& InfoLayout(InfoFigure figure) const { return m_info[size_t(figure)]; }

    // Main frame: the free area is tiled with kFrameBackground; kFrameCorner stands this many
    // pixels from the bottom and right edges.
    int FrameCornerMargin() const { return 10; }

    // Sound table: install folder + "sound\\iconhover.wav" ... (index 0..9); empty outside.
    std::u16string SoundFile(int index) const;
    // The file names of the table, without the folder.
    static std::span<const char16_t* const> SoundNames();

protected:
    std::vector<std::string> BitmapNames() const override;

private:
    KeyboardGeometry m_keyboard;
    std::array<InfoFigureLayout, size_t(InfoFigure::Count)> m_info;
};

} // namespace kf
