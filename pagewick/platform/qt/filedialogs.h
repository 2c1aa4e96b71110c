#pragma once

#include <QString>

class QWidget;

namespace pw {

/// The open-file dialog and the folder chooser; tests answer them without a user.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    /// Asks for one existing file, starting in `startFolder`; empty when cancelled.
    virtual QString OpenFile(QWidget* owner, const QString& title, const QString& filter,
                             const QString& startFolder) = 0;
    /// Asks for a folder of the file system; empty when cancelled.
    virtual QString ChooseFolder(QWidget* owner, const QString& title,
                                 const QString& startFolder) = 0;
};

/// The desktop's own dialogs.
class SystemFileDialogs : public FileDialogs
{
public:
    QString OpenFile(QWidget* owner, const QString& title, const QString& filter,
                     const QString& startFolder) override;
    QString ChooseFolder(QWidget* owner, const QString& title, const QString& startFolder) override;
};

} // namespace pw
