#pragma once

// Handing files, folders and web pages to the desktop (the shell's "open" verb), and starting
// outside programs by name. Behind an interface because a headless machine has no file
// manager or browser: tests install a recorder instead.

#include <QStringList>

#include <memory>
#include <string>
#include <string_view>

namespace kf {

class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    // Opens a local file or folder (stored path) with the desktop's default application.
    virtual bool OpenPath(std::u16string_view path) = 0;
    // Opens a web address in the desktop's browser.
    virtual bool OpenUrl(std::u16string_view url) = 0;
    // Starts a program detached from this process.
    virtual bool StartProgram(std::u16string_view program, const QStringList& arguments) = 0;
};

// The opener in use (the desktop's by default); tests replace it.
DesktopOpener& Desktop();
void SetDesktopOpener(std::unique_ptr<DesktopOpener> opener);

} // namespace kf
