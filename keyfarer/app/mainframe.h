#pragma once

// CMainFrame: the program's top-level window. It has no menu or tool bar of its own: its one
// child is the typing desk (800 × 572), centred in the client area on a tiled background,
// whose tool icons carry every command. The frame sizes itself to one of three screen modes,
// forwards keys, activation and the close request to the desk, and leaves the program on the
// exit command.
//
// Screen modes (the user option "ScreenSize"):
//   0  a window with caption whose client area is 800 × 572, centred on the screen; a work
//      area lower than 580 pixels uses mode 1 instead
//   1  the whole work area, without caption or border
//   2  the whole screen, the desk scaled as the display resolution chosen for the screen's
//      aspect ratio would show it (1024 × 768 for 4:3, 1280 × 720 for 16:9, 1440 × 900 for
//      16:10). A desktop program cannot change the display resolution here, so the frame
//      draws the desk and its background at that resolution and scales the picture to the
//      screen instead.

#include "app/typingdeskport.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;

namespace kf {

class CPrivileges;
class CTypingAspect;
class CUserProfile;

class CMainFrame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDeskWidth = 800;
    static constexpr int kDeskHeight = 572;
    // The exit command of the desk's exit icon, Escape in the idle desk and the system menu.
    static constexpr int kIdExit = 32772;
    // Mode 0 needs a work area at least this high.
    static constexpr int kMinWindowedWorkAreaHeight = 580;

    // The screen the frame lies on: its whole area and the work area left by the panels.
    struct ScreenArea
    {
        QRect screen;
        QRect workArea;
    };
    using ScreenAreaSource = std::function<ScreenArea()>;

    // The look draws the background; the options give "AllowAbort" and take "ScreenSize"
    // when the window is maximised; without the privilege EditAppearance the window has no
    // maximise button. All three outlive the frame. The desk is created here through the
    // registered factory; without one the frame shows the bare desk picture.
    CMainFrame(const CTypingAspect& look, CUserProfile& options, const CPrivileges& privileges,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The screen used by SetScreenMode and FitToScreen (tests give their own).
    void SetScreenAreaSource(ScreenAreaSource source);
    ScreenArea CurrentScreenArea() const;

    // Applies screen mode 0, 1 or 2 (other values count as 1) and fits the frame to it.
    void SetScreenMode(int mode);
    int ScreenMode() const { return m_mode; }
    // Places the frame for the current mode and centres the desk in the client area.
    void FitToScreen();
    // Shows the frame as its mode wants it (mode 2 full screen) and fits it.
    void ShowFrame();

    // The display resolution mode 2 chooses for a screen: by the aspect ratio, or the
    // screen's own size when the ratio is none of 4:3, 16:9 and 16:10.
    static QSize ChosenResolution(const QSize& screen);
    // The scale of mode 2's picture on the screen (1 in the other modes).
    double DeskScale() const { return m_scale; }

    // The desk as the frame holds it; null when no factory is registered.
    TypingDeskPort* Desk() const { return m_desk.get(); }
    // The desk's window (the bare desk picture without a desk).
    QWidget* DeskWidget() const { return m_deskWidget; }
    // Where the desk lies in the client area (unscaled modes) or on the scaled picture.
    QRect DeskGeometry() const;

    // Commands the desk does not handle itself; the frame carries out the exit command.
    // Returns true when the command was handled.
    bool OnCommand(int command);
    // True once the program is being left through the exit command or an accepted close.
    static bool IsExiting();
    static void ResetExiting(); // tests

    // While a login is pending the desk gets no keys.
    void SetLoginPending(bool pending) { m_loginPending = pending; }
    bool LoginPending() const { return m_loginPending; }
    // Hands the logged-in user to the desk: it shows the user and enters its first mode.
    void StartDeskAfterLogin();

    // Hides any notice shown for a busy phase.
    void ClearNotice();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyWindowFlags(bool caption);
    void PlaceDesk();
    void EnterScaledView(const QSize& logical);
    void LeaveScaledView();
    bool ForwardKey(QKeyEvent* event);

    const CTypingAspect& m_look;
    CUserProfile& m_options;
    const CPrivileges& m_privileges;
    ScreenAreaSource m_screenSource;
    std::unique_ptr<TypingDeskPort> m_desk;
    QWidget* m_deskWidget = nullptr;
    // Mode 2's scaled picture: the desk inside a scene drawn with the background.
    QGraphicsScene* m_scene = nullptr;
    QGraphicsView* m_view = nullptr;
    QGraphicsProxyWidget* m_proxy = nullptr;
    int m_mode = 0;
    double m_scale = 1.0;
    bool m_switching = false;
    bool m_captionWhileMinimised = false;
    bool m_loginPending = true;
};

} // namespace kf
