#include "ui/frmoptions.h"

#include "core/settingsfiles.h"
#include "platform/filesystem.h"
#include "ui/imagebutton.h"
#include "ui/skin.h"

#include <QComboBox>
#include <QShortcut>

namespace pw {

frmOptions::frmOptions(const AppContext& context, int reminderIndex, QWidget* parent)
    : SkinnedWindow(*context.skin, QStringLiteral("options_bg"), parent), m_context(context),
      m_reminderIndex(reminderIndex)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setStyleSheet(Skin::StyleSheet());
    setModal(true);
    const Skin& skin = WindowSkin();

    m_cmbSR = new QComboBox(this);
    m_cmbSR->setObjectName(QStringLiteral("cmbSR"));
    m_cmbSR->addItems({QStringLiteral("ON"), QStringLiteral("OFF")});
    m_cmbSR->setCurrentIndex(reminderIndex == 1 ? 1 : 0);
    m_cmbSR->setGeometry(24, 114, 200, 30);
    auto* arrow = new ImageButton(skin, QStringLiteral("btn_arrow"), QStringLiteral("Open"), this);
    arrow->setObjectName(QStringLiteral("imgArrow"));
    arrow->move(230, 116);
    connect(arrow, &QAbstractButton::clicked, m_cmbSR, &QComboBox::showPopup);

    auto* ok = new ImageButton(skin, QStringLiteral("btn_ok"), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("imgOK"));
    ok->move(260, 196);
    connect(ok, &QAbstractButton::clicked, this, &frmOptions::OK);
    auto* back = new ImageButton(skin, QStringLiteral("btn_back"), QStringLiteral("Back"), this);
    back->setObjectName(QStringLiteral("imgBack"));
    back->move(148, 196);
    connect(back, &QAbstractButton::clicked, this, &QDialog::reject);
    auto* exit = new ImageButton(skin, QStringLiteral("btn_close"), QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("imgExit"));
    exit->setToolTip(QStringLiteral("Exit"));
    exit->move(340, 8);
    connect(exit, &QAbstractButton::clicked, this, &QDialog::reject);

    // Enter is the "O K" button, Escape the "Cancel" button.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &frmOptions::OK);
}

void frmOptions::OK()
{
    m_reminderIndex = m_cmbSR->currentIndex();
    WriteOptionsFile(JoinPath(ToNative(m_context.programFolder), kOptionsFileName), m_reminderIndex);
    accept();
}

} // namespace pw
