#pragma once

// The platform's plain message box, for the few texts shown before the string table and the
// skinned look exist (a missing string file, a missing program folder).

#include <string_view>

namespace kf {

// Shows text with an error icon, without caption and owner, and waits for OK. Tests replace
// the presenter to capture the text.
void ShowPlainError(std::u16string_view text);

using PlainErrorPresenter = void (*)(std::u16string_view text);
void SetPlainErrorPresenter(PlainErrorPresenter presenter);

} // namespace kf
