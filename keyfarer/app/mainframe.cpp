#include "mainframe.h"

#include "content/privileges.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"
#include "users/userprofile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace kf {

namespace {

bool g_exiting = false;

// The free area of the client: the background tile repeated from the top-left corner and the
// corner picture at the bottom right. Without the pictures the area stays black.
void PaintFrameBackground(QPainter& p, const QRect& area, const CTypingAspect& look)
{
    p.fillRect(area, Qt::black);
    const QPixmap tile = SkinPixmap(look, skinbmp::kFrameBackground);
    if (!tile.isNull())
        p.drawTiledPixmap(area, tile);
    const QPixmap corner = SkinPixmap(look, skinbmp::kFrameCorner);
    if (!corner.isNull()) {
        const int m = look.FrameCornerMargin();
        p.drawPixmap(area.right() + 1 - m - corner.width(), area.bottom() + 1 - m - corner.height(),
                     corner);
    }
}

// The desk picture alone, shown when the program runs without the typing desk.
class BareDesk : public QWidget
{
public:
    BareDesk(const CTypingAspect& look, QWidget* parent) : QWidget(parent), m_look(look)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(CMainFrame::kDeskWidth, CMainFrame::kDeskHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QPixmap desk = SkinPixmap(m_look, skinbmp::kDesk);
        if (desk.isNull())
            p.fillRect(rect(), QColor(40, 44, 52));
        else
            p.drawPixmap(0, 0, desk);
    }

private:
    const CTypingAspect& m_look;
};

// Mode 2's picture: the background drawn at the chosen resolution behind the desk.
class FrameScene : public QGraphicsScene
{
public:
    FrameScene(const CTypingAspect& look, QObject* parent) : QGraphicsScene(parent), m_look(look) {}

protected:
    void drawBackground(QPainter* p, const QRectF& exposed) override
    {
        p->fillRect(exposed, Qt::black); // beyond the picture, when the screen's ratio differs
        PaintFrameBackground(*p, sceneRect().toRect(), m_look);
    }

private:
    const CTypingAspect& m_look;
};

bool Near(double ratio, double target)
{
    return std::fabs(ratio - target) <= 0.01;
}

} // namespace

CMainFrame::CMainFrame(const CTypingAspect& look, CUserProfile& options,
                       const CPrivileges& privileges, QWidget* parent)
    : QWidget(parent), m_look(look), m_options(options), m_privileges(privileges)
{
    setWindowTitle(QStringLiteral("Keyfarer"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    ApplyWindowFlags(true);
    resize(kDeskWidth, kDeskHeight);

    if (const TypingDeskFactory& factory = GetTypingDeskFactory())
        m_desk = factory(*this);
    if (m_desk && m_desk->Widget()) {
        m_deskWidget = m_desk->Widget();
        if (m_deskWidget->parentWidget() != this)
            m_deskWidget->setParent(this);
    } else {
        m_desk.reset();
        m_deskWidget = new BareDesk(m_look, this);
    }
    // The frame keeps the keyboard focus; the desk's window sees keys through HandleKey.
    m_deskWidget->installEventFilter(this);
    PlaceDesk();
}

CMainFrame::~CMainFrame()
{
    // The desk goes first: its window may still refer to the frame while it is torn down.
    LeaveScaledView();
    if (m_deskWidget)
        m_deskWidget->removeEventFilter(this);
    m_desk.reset();
}

void CMainFrame::SetScreenAreaSource(ScreenAreaSource source)
{
    m_screenSource = std::move(source);
}

CMainFrame::ScreenArea CMainFrame::CurrentScreenArea() const
{
    if (m_screenSource)
        return m_screenSource();
    ScreenArea area;
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s) {
        area.screen = s->geometry();
        area.workArea = s->availableGeometry();
    } else {
        area.screen = area.workArea = QRect(0, 0, 1024, 768);
    }
    return area;
}

QSize CMainFrame::ChosenResolution(const QSize& screen)
{
    if (screen.height() <= 0)
        return screen;
    const double ratio = double(screen.width()) / double(screen.height());
    if (Near(ratio, 1.33))
        return {1024, 768};
    if (Near(ratio, 1.77))
        return {1280, 720};
    if (Near(ratio, 1.6))
        return {1440, 900};
    return screen;
}

void CMainFrame::ApplyWindowFlags(bool caption)
{
    Qt::WindowFlags flags = Qt::Window;
    if (caption) {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint;
        // Maximising switches to the full work area, which belongs to the appearance options.
        if (m_privileges.EditAppearance())
            flags |= Qt::WindowMaximizeButtonHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    if (windowFlags() == flags)
        return;
    const bool wasVisible = isVisible();
    setWindowFlags(flags); // hides the window
    if (wasVisible && !m_switching)
        show();
}

void CMainFrame::SetScreenMode(int mode)
{
    if (mode != 0 && mode != 2)
        mode = 1;
    if (mode == m_mode && isVisible()) {
        FitToScreen();
        return;
    }
    const ScreenArea area = CurrentScreenArea();
    if (mode == 0 && area.workArea.height() < kMinWindowedWorkAreaHeight)
        mode = 1;
    const bool wasVisible = isVisible();
    m_switching = true;
    m_mode = mode;
    ApplyWindowFlags(mode == 0);
    FitToScreen();
    m_switching = false;
    if (wasVisible) {
        if (m_mode == 2)
            showFullScreen();
        else
            showNormal();
        FitToScreen();
    }
}

void CMainFrame::FitToScreen()
{
    const ScreenArea area = CurrentScreenArea();
    const bool guard = m_switching;
    m_switching = true;
    if (m_mode == 0) {
        LeaveScaledView();
        if (isFullScreen() || isMaximized())
            showNormal();
        resize(kDeskWidth, kDeskHeight);
        const QRect& work = area.workArea;
        QRect client(0, 0, kDeskWidth, kDeskHeight);
        client.moveCenter(work.center());
        // The caption is added by the window manager above the client area.
        const int captionHeight = windowHandle() ? geometry().top() - frameGeometry().top() : 0;
        move(client.left(), std::max(work.top(), client.top() - captionHeight / 2));
    } else if (m_mode == 1) {
        LeaveScaledView();
        setGeometry(area.workArea);
    } else {
        setGeometry(area.screen);
        const QSize logical = ChosenResolution(area.screen.size());
        EnterScaledView(logical);
    }
    m_switching = guard;
    PlaceDesk();
    update();
}

void CMainFrame::ShowFrame()
{
    m_switching = true;
    if (m_mode == 2)
        showFullScreen();
    else
        showNormal();
    m_switching = false;
    FitToScreen();
    raise();
    activateWindow();
}

void CMainFrame::EnterScaledView(const QSize& logical)
{
    const QSize real = size();
    const double scale =
        std::min(double(real.width()) / logical.width(), double(real.height()) / logical.height());
    if (std::fabs(scale - 1.0) < 0.001) {
        // The chosen resolution is the screen's: nothing to scale.
        LeaveScaledView();
        return;
    }
    m_scale = scale;
    if (!m_view) {
        m_scene = new FrameScene(m_look, this);
        m_view = new QGraphicsView(m_scene, this);
        m_view->setFrameShape(QFrame::NoFrame);
        m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view->setFocusPolicy(Qt::NoFocus);
        m_view->setRenderHint(QPainter::SmoothPixmapTransform);
        m_view->viewport()->installEventFilter(this);
        m_deskWidget->setParent(nullptr);
        m_proxy = m_scene->addWidget(m_deskWidget);
        m_proxy->setFocusPolicy(Qt::NoFocus);
    }
    m_scene->setSceneRect(0, 0, logical.width(), logical.height());
    m_view->setGeometry(rect());
    m_view->resetTransform();
    m_view->scale(scale, scale);
    m_view->centerOn(logical.width() / 2.0, logical.height() / 2.0);
    m_view->show();
}

void CMainFrame::LeaveScaledView()
{
    m_scale = 1.0;
    if (!m_view)
        return;
    if (m_proxy) {
        m_proxy->setWidget(nullptr); // hands the desk's window back without deleting it
        m_proxy = nullptr;
    }
    m_deskWidget->setParent(this);
    m_deskWidget->show();
    delete m_view;
    m_view = nullptr;
    delete m_scene;
    m_scene = nullptr;
}

void CMainFrame::PlaceDesk()
{
    if (!m_deskWidget)
        return;
    if (m_proxy) {
        const QRectF scene = m_scene->sceneRect();
        const int w = std::min(kDeskWidth, int(scene.width()));
        const int h = std::min(kDeskHeight, int(scene.height()));
        m_deskWidget->resize(w, h);
        m_proxy->setPos(std::floor((scene.width() - w) / 2), std::floor((scene.height() - h) / 2));
        return;
    }
    const QSize client = size();
    const int w = std::min(kDeskWidth, client.width());
    const int h = std::min(kDeskHeight, client.height());
    m_deskWidget->setGeometry((client.width() - w) / 2, (client.height() - h) / 2, w, h);
    m_deskWidget->show();
}

QRect CMainFrame::DeskGeometry() const
{
    if (m_proxy)
        return QRect(m_proxy->pos().toPoint(), m_deskWidget->size());
    return m_deskWidget ? m_deskWidget->geometry() : QRect();
}

bool CMainFrame::OnCommand(int command)
{
    if (command != kIdExit)
        return false;
    g_exiting = true;
    close();
    QCoreApplication::quit();
    return true;
}

bool CMainFrame::IsExiting()
{
    return g_exiting;
}

void CMainFrame::ResetExiting()
{
    g_exiting = false;
}

void CMainFrame::StartDeskAfterLogin()
{
    m_loginPending = false;
    if (m_desk)
        m_desk->StartAfterLogin();
    setFocus(Qt::OtherFocusReason);
}

void CMainFrame::ClearNotice() {}

bool CMainFrame::ForwardKey(QKeyEvent* event)
{
    if (m_loginPending || !m_desk)
        return false;
    return m_desk->HandleKey(event);
}

bool CMainFrame::event(QEvent* event)
{
    // Tab and Backtab would move the focus; in the frame they are typing keys.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (ForwardKey(key))
                return true;
        }
    }
    return QWidget::event(event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (!ForwardKey(event))
        QWidget::keyPressEvent(event);
}

void CMainFrame::keyReleaseEvent(QKeyEvent* event)
{
    if (!ForwardKey(event))
        QWidget::keyReleaseEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The desk (and mode 2's view) hand the keyboard focus on to the frame, so keys always
    // arrive here once.
    if (event->type() == QEvent::FocusIn && watched != this) {
        setFocus(Qt::OtherFocusReason);
        return false;
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched != this) {
        if (ForwardKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CMainFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintFrameBackground(p, rect(), m_look);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_view)
        m_view->setGeometry(rect());
    PlaceDesk();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (g_exiting) {
        event->accept();
        QCoreApplication::quit();
        return;
    }
    // The close button and Alt+F4 leave the program only when the user may abort.
    if (!m_options.AllowAbort() || (m_desk && !m_desk->QueryClose())) {
        event->ignore();
        return;
    }
    g_exiting = true;
    event->accept();
    QCoreApplication::quit();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        const bool active = isActiveWindow();
        if (m_desk)
            m_desk->Activate(active);
        if (active && m_captionWhileMinimised) {
            // Back from the task bar: full-screen modes drop the caption again.
            m_captionWhileMinimised = false;
            m_switching = true;
            ApplyWindowFlags(false);
            m_switching = false;
            if (m_mode == 2)
                showFullScreen();
            else
                showNormal();
            FitToScreen();
        }
        return;
    }
    if (event->type() != QEvent::WindowStateChange || m_switching)
        return;
    if (isMinimized()) {
        // A minimised full-screen frame shows its caption, so the task bar can name it.
        if (m_mode != 0 && !m_captionWhileMinimised) {
            m_captionWhileMinimised = true;
            m_switching = true;
            ApplyWindowFlags(true);
            m_switching = false;
            showMinimized();
        }
        return;
    }
    if (isMaximized() && m_mode == 0) {
        m_options.SetScreenSize(1);
        SetScreenMode(1);
    }
}

} // namespace kf
