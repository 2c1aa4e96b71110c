#pragma once

#include <QString>

#include <string>

namespace pw {

class Desktop;
class FileDialogs;
class MessageSink;
class Skin;

/// What the windows share for the whole run: where the program lives and the services they
/// reach the desktop through. The program's main fills it with the real services; tests fill it
/// with recorders. Nothing in it is owned.
struct AppContext
{
    /// The folder holding the program: "setup.ini", "options.ini", "data/pdftotext", and the
    /// default output folder "output".
    QString programFolder;
    const Skin* skin = nullptr;
    MessageSink* messages = nullptr;
    Desktop* desktop = nullptr;
    FileDialogs* dialogs = nullptr;
    /// The feedback web service ("http://host:port"); empty when the installation names none,
    /// and the Feedback link is then left out.
    QString feedbackEndpoint;
};

/// A path as the core keeps it (the system's bytes) and back.
std::string ToNative(const QString& path);
QString FromNative(const std::string& path);

} // namespace pw
