#pragma once

#include "platform/qt/desktop.h"
#include "platform/qt/filedialogs.h"
#include "testsupport.h"
#include "ui/appcontext.h"
#include "ui/skin.h"

#include <QApplication>
#include <QStringList>

#include <functional>

namespace pw::test {

/// The one application object of a widget test program (offscreen).
QApplication& App();

/// Runs `check` from the event loop after `ms` milliseconds (inside a modal dialog or a run),
/// unless `context` is gone by then.
void Later(QObject* context, int ms, std::function<void()> check);

class RecordedDesktop : public Desktop
{
public:
    bool OpenFolder(const QString& folder) override
    {
        opened << folder;
        return true;
    }
    void Beep() override { ++beeps; }
    QStringList opened;
    int beeps = 0;
};

/// Answers the dialogs from lists given by the test; an exhausted list answers "cancelled".
class ScriptedDialogs : public FileDialogs
{
public:
    QString OpenFile(QWidget*, const QString& title, const QString& filter, const QString&) override
    {
        asked << title + " | " + filter;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString ChooseFolder(QWidget*, const QString& title, const QString&) override
    {
        asked << title;
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QStringList files;
    QStringList folders;
    QStringList asked;
};

/// A program folder of its own with the staged skin and recorders for everything the windows
/// would show or open.
struct WindowWorld
{
    WindowWorld();
    TempFolder program;
    TempFolder work;
    Skin skin;
    RecordedMessages messages;
    RecordedDesktop desktop;
    ScriptedDialogs dialogs;
    AppContext context;
};

} // namespace pw::test
