#include "apploginhost.h"

#include "app/traintypingapp.h"

namespace kf {

const CControlAspect& AppLoginHost::Look() const
{
    return m_app.Look();
}

const TextLookup& AppLoginHost::Texts() const
{
    return m_app.Texts();
}

std::u16string AppLoginHost::InstallFolder() const
{
    return m_app.InstallFolder();
}

int AppLoginHost::ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                              const std::vector<FormatArg>& args)
{
    m_app.EndBusy();
    return m_app.ShowMessage(key, owner, style, args);
}

int AppLoginHost::ShowErrorWithSystemText(uint32_t code, std::u16string_view key, QWidget* owner)
{
    return m_app.ShowErrorWithSystemText(code, key, owner);
}

void AppLoginHost::BeginBusy(std::u16string_view statusKey)
{
    m_app.BeginBusy(statusKey, 0);
}

void AppLoginHost::EndBusy()
{
    m_app.EndBusy();
}

CPump_TypingData& AppLoginHost::Supplier()
{
    return m_app.Supplier();
}

const CPrivileges& AppLoginHost::Privileges() const
{
    return m_app.Privileges();
}

CUserProfile& AppLoginHost::UserOptions()
{
    return m_app.UserOptions();
}

std::u16string AppLoginHost::StraightLoginId() const
{
    return m_app.StraightLoginId();
}

std::u16string AppLoginHost::LastUserId() const
{
    return m_app.LastUserId();
}

void AppLoginHost::SetStraightLoginId(std::u16string_view id)
{
    m_app.SetStraightLoginId(id);
}

void AppLoginHost::SetLastUserId(std::u16string_view id)
{
    m_app.SetLastUserId(id);
}

} // namespace kf
