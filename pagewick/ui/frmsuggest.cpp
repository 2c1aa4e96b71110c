#include "ui/frmsuggest.h"

#include "core/feedbackaddress.h"
#include "ui/imagebutton.h"
#include "ui/skin.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QUrl>

namespace pw {

namespace {
constexpr int kTransferTimeoutMs = 30000;
}

frmSuggest::frmSuggest(const AppContext& context, QWidget* parent)
    : SkinnedWindow(*context.skin, QStringLiteral("suggest_bg"), parent), m_context(context),
      m_network(new QNetworkAccessManager(this))
{
    setObjectName(QStringLiteral("frmSuggest"));
    setWindowTitle(QStringLiteral("Feedback"));
    setStyleSheet(Skin::StyleSheet());
    setModal(true);
    const Skin& skin = WindowSkin();

    m_txtName = new QLineEdit(this);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setMaxLength(kNameLimit);
    m_txtName->setGeometry(24, 80, 392, 30);
    m_txtEMail = new QLineEdit(this);
    m_txtEMail->setObjectName(QStringLiteral("txtEMail"));
    m_txtEMail->setMaxLength(kEMailLimit);
    m_txtEMail->setGeometry(24, 136, 392, 30);
    m_txtComment = new QPlainTextEdit(this);
    m_txtComment->setObjectName(QStringLiteral("txtComment"));
    m_txtComment->setGeometry(24, 192, 392, 150);
    m_txtComment->setTabChangesFocus(true);
    connect(m_txtComment, &QPlainTextEdit::textChanged, this, &frmSuggest::LimitComment);

    m_lblSending = new QLabel(this);
    m_lblSending->setObjectName(QStringLiteral("lblSending"));
    m_lblSending->setGeometry(24, 352, 392, 24);
    m_lblSending->hide();

    m_imgSend = new ImageButton(skin, QStringLiteral("btn_send"), QStringLiteral("Send"), this);
    m_imgSend->setObjectName(QStringLiteral("imgSend"));
    m_imgSend->setToolTip(QStringLiteral("Send your feedback now"));
    m_imgSend->move(312, 408);
    connect(m_imgSend, &QAbstractButton::clicked, this, &frmSuggest::Send);
    auto* back = new ImageButton(skin, QStringLiteral("btn_back"), QStringLiteral("Back"), this);
    back->setObjectName(QStringLiteral("imgBack"));
    back->setToolTip(QStringLiteral("back to main"));
    back->move(200, 408);
    connect(back, &QAbstractButton::clicked, this, &QDialog::reject);
    auto* exit = new ImageButton(skin, QStringLiteral("btn_close"), QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("imgExit"));
    exit->setToolTip(QStringLiteral("Exit"));
    exit->move(400, 8);
    connect(exit, &QAbstractButton::clicked, this, &QDialog::reject);

    connect(m_network, &QNetworkAccessManager::finished, this, &frmSuggest::Finished);
}

void frmSuggest::LimitComment()
{
    const QString text = m_txtComment->toPlainText();
    if (text.size() <= kCommentLimit)
        return;
    m_txtComment->setPlainText(text.left(kCommentLimit));
    m_txtComment->moveCursor(QTextCursor::End);
}

void frmSuggest::Status(const QString& text, QWidget* focus)
{
    m_lblSending->setText(text);
    m_lblSending->show();
    if (focus)
        focus->setFocus();
}

void frmSuggest::Send()
{
    if (m_txtName->text().isEmpty())
        return Status(QStringLiteral("Your Name?"), m_txtName);
    if (m_txtEMail->text().isEmpty())
        return Status(QStringLiteral("Your Email?"), m_txtEMail);
    if (m_txtComment->toPlainText().isEmpty())
        return Status(QStringLiteral("Comment?"), m_txtComment);
    Status(QStringLiteral("Sending..."), nullptr);
    m_imgSend->setEnabled(false);

    const std::string address = BuildFeedbackAddress(
        m_context.feedbackEndpoint.toStdString(), m_txtName->text().toStdString(),
        m_txtEMail->text().toStdString(), m_txtComment->toPlainText().toStdString());
    QNetworkRequest request(QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode));
    request.setTransferTimeout(kTransferTimeoutMs);
    m_network->get(request);
}

void frmSuggest::Finished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply->error() == QNetworkReply::NoError) {
        Status(QStringLiteral("Finished."), nullptr);
    } else {
        Status(QStringLiteral("Not sent: %1").arg(reply->errorString()), nullptr);
        m_imgSend->setEnabled(true);
    }
    emit Answered();
}

} // namespace pw
