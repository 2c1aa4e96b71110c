#pragma once

// DeskEnvironment: what the typing desk takes from the program — the program-wide objects
// the application owns (look, interface texts, exercise engine, data supplier, user options,
// current result record, privileges, keyboard layout) and its shared operations (message
// box, interface sounds, help, web page, leaving the program). The program's desk uses the
// application object (AppDeskEnvironment); tests, the benchmark and the screenshot tool use
// LocalDeskEnvironment, which owns real objects over an installation folder of their own.

#include "platform/textformat.h"
#include "skin/textlookup.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace kf {

class CBackgndMusic;
class CKeyboardLayout;
class CParadigmPump;
class CPrivileges;
class CPump_TypingData;
class CResultRecord;
class CTypingAspect;
class CUserProfile;

class DeskEnvironment
{
public:
    virtual ~DeskEnvironment() = default;

    virtual CTypingAspect& Look() = 0;
    virtual const TextLookup& Texts() = 0;
    virtual CParadigmPump& Pump() = 0;
    virtual CPump_TypingData& Supplier() = 0;
    virtual CUserProfile& UserOptions() = 0;
    virtual CResultRecord& CurrentResult() = 0;
    virtual const CPrivileges& Privileges() = 0;
    // The layout the user types with (the on-screen keyboard shows it).
    virtual CKeyboardLayout& KeyboardLayout() = 0;
    // Loads the layout file (".kbl" name without folder) into KeyboardLayout() through the
    // supplier with the user's WhichHand (error key "IDS_ERR_LOADKBLAYOUT"); false keeps the
    // previous layout.
    virtual bool LoadKeyboardLayout(std::u16string_view file) = 0;

    // The skinned message box; returns the button code (6 yes, 7 no).
    virtual int ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                            const std::vector<FormatArg>& args = {}) = 0;
    virtual void BeginBusy(std::u16string_view statusKey) = 0;
    virtual void EndBusy() = 0;
    // Plays entry 0 to 9 of the look's sound table, as far as "SoundOn" allows.
    virtual void PlayUiSound(int index) = 0;
    // The key sound switch of the application (the user's "SoundOn" while logged in).
    virtual bool SoundOn() const = 0;
    virtual void SetSoundOn(bool on) = 0;
    virtual void ShowHelpTopic(std::u16string_view topic) = 0;
    // Opens a web page in the desktop's browser; false when none could be started.
    virtual bool OpenWebPage(std::u16string_view url) = 0;
    // Leaves the program (the frame's exit command).
    virtual void ExitProgram() = 0;
    // The interface name of a character's key for the key tips (Enter, quotes, comma ...).
    virtual bool KeyDisplayName(char16_t ch, std::u16string& out) const = 0;
    // The background music of the desk and the games; null where no music plays.
    virtual CBackgndMusic* Music() { return nullptr; }

    // The interface text of a key (the key itself when the table lacks it).
    std::u16string Text(std::u16string_view key) { return LookupText(Texts(), key); }
};

} // namespace kf
