#pragma once

// What a chooser dialog needs of the program: the look and its texts, the data supplier's
// requests, the message box and the interface sounds. The desk fills it from the application
// object; tests fill it with a data folder of their own and a recording message box.

#include "content/ui/chooserdata.h"
#include "platform/textformat.h"
#include "skin/controlaspect.h"
#include "skin/textlookup.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace kf {

struct ChooserContext
{
    const CControlAspect* look = nullptr;
    TextLookup texts;
    ChooserData* data = nullptr;
    // Shows the key's text formatted with args in the message box (style as the program's
    // message box takes it); returns the button code (6 = yes). Unset: every box answers 0.
    std::function<int(std::u16string_view key, const std::vector<FormatArg>& args, unsigned style,
                      QWidget* owner)>
        message;
    // Plays an entry of the look's sound table (4 = a window opens).
    std::function<void(int index)> playSound;
    // Asks for a file to open with the filter (display text and pattern); empty: cancelled.
    // Unset: the platform's file dialog.
    std::function<std::u16string(const std::u16string& display, const std::u16string& pattern,
                                 QWidget* owner)>
        pickFile;

    int Message(std::u16string_view key, const std::vector<FormatArg>& args, unsigned style,
                QWidget* owner) const
    {
        return message ? message(key, args, style, owner) : 0;
    }
    void Sound(int index) const
    {
        if (playSound)
            playSound(index);
    }
};

} // namespace kf
