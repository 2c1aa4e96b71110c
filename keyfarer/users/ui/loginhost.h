#pragma once

// LoginHost: what the login dialog, the new-user wizard and the password dialog take from the
// program — the look and interface texts, the message box, the data supplier, the
// privileges, the current user record and the login settings. The application object is the
// host of the running program; tests give a host of their own over a data folder.

#include "platform/textformat.h"
#include "skin/textlookup.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace kf {

class CControlAspect;
class CPrivileges;
class CPump_TypingData;
class CUserProfile;

class LoginHost
{
public:
    virtual ~LoginHost() = default;

    virtual const CControlAspect& Look() const = 0;
    virtual const TextLookup& Texts() const = 0;
    // The installation folder (stored form, trailing separator): the skin themes live there.
    virtual std::u16string InstallFolder() const = 0;

    // The skinned message box with the key's text formatted with args; the box's result.
    virtual int ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                            const std::vector<FormatArg>& args = {}) = 0;
    // The platform's text for an error code, alone (empty key) or in the key's text.
    virtual int ShowErrorWithSystemText(uint32_t code, std::u16string_view key, QWidget* owner) = 0;
    virtual void BeginBusy(std::u16string_view statusKey) = 0;
    virtual void EndBusy() = 0;

    virtual CPump_TypingData& Supplier() = 0;
    virtual const CPrivileges& Privileges() const = 0;
    // The current user record: the profile of the logged-in user.
    virtual CUserProfile& UserOptions() = 0;

    // The login settings ("StraightLoginID", "LastUserID"), at most 31 characters each.
    virtual std::u16string StraightLoginId() const = 0;
    virtual std::u16string LastUserId() const = 0;
    virtual void SetStraightLoginId(std::u16string_view id) = 0;
    virtual void SetLastUserId(std::u16string_view id) = 0;

    // The text of a key (the key itself when the table lacks it).
    std::u16string Text(std::u16string_view key) const { return LookupText(Texts(), key); }
};

} // namespace kf
