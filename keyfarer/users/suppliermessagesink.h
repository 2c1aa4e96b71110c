#pragma once

// Where the data supplier reports a failed request: the application shows the message box
// for the error key (its text from the string table) with the detail as the reason, owned by
// its main window and with the error icon; tools print it; tests capture it.

#include <cstdint>
#include <string_view>

namespace kf {

class SupplierMessageSink
{
public:
    virtual ~SupplierMessageSink() = default;
    // key: the error key the caller set before the request (may be empty); detail: the
    // platform's text for code, the last-error value of the failure.
    virtual void ShowSupplierError(std::u16string_view key, std::u16string_view detail,
                                   uint32_t code) = 0;
};

} // namespace kf
