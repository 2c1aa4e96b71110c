#pragma once

// Where the program's messages are shown. The application's ShowMessage family formats the
// text and hands it to the presenter with the box style; the presenter shows the modal box
// and returns the platform's result code (OK 1, cancel 2, abort 3, retry 4, ignore 5, yes 6,
// no 7). The skinned message box is the presenter of the running program; tests install one
// that records what would have been shown.

#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace kf {

class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;
    virtual int Show(QWidget* owner, std::u16string_view text, unsigned style) = 0;
};

// A presenter on Qt's own message box, with the program's button captions. Used until the
// skinned box is installed, and wherever the look is not available.
std::unique_ptr<MessagePresenter> MakeStandardMessagePresenter();

} // namespace kf
