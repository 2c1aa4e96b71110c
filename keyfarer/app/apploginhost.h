#pragma once

// The login dialogs' view of the application object.

#include "users/ui/loginhost.h"

namespace kf {

class CTrainTypingApp;

class AppLoginHost : public LoginHost
{
public:
    explicit AppLoginHost(CTrainTypingApp& app) : m_app(app) {}

    const CControlAspect& Look() const override;
    const TextLookup& Texts() const override;
    std::u16string InstallFolder() const override;
    int ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                    const std::vector<FormatArg>& args = {}) override;
    int ShowErrorWithSystemText(uint32_t code, std::u16string_view key, QWidget* owner) override;
    void BeginBusy(std::u16string_view statusKey) override;
    void EndBusy() override;
    CPump_TypingData& Supplier() override;
    const CPrivileges& Privileges() const override;
    CUserProfile& UserOptions() override;
    std::u16string StraightLoginId() const override;
    std::u16string LastUserId() const override;
    void SetStraightLoginId(std::u16string_view id) override;
    void SetLastUserId(std::u16string_view id) override;

private:
    CTrainTypingApp& m_app;
};

} // namespace kf
