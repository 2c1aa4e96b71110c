#pragma once

#include <string>

namespace pw {

/// The caption of every message box the program shows.
inline constexpr const char* kProgramTitle = "pagewick";

enum class MessageIcon { None, Information, Warning, Error };

/// Where the program's message boxes go: the window shows them, the batch mode and the tests
/// record them.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    /// Shows `text` under the caption `title` and returns when the user has read it.
    virtual void Show(MessageIcon icon, const std::string& title, const std::string& text) = 0;
};

} // namespace pw
