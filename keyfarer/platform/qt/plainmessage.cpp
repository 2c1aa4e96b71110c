#include "plainmessage.h"

#include "platform/qt/qtext.h"

#include <QMessageBox>

namespace kf {

namespace {
PlainErrorPresenter g_presenter = nullptr;
}

void ShowPlainError(std::u16string_view text)
{
    if (g_presenter) {
        g_presenter(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString(), ToQString(text), QMessageBox::Ok);
    box.exec();
}

void SetPlainErrorPresenter(PlainErrorPresenter presenter)
{
    g_presenter = presenter;
}

} // namespace kf
