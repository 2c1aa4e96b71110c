#pragma once

#include "ui/appcontext.h"
#include "ui/skinnedwindow.h"

class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QPlainTextEdit;

namespace pw {

class ImageButton;

/// The feedback window: a name (50 characters at most), an e-mail address (100) and a comment
/// (256) are sent to the installation's feedback service as one GET request. The status line
/// asks for the first missing field, then reads "Sending..." and "Finished." once the service
/// has answered. When the service cannot be reached or answers with an error, the status line
/// says so and Send can be pressed again, instead of showing "Sending..." for ever.
class frmSuggest : public SkinnedWindow
{
    Q_OBJECT
public:
    static constexpr int kNameLimit = 50;
    static constexpr int kEMailLimit = 100;
    static constexpr int kCommentLimit = 256;

    frmSuggest(const AppContext& context, QWidget* parent);

public slots:
    void Send();

signals:
    /// The service answered (successfully or not); for tests and for nobody else.
    void Answered();

private:
    void Status(const QString& text, QWidget* focus);
    void Finished(QNetworkReply* reply);
    void LimitComment();

    const AppContext& m_context;
    QNetworkAccessManager* m_network;
    QLineEdit* m_txtName;
    QLineEdit* m_txtEMail;
    QPlainTextEdit* m_txtComment;
    QLabel* m_lblSending;
    ImageButton* m_imgSend;
};

} // namespace pw
