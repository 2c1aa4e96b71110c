#pragma once

// CTypingDeskWnd: the typing desk, the one working window of the program inside the main
// frame. It draws the desk picture with the tool icons of its mode, hosts the text view, the
// on-screen keyboard with the hands picture, the exercise clock, the information panel and
// the notice panel, and runs the exercises: it starts lessons, tests and free typing, judges
// every typed character in order, pauses, aborts and ends exercises and returns to the idle
// desk.
//
// Keys reach it from the frame (HandleKey); each typed character goes through OnTypedKey.
// Every character goes through the standard view's keystroke queue: while the view turns a
// page the characters typed meanwhile wait and are judged, in order, as soon as the turn has
// ended, so none is lost or judged against a page not yet shown.
//
// Commands that other parts of the program carry out (option sheets, statistics, review,
// games, switching the user, the music) are registered with SetCommandHandler; without a
// handler their icon is shown disabled.

#include "app/typingdeskport.h"
#include "session/keydelayblock.h"
#include "session/keyreceiver.h"
#include "session/typingstatistics.h"
#include "session/ui/deskrules.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kf {

class CHandsView;
class CNoticeWnd;
class CStandView;
class CTimerWnd;
class CTypingInfoWnd;
class CTypingKeyboard;
class CViewWnd;
class DeskEnvironment;
class LessonRecord;

// Command numbers of the desk (its tool icons).
namespace desk_cmd {
constexpr int kNextLesson = 32770;
constexpr int kChangePassword = 32771;
constexpr int kExit = 32772;
constexpr int kHomePage = 32773;
constexpr int kTrain = 32774;
constexpr int kExamine = 32775;
constexpr int kConfig = 32776;
constexpr int kStatistics = 32777;
constexpr int kStop = 32778;
constexpr int kSelectLesson = 32780;
constexpr int kSelectTest = 32781;
constexpr int kTrainConfig = 32783;
constexpr int kBack = 32784;
constexpr int kTestConfig = 32785;
constexpr int kReview = 32787;
constexpr int kReviewConfig = 32788;
constexpr int kGetStarted = 108;
constexpr int kPageNext = 109;
constexpr int kPagePrev = 110;
constexpr int kSound = 111;
constexpr int kGame = 112;
constexpr int kGameConfig = 113;
constexpr int kHelp = 114;
constexpr int kHelpAlt = 57670;
// Not an icon: a click on the user area of the idle desk.
constexpr int kSwitchUser = 1;
} // namespace desk_cmd

// The end of an exercise, as EndExercise left it for the result page.
struct FinishedExercise
{
    int abortType = 0;
    int mode = 0;        // the desk mode the exercise ran in
    int kind = 0;        // the exercise kind
    uint32_t timeMs = 0; // rounded to whole seconds
    uint32_t totalHits = 0;
    uint32_t correctHits = 0;
    bool freeTyping = false;
    KeyDelayBlock keyDelays; // the slowest characters (at most 256)
};

class CTypingDeskWnd : public QWidget, public TypingDeskPort
{
    Q_OBJECT
public:
    explicit CTypingDeskWnd(DeskEnvironment& env, QWidget* parent = nullptr);
    ~CTypingDeskWnd() override;

    // --- TypingDeskPort
    QWidget* Widget() override { return this; }
    void StartAfterLogin() override;
    bool HandleKey(QKeyEvent* event) override;
    void Activate(bool active) override;
    bool QueryClose() override;

    // --- commands
    // Runs a desk command (the tool icons' numbers); false when the desk has none of that
    // number or it is not available in the mode.
    bool RunCommand(int command);
    void SetCommandHandler(int command, std::function<void()> handler);
    // The commands of the icons shown in the current mode, top to bottom, and whether each
    // is enabled.
    struct IconState
    {
        int command = 0;
        bool enabled = false;
    };
    const std::vector<IconState>& Icons() const { return m_icons; }
    bool IconEnabled(int command) const;

    // --- the session
    // One typed character (8 backspace, 13 Enter, 27 Escape), judged in order.
    void OnTypedKey(char16_t ch, int repeat = 1, uint32_t flags = 1);
    // Starts a lesson: with choose the lesson chooser runs first (when the privilege allows).
    bool StartLesson(bool choose);
    // Starts a test or free typing: with choose the test chooser runs first.
    bool StartTest(bool choose);
    // Free typing at once.
    bool StartFreeTyping();
    // Ends the running exercise (steps of the end, then the result or the idle desk).
    void EndExercise(int abortType);
    // Back to the idle desk without a result.
    void ReturnToIdleDesk();
    // Starts the same exercise again (lesson, test or free typing).
    bool RestartExercise();
    // Advances "Last_Lesson" to the next lesson and starts it; false when there is none.
    bool StartNextLesson();
    // The review (typingdeskwnd_result.cpp): reads the newest stored result, lets the user
    // choose the characters on the review sheet and starts the review of them (mode 4);
    // RestartReview runs the last review again with a new text. False when none started.
    bool StartReview();
    bool RestartReview();

    // --- state (for the frame, the result page and the tests)
    int Mode() const { return m_mode; }
    int Phase() const { return m_phase; }
    // 0 none, -1 any key, else the character that ends the notice.
    int AwaitedKey() const { return m_awaitedKey; }
    uint32_t PageStart() const { return m_pageStart; }
    const std::u16string& Caption() const { return m_caption; }
    const std::u16string& CourseFile() const { return m_courseFile; }
    const std::u16string& TestSource() const { return m_testSource; }
    const FinishedExercise& LastFinished() const { return m_finished; }
    bool ProgramActive() const { return m_active; }
    bool Dimmed() const { return m_dimmed; }
    int PendingKeys() const;
    bool SoundSwitchOn() const { return m_soundSwitch; }
    int LastRecommendation() const { return m_recommendation; }
    void SetLastRecommendation(int r) { m_recommendation = r; }
    DeskEnvironment& Environment() { return m_env; }

    CViewWnd* ViewHost() const { return m_view; }
    CTypingKeyboard* Keyboard() const { return m_keyboard; }
    CStandView* StandView() const;
    CHandsView* Hands() const { return m_hands; }
    // False while a lesson shows the hands picture instead of the keyboard.
    bool KeyboardShown() const { return m_keyboardShown; }
    CTimerWnd* Clock() const { return m_clock; }
    CTypingInfoWnd* InfoPanel() const { return m_info; }
    CNoticeWnd* Notice() const { return m_notice; }
    TypingStatistics& Statistics() { return m_stats; }

    // The user's keyboard layout or its options changed (login, the options sheet): the
    // on-screen keyboard shows the layout again.
    void KeyboardLayoutChanged();
    // Builds the statistics block and hands it to the panel (not in the idle desk or a slide
    // show).
    void RefreshStatistics();
    // The desk picture as drawn now (dimmed while a modal dialog is open).
    QImage DeskPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The result page and saving, after the end of an exercise (typingdeskwnd_result.cpp).
    void ShowResultAndSave();
    // Enters review mode with the review text the engine holds (typingdeskwnd_result.cpp).
    bool BeginReview(const std::u16string& layoutFile);
    // The slide show of a lesson of Type 1 or 2 (typingdeskwnd_slides.cpp); false when it
    // cannot be shown, and the lesson goes on without it.
    bool StartSlides(int32_t lessonIndex);

    // Lessons.
    bool ChooseLessonDialog(std::u16string& coursePath);
    bool LoadCourseForLesson(const std::u16string& coursePath);
    bool MakeLessonText(int32_t lessonIndex, const LessonRecord& lesson);
    void BeginLessonPractice(int32_t lessonIndex, const LessonRecord& lesson);
    // Tests.
    bool ChooseTestDialog();
    bool BeginTest(const std::u16string& source);

    void PrepareExerciseRecord(int mode, const std::u16string& course,
                               const std::u16string& lesson);
    void EnterMode(int mode);
    void ApplyViewOptions();
    void ShowPhaseNotice(int phase);
    void ShowNotice(const std::u16string& title, const std::u16string& description,
                    const std::u16string& footer, int awaitedKey);
    void HideNotice();
    // The view shows length characters of the sample from start (a new page of the exercise).
    void LoadPage(uint32_t start, uint32_t length);
    void ShowNextKey();
    void UpdateIcons();
    void SetRunningIcons(bool running);

    // The steps of one character (the view's queue hands them over in order).
    void JudgeTypedKey(char16_t ch);
    bool RunHandler(int command);
    // The background music: allowed by "AllowBackgndMusic" and the sound switch; play starts
    // the desk's piece when nothing plays.
    void UpdateMusic(bool play);
    void StopMusic();
    std::u16string ExpandedLessonName(const LessonRecord& lesson) const;

    // The keyboard and the hands picture.
    void CreateKeyboard();
    void ReflectKey(QKeyEvent* event, bool press);
    void SetKeyboardTimers(bool on);
    // Shows the layout the user types with (after a layout was loaded).
    void RefreshKeyboard();
    void SetKeyboardMarking(bool on);
    void ClearKeyboardMarks();
    void MarkKeyboard(char16_t ch);
    void ShowFinger(char16_t ch, bool found);
    // The on-screen keyboard, or the hands picture in its place.
    void SetKeyboardShown(bool shown);
    void OnClockTick();
    void OnTimeOut();
    void OnModalChange(bool anyOpen);
    void SetDimmed(bool dimmed);
    bool AskAbort();

    // Icons and mouse.
    int IconAt(const QPoint& at) const;
    // The sound switch sits on the caption band in every mode.
    QRect SoundSwitchRect() const;
    bool SoundSwitchEnabled() const;
    void PressIcon(int slot);
    void ShowKeyTip(const QPoint& at);

    DeskEnvironment& m_env;
    CViewWnd* m_view = nullptr;
    CTypingKeyboard* m_keyboard = nullptr;
    CHandsView* m_hands = nullptr;
    CTimerWnd* m_clock = nullptr;
    CTypingInfoWnd* m_info = nullptr;
    CNoticeWnd* m_notice = nullptr;

    KeyReceiver m_receiver;
    TypingStatistics m_stats;
    FinishedExercise m_finished;

    int m_mode = 1;
    int m_phase = -1;
    int m_awaitedKey = 0;
    uint32_t m_pageStart = 0;
    int32_t m_lessonIndex = -1;
    std::u16string m_courseFile;
    std::u16string m_courseName;
    std::u16string m_testSource;
    std::u16string m_caption;
    int m_recommendation = 3;
    bool m_running = false; // the first character of the exercise has been typed
    bool m_active = true;
    bool m_pausedBeforeLeave = false;
    bool m_modalOpen = false;
    bool m_dimmed = false;
    bool m_soundSwitch = true;
    bool m_keyboardShown = true;
    bool m_deskMusic = false;         // the desk's piece was handed to the player
    bool m_turnPaused = false;        // the clock was paused by a page turn
    bool m_shownLayoutIsUsers = true; // the keyboard shows the user's layout, not a course's
    int m_displaySize = 255;
    int m_fontPercent = 100;

    // The result and review sheets (typingdeskwnd_result.cpp): the page left open last, and
    // what the last review practised, for "once again".
    int m_resultSheetPage = 0;
    std::u16string m_reviewCharacters;
    std::u16string m_reviewCourse;
    std::u16string m_reviewLabel;

    std::vector<IconState> m_icons;
    std::map<int, std::function<void()>> m_handlers;
    int m_pressedSlot = -1;
    int m_hoverSlot = -1;
    bool m_hoverSwitch = false;
    int m_pressFrame = 0;
    QTimer m_pressTimer; // the press animation of a tool icon
    QImage m_picture;    // the desk picture
    QImage m_dimmedPicture;
};

} // namespace kf
