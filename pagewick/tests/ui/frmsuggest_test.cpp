// The feedback window against a small HTTP server on 127.0.0.1 started by the test.
#include "helpers/qtsupport.h"
#include "ui/frmsuggest.h"
#include "ui/imagebutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

namespace pw {
namespace {

// Answers every request with `status` and remembers the request lines.
class TinyServer : public QObject
{
public:
    explicit TinyServer(const QByteArray& status) : m_status(status)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_buffer += socket->readAll();
                if (!m_buffer.contains("\r\n\r\n"))
                    return;
                requests << m_buffer.left(m_buffer.indexOf("\r\n"));
                m_buffer.clear();
                socket->write("HTTP/1.1 " + m_status + "\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
                socket->disconnectFromHost();
            });
        });
    }
    QString Endpoint() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    QList<QByteArray> requests;

private:
    QTcpServer m_server;
    QByteArray m_status;
    QByteArray m_buffer;
};

class FrmSuggestTest : public ::testing::Test
{
protected:
    void Open(const QString& endpoint)
    {
        world.context.feedbackEndpoint = endpoint;
        window = std::make_unique<frmSuggest>(world.context, nullptr);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename T>
    T* Find(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    QString Status() { return Find<QLabel>("lblSending")->text(); }
    void Send() { QTest::mouseClick(Find<QWidget>("imgSend"), Qt::LeftButton); }

    test::WindowWorld world;
    std::unique_ptr<frmSuggest> window;
};

TEST_F(FrmSuggestTest, AsksForTheFirstMissingField)
{
    TinyServer server("200 OK");
    Open(server.Endpoint());
    EXPECT_TRUE(Find<QLabel>("lblSending")->isHidden());
    Send();
    EXPECT_EQ(Status(), "Your Name?");
    EXPECT_TRUE(Find<QLineEdit>("txtName")->hasFocus());
    QTest::keyClicks(Find<QLineEdit>("txtName"), "Ann");
    Send();
    EXPECT_EQ(Status(), "Your Email?");
    QTest::keyClicks(Find<QLineEdit>("txtEMail"), "ann@example.org");
    Send();
    EXPECT_EQ(Status(), "Comment?");
    EXPECT_TRUE(Find<QWidget>("imgSend")->isEnabled());
    QTest::qWait(50);
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(FrmSuggestTest, SendsOneEncodedRequest)
{
    TinyServer server("200 OK");
    Open(server.Endpoint());
    Find<QLineEdit>("txtName")->setText("Ann Lee");
    Find<QLineEdit>("txtEMail")->setText("ann@example.org");
    Find<QPlainTextEdit>("txtComment")->setPlainText("Tom & Jerry #1 = 100%");
    QSignalSpy answered(window.get(), &frmSuggest::Answered);
    Send();
    EXPECT_EQ(Status(), "Sending...");
    EXPECT_FALSE(Find<QWidget>("imgSend")->isEnabled());
    ASSERT_TRUE(answered.wait(5000));
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0],
              "GET /suggest/post.php?name=Ann%20Lee&age=ann%40example.org"
              "&comment=(Pagewick)Tom%20%26%20Jerry%20%231%20%3D%20100%25 HTTP/1.1");
    EXPECT_EQ(Status(), "Finished.");
    EXPECT_FALSE(Find<QWidget>("imgSend")->isEnabled());
}

TEST_F(FrmSuggestTest, AFailedSendSaysSoAndCanBeRepeated)
{
    TinyServer server("500 Internal Server Error");
    Open(server.Endpoint());
    Find<QLineEdit>("txtName")->setText("Ann");
    Find<QLineEdit>("txtEMail")->setText("a@b");
    Find<QPlainTextEdit>("txtComment")->setPlainText("hi");
    QSignalSpy answered(window.get(), &frmSuggest::Answered);
    Send();
    ASSERT_TRUE(answered.wait(5000));
    EXPECT_TRUE(Status().startsWith("Not sent: ")) << Status().toStdString();
    EXPECT_TRUE(Find<QWidget>("imgSend")->isEnabled());
}

TEST_F(FrmSuggestTest, FieldLimits)
{
    Open(QStringLiteral("http://127.0.0.1:9"));
    QTest::keyClicks(Find<QLineEdit>("txtName"), QString(60, 'n'));
    EXPECT_EQ(Find<QLineEdit>("txtName")->text().size(), 50);
    EXPECT_EQ(Find<QLineEdit>("txtEMail")->maxLength(), 100);
    Find<QPlainTextEdit>("txtComment")->setPlainText(QString(300, 'c'));
    EXPECT_EQ(Find<QPlainTextEdit>("txtComment")->toPlainText().size(), 256);
}

} // namespace
} // namespace pw
