#pragma once

#include <QString>

namespace pw {

/// The desktop services the program uses: the file manager and the bell. Tests put a recorder
/// in their place, since the desktop cannot open folders headless.
class Desktop
{
public:
    virtual ~Desktop() = default;
    /// Opens `folder` in the desktop's file manager; false when that cannot be done.
    virtual bool OpenFolder(const QString& folder) = 0;
    /// Sounds the system beep once.
    virtual void Beep() = 0;
};

/// The real desktop: the file manager through the desktop's URL handler, the beep of the
/// display.
class SystemDesktop : public Desktop
{
public:
    bool OpenFolder(const QString& folder) override;
    void Beep() override;
};

} // namespace pw
