#pragma once

// TypingDeskPort: the typing desk as the main frame sees it. The desk lives in the session's
// ui library, which links the application library; so the frame cannot name the desk's class
// and instead creates it through a factory that the program's main registers at start-up.

#include <functional>
#include <memory>

class QKeyEvent;
class QWidget;

namespace kf {

class CMainFrame;

class TypingDeskPort
{
public:
    virtual ~TypingDeskPort() = default;

    // The desk window (800 × 572), a child of the frame.
    virtual QWidget* Widget() = 0;

    // The user has logged in: the user options, the keyboard layout and the dictionaries are
    // loaded in the application object. The desk shows the user and enters its first mode.
    virtual void StartAfterLogin() = 0;

    // A key message reached the frame (press or release, with the native scan code). Returns
    // true when the desk took it.
    virtual bool HandleKey(QKeyEvent* event) = 0;

    // The program is left (another application activated) or returned to.
    virtual void Activate(bool active) = 0;

    // The frame is asked to close: false keeps the program open (an exercise the user does
    // not want to abort, or "AllowAbort" forbids leaving).
    virtual bool QueryClose() = 0;
};

using TypingDeskFactory = std::function<std::unique_ptr<TypingDeskPort>(CMainFrame& frame)>;

// Registers the desk's factory; the frame creates its desk with it. Without one (tests of the
// frame alone) the frame shows the bare desk picture.
void SetTypingDeskFactory(TypingDeskFactory factory);
const TypingDeskFactory& GetTypingDeskFactory();

} // namespace kf
