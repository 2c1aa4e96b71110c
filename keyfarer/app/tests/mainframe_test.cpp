// The main frame on its own: screen modes on given screens, the close rule, the exit command,
// maximising, the desk port and the background.
#include "app/mainframe.h"

#include "app/typingdeskport.h"
#include "content/privileges.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"
#include "users/userprofile.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace kf {
namespace {

// A desk that records what the frame tells it.
class RecordingDesk : public TypingDeskPort
{
public:
    struct Log
    {
        std::vector<int> keys;
        std::vector<bool> activations;
        int started = 0;
        int closeQueries = 0;
        bool allowClose = true;
    };
    RecordingDesk(CMainFrame& frame, Log& log) : m_widget(new QWidget(&frame)), m_log(log)
    {
        m_widget->setAutoFillBackground(true);
    }
    QWidget* Widget() override { return m_widget; }
    void StartAfterLogin() override { ++m_log.started; }
    bool HandleKey(QKeyEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            m_log.keys.push_back(event->key());
        return true;
    }
    void Activate(bool active) override { m_log.activations.push_back(active); }
    bool QueryClose() override
    {
        ++m_log.closeQueries;
        return m_log.allowClose;
    }

private:
    QWidget* m_widget;
    Log& m_log;
};

class FrameTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_look = new CTypingAspect;
        s_look->Init(std::u16string(u"" KF_STAGE_DIR_U16) + u"/");
    }
    static void TearDownTestSuite() { delete s_look; }
    void SetUp() override
    {
        CMainFrame::ResetExiting();
        options.SetAllowAbort(1);
        privileges = CPrivileges::GrantAll();
    }
    void TearDown() override { SetTypingDeskFactory({}); }

    std::unique_ptr<CMainFrame> Frame(QRect screen, QRect work)
    {
        auto frame = std::make_unique<CMainFrame>(*s_look, options, privileges);
        frame->SetScreenAreaSource([screen, work] { return CMainFrame::ScreenArea{screen, work}; });
        return frame;
    }

    static CTypingAspect* s_look;
    CUserProfile options;
    CPrivileges privileges;
};
CTypingAspect* FrameTest::s_look = nullptr;

TEST(FrameResolution, ModeTwoChoosesTheResolutionByTheAspectRatio)
{
    struct Case
    {
        QSize screen, chosen;
    };
    const Case cases[] = {
        {{1024, 768}, {1024, 768}},   {{1600, 1200}, {1024, 768}},  {{1920, 1080}, {1280, 720}},
        {{1366, 768}, {1280, 720}},   {{1440, 900}, {1440, 900}},   {{2560, 1600}, {1440, 900}},
        {{1280, 1024}, {1280, 1024}}, {{2560, 1080}, {2560, 1080}}, {{800, 0}, {800, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMainFrame::ChosenResolution(c.screen), c.chosen)
            << c.screen.width() << "x" << c.screen.height();
}

TEST_F(FrameTest, ScreenModesPlaceTheFrameAndCentreTheDesk)
{
    {
        auto frame = Frame({0, 0, 1280, 1024}, {0, 30, 1280, 994});
        frame->SetScreenMode(0);
        EXPECT_EQ(frame->ScreenMode(), 0);
        EXPECT_EQ(frame->size(), QSize(800, 572));
        EXPECT_EQ(frame->DeskGeometry(), QRect(0, 0, 800, 572));
        EXPECT_TRUE(frame->windowFlags() & Qt::WindowTitleHint);
        EXPECT_TRUE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_NEAR(frame->geometry().center().x(), 640, 2);

        frame->SetScreenMode(1);
        EXPECT_EQ(frame->geometry(), QRect(0, 30, 1280, 994));
        EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(frame->DeskGeometry(), QRect(240, 211, 800, 572));
        EXPECT_DOUBLE_EQ(frame->DeskScale(), 1.0);
    }
    {
        // A work area lower than 580 pixels cannot hold the window: mode 1 instead.
        auto frame = Frame({0, 0, 800, 600}, {0, 0, 768, 560});
        frame->SetScreenMode(0);
        EXPECT_EQ(frame->ScreenMode(), 1);
        EXPECT_EQ(frame->geometry(), QRect(0, 0, 768, 560));
        // The desk gets the client size when that is smaller.
        EXPECT_EQ(frame->DeskGeometry(), QRect(0, 0, 768, 560));
    }
    {
        // Mode 2 on a 16:9 screen draws the desk as 1280 × 720 would show it.
        auto frame = Frame({0, 0, 1920, 1080}, {0, 0, 1920, 1040});
        frame->SetScreenMode(2);
        EXPECT_EQ(frame->ScreenMode(), 2);
        EXPECT_EQ(frame->geometry(), QRect(0, 0, 1920, 1080));
        EXPECT_DOUBLE_EQ(frame->DeskScale(), 1.5);
        EXPECT_EQ(frame->DeskGeometry(), QRect(240, 74, 800, 572));
        // Back to the window: the desk is the frame's child again, unscaled.
        frame->SetScreenMode(0);
        EXPECT_DOUBLE_EQ(frame->DeskScale(), 1.0);
        EXPECT_EQ(frame->DeskWidget()->parentWidget(), frame.get());
    }
    {
        // A ratio of none of the three keeps the screen's size: nothing to scale.
        auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
        frame->SetScreenMode(2);
        EXPECT_DOUBLE_EQ(frame->DeskScale(), 1.0);
        EXPECT_EQ(frame->geometry(), QRect(0, 0, 1280, 1024));
        EXPECT_EQ(frame->DeskGeometry(), QRect(240, 226, 800, 572));
    }
}

TEST_F(FrameTest, WithoutTheAppearancePrivilegeTheWindowCannotBeMaximised)
{
    privileges.Set(*CPrivileges::FindBit("EditAppearance"), false);
    auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
    frame->SetScreenMode(0);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(FrameTest, MaximisingTheWindowSwitchesToTheWorkAreaAndStoresIt)
{
    auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
    options.SetScreenSize(0);
    frame->SetScreenMode(0);
    frame->ShowFrame();
    frame->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(frame->ScreenMode(), 1);
    EXPECT_EQ(options.ScreenSize(), 1);
}

TEST_F(FrameTest, TheCloseButtonNeedsAllowAbortButTheExitCommandDoesNot)
{
    RecordingDesk::Log log;
    SetTypingDeskFactory([&log](CMainFrame& f) { return std::make_unique<RecordingDesk>(f, log); });
    {
        options.SetAllowAbort(0);
        auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
        frame->ShowFrame();
        EXPECT_FALSE(frame->close());
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(log.closeQueries, 0);
        EXPECT_FALSE(CMainFrame::IsExiting());
        EXPECT_TRUE(frame->OnCommand(CMainFrame::kIdExit));
        EXPECT_FALSE(frame->isVisible());
        EXPECT_TRUE(CMainFrame::IsExiting());
    }
    CMainFrame::ResetExiting();
    {
        options.SetAllowAbort(1);
        auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
        frame->ShowFrame();
        log.allowClose = false; // an exercise the user does not want to abort
        EXPECT_FALSE(frame->close());
        EXPECT_EQ(log.closeQueries, 1);
        log.allowClose = true;
        EXPECT_TRUE(frame->close());
        EXPECT_TRUE(CMainFrame::IsExiting());
    }
    EXPECT_FALSE(Frame({}, {})->OnCommand(32771)); // not the frame's command
}

TEST_F(FrameTest, TheDeskGetsKeysOnceLoggedInAndHearsActivation)
{
    RecordingDesk::Log log;
    SetTypingDeskFactory([&log](CMainFrame& f) { return std::make_unique<RecordingDesk>(f, log); });
    auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
    ASSERT_NE(frame->Desk(), nullptr);
    EXPECT_EQ(frame->DeskWidget(), frame->Desk()->Widget());
    frame->ShowFrame();
    QTest::keyClick(frame.get(), Qt::Key_A);
    EXPECT_TRUE(log.keys.empty()) << "no keys before a user has logged in";
    frame->StartDeskAfterLogin();
    EXPECT_EQ(log.started, 1);
    QTest::keyClick(frame.get(), Qt::Key_A);
    QTest::keyClick(frame.get(), Qt::Key_Tab); // a typing key here, not a focus move
    QTest::keyClick(frame->DeskWidget(), Qt::Key_B);
    EXPECT_EQ(log.keys, (std::vector<int>{Qt::Key_A, Qt::Key_Tab, Qt::Key_B}));

    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(frame.get(), &activation);
    ASSERT_FALSE(log.activations.empty());
}

TEST_F(FrameTest, WithoutADeskTheFrameShowsTheDeskPictureOnTheTiledBackground)
{
    auto frame = Frame({0, 0, 1280, 1024}, {0, 0, 1280, 1000});
    EXPECT_EQ(frame->Desk(), nullptr);
    frame->SetScreenMode(1);
    frame->ShowFrame();
    const QImage shot = frame->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(1280, 1000));
    const QImage desk = SkinPixmap(*s_look, skinbmp::kDesk).toImage();
    const QImage tile = SkinPixmap(*s_look, skinbmp::kFrameBackground).toImage();
    const QImage corner = SkinPixmap(*s_look, skinbmp::kFrameCorner).toImage();
    ASSERT_FALSE(desk.isNull());
    ASSERT_FALSE(tile.isNull());
    ASSERT_FALSE(corner.isNull());
    const QRect d = frame->DeskGeometry();
    EXPECT_EQ(shot.pixel(d.left() + 400, d.top() + 30), desk.pixel(400, 30));
    EXPECT_EQ(shot.pixel(5, 7), tile.pixel(5 % tile.width(), 7 % tile.height()));
    const QPoint c(1280 - 10 - corner.width(), 1000 - 10 - corner.height());
    EXPECT_EQ(shot.pixel(c + QPoint(corner.width() / 2, corner.height() / 2)),
              corner.pixel(corner.width() / 2, corner.height() / 2));
    if (const char* out = std::getenv("KF_SCREENSHOT_DIR"))
        shot.save(QString::fromUtf8(out) + "/frame_mode1.png");

    // Mode 2 on a 16:9 screen: the whole picture at 1280 × 720, scaled by 1.5.
    auto wide = Frame({0, 0, 1920, 1080}, {0, 0, 1920, 1040});
    wide->SetScreenMode(2);
    wide->show(); // not full screen: the test's screen is not the display's
    QApplication::processEvents();
    const QImage scaled = wide->grab().toImage();
    ASSERT_EQ(scaled.size(), QSize(1920, 1080));
    // A flat area of the desk picture shows at 1.5 times its place.
    const QColor expected = desk.pixelColor(400, 30);
    const QColor seen = scaled.pixelColor(int((240 + 400) * 1.5), int((74 + 30) * 1.5));
    EXPECT_NEAR(seen.red(), expected.red(), 8);
    EXPECT_NEAR(seen.green(), expected.green(), 8);
    EXPECT_NEAR(seen.blue(), expected.blue(), 8);
    // The background is drawn at the same scale, not left black.
    const QColor back = scaled.pixelColor(20, 20);
    const QColor tileColour = tile.pixelColor(13 % tile.width(), 13 % tile.height());
    EXPECT_NEAR(back.red(), tileColour.red(), 12);
    EXPECT_NEAR(back.blue(), tileColour.blue(), 12);
    if (const char* out = std::getenv("KF_SCREENSHOT_DIR"))
        scaled.save(QString::fromUtf8(out) + "/frame_mode2.png");
}

} // namespace
} // namespace kf
