#include "platform/qt/qtmessagesink.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

namespace pw {

void QtMessageSink::Show(MessageIcon icon, const std::string& title, const std::string& text)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setIcon(QIcon()); // a plain button, like the rest of the program's
    box.exec();
}

} // namespace pw
