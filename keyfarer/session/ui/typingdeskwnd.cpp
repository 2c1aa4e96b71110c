#include "session/ui/typingdeskwnd.h"

#include "content/courserefanswer.h"
#include "content/keyboardlayout.h"
#include "content/keyreferencemodel.h"
#include "content/privileges.h"
#include "keyboard/ui/handsview.h"
#include "keyboard/ui/typingkeyboard.h"
#include "content/ui/dlg_chooselesson.h"
#include "content/ui/dlg_choosetest.h"
#include "content/layoutkeyreferences.h"
#include "content/ui/supplierchooserdata.h"
#include "games/backgndmusic.h"
#include "platform/clock.h"
#include "platform/lasterror.h"
#include "session/exercisekind.h"
#include "session/paradigmpump.h"
#include "session/ui/deskenvironment.h"
#include "session/ui/noticewnd.h"
#include "session/ui/standview.h"
#include "session/ui/timerwnd.h"
#include "session/ui/typinginfownd.h"
#include "session/ui/viewwnd.h"
#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"
#include "skin/ui/tavrobasedialog.h"
#include "users/pump_typingdata.h"
#include "users/resultrecord.h"
#include "users/userprofile.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace kf {
namespace {

constexpr unsigned kErrorBox = 0x10;
constexpr unsigned kQuestionYesNo = 0x24;
constexpr int kYes = 6;
constexpr char16_t kFreeTypingSource[] = u"$FREETYPING$";
// Characters prepared for free typing.
constexpr uint32_t kFreeTypingLength = 24000;
// Test texts are cut at least this long.
constexpr uint32_t kMinTestSize = 2048;
constexpr int kPressStepMs = 40;

QRect ToQRect(const SkinRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

} // namespace

CTypingDeskWnd::CTypingDeskWnd(DeskEnvironment& env, QWidget* parent) : QWidget(parent), m_env(env)
{
    const CTypingAspect& look = m_env.Look();
    setFixedSize(kDeskWidth, kDeskHeight);
    setMouseTracking(true);
    // The frame keeps the keyboard focus and hands the keys on (HandleKey).
    setFocusPolicy(Qt::NoFocus);
    m_picture = SkinPixmap(look, skinbmp::kDesk).toImage().convertToFormat(QImage::Format_RGB32);
    if (m_picture.isNull()) {
        m_picture = QImage(kDeskWidth, kDeskHeight, QImage::Format_RGB32);
        m_picture.fill(LookQColor(look, LookColor::DialogBack));
    }
    m_dimmedPicture = DimmedCopy(m_picture);

    m_view = new CViewWnd(&look, this);
    m_view->setGeometry(ToQRect(look.TextViewRect()));
    m_notice = new CNoticeWnd(&look, this);
    m_notice->setGeometry(ToQRect(look.NoticeRect()));
    m_notice->hide();
    m_info = new CTypingInfoWnd(&look, m_env.Texts(), this, this);
    m_info->setGeometry(ToQRect(look.InfoPanelRect()));
    m_clock = new CTimerWnd(&look, this);
    m_clock->setGeometry(ToQRect(look.ClockRect()));
    CreateKeyboard();

    connect(m_clock, &CTimerWnd::tick, this, &CTypingDeskWnd::OnClockTick);
    connect(m_clock, &CTimerWnd::timeOut, this, &CTypingDeskWnd::OnTimeOut);
    CStandView* stand = m_view->StandView();
    stand->SetKeystrokeSink([this](const TypedKeystroke& key) { JudgeTypedKey(key.code); });
    connect(stand, &CStandView::pageTurnStarted, this, [this] {
        if (!m_clock->Clock().Paused()) {
            m_clock->Pause();
            m_turnPaused = true;
        }
    });
    connect(stand, &CStandView::pageTurnFinished, this, [this] {
        if (m_turnPaused) {
            m_turnPaused = false;
            m_clock->Resume();
        }
    });

    m_pressTimer.setInterval(kPressStepMs);
    connect(&m_pressTimer, &QTimer::timeout, this, [this] {
        if (++m_pressFrame <= kIconFrameAnimCount) {
            update(ToQRect(m_env.Look().ToolIconRect(m_pressedSlot)));
            return;
        }
        m_pressTimer.stop();
        const int slot = m_pressedSlot;
        m_pressedSlot = -1;
        update();
        if (slot >= 0 && size_t(slot) < m_icons.size())
            RunCommand(m_icons[size_t(slot)].command);
    });

    CTavroBaseDialog::SetModalObserver([this](bool anyOpen) { OnModalChange(anyOpen); });
    m_view->installEventFilter(this);
    m_notice->installEventFilter(this);
    m_keyboard->installEventFilter(this);
    EnterMode(desk_mode::kIdle);
}

CTypingDeskWnd::~CTypingDeskWnd()
{
    CTavroBaseDialog::SetModalObserver({});
}

// --- the frame's port -------------------------------------------------------------------

void CTypingDeskWnd::KeyboardLayoutChanged()
{
    m_shownLayoutIsUsers = true;
    RefreshKeyboard();
}

void CTypingDeskWnd::StartAfterLogin()
{
    KeyboardLayoutChanged();
    UpdateMusic(true);
    update();
    const CPrivileges& priv = m_env.Privileges();
    switch (priv.StartMode()) {
    case 1:
        if (priv.AllowLessons()) {
            if (!m_env.KeyboardLayout().IsLoaded())
                m_env.ShowMessage(u"IDS_ERR_NOKBLAYOUT", this, kErrorBox);
            else
                StartLesson(false);
        }
        return;
    case 2:
        if (priv.AllowTests())
            StartTest(false);
        return;
    default:
        if (m_env.UserOptions().ChoiceLessonAtStartup() && priv.AllowLessons())
            RunCommand(desk_cmd::kTrain);
        return;
    }
}

bool CTypingDeskWnd::HandleKey(QKeyEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    // A key that reaches the desk means the program has the keyboard, even where the window
    // system did not report the frame active again after a dialog (no window manager).
    if (press && !m_active && !m_modalOpen)
        Activate(true);
    ReflectKey(event, press);
    if (!press)
        return false;
    KeyInput input;
    input.text = FromQString(event->text());
    const Qt::KeyboardModifiers mods = event->modifiers();
    input.controlOrMeta = (mods & (Qt::ControlModifier | Qt::MetaModifier)) &&
                          !(mods & Qt::AltModifier); // AltGr arrives as Ctrl+Alt on some systems
    switch (event->key()) {
    case Qt::Key_Backspace:
        input.key = ReceivedKey::Backspace;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        input.key = ReceivedKey::Enter;
        break;
    case Qt::Key_Escape:
        input.key = ReceivedKey::Escape;
        break;
    case Qt::Key_Tab:
        input.key = ReceivedKey::Tab;
        break;
    default:
        input.key = input.text.empty() ? ReceivedKey::Other : ReceivedKey::Text;
        break;
    }
    const std::u16string chars = m_receiver.Receive(input);
    for (char16_t ch : chars)
        OnTypedKey(ch, event->isAutoRepeat() ? 2 : 1, event->nativeScanCode());
    return !chars.empty() || m_mode != desk_mode::kIdle;
}

void CTypingDeskWnd::Activate(bool active)
{
    if (active == m_active)
        return;
    if (!active) {
        m_pausedBeforeLeave = m_clock->Clock().Paused();
        if (!m_pausedBeforeLeave) {
            m_clock->Pause();
            StandView()->Pause(true);
        }
        SetKeyboardTimers(false);
        if (CBackgndMusic* music = m_env.Music())
            music->Pause();
        m_active = false;
        m_clock->SetProgramActive(false);
        m_info->SetProgramActive(false);
        m_receiver.Reset();
        SetDimmed(true);
        return;
    }
    SetDimmed(m_modalOpen);
    if (!m_pausedBeforeLeave && m_clock->Clock().Running()) {
        m_clock->Resume();
        StandView()->Pause(false);
    }
    SetKeyboardTimers(true);
    if (CBackgndMusic* music = m_env.Music())
        music->Resume();
    m_active = true;
    m_clock->SetProgramActive(true);
    m_info->SetProgramActive(true);
    RefreshStatistics();
    m_clock->update();
    RefreshKeyboard();
}

bool CTypingDeskWnd::QueryClose()
{
    if (m_mode == desk_mode::kIdle)
        return true;
    if (m_mode == desk_mode::kTest && !m_env.UserOptions().AllowAbort())
        return false;
    if (!m_running) {
        ReturnToIdleDesk();
        return true;
    }
    if (!AskAbort())
        return false;
    if (m_mode != desk_mode::kIdle)
        ReturnToIdleDesk();
    return true;
}

// --- typing -------------------------------------------------------------------------------

void CTypingDeskWnd::OnTypedKey(char16_t ch, int repeat, uint32_t flags)
{
    TypedKeystroke key;
    key.code = ch;
    key.repeat = repeat;
    key.flags = flags;
    StandView()->SubmitKeystroke(key);
}

int CTypingDeskWnd::PendingKeys() const
{
    return int(StandView()->WaitingKeystrokes());
}

CStandView* CTypingDeskWnd::StandView() const
{
    return m_view->StandView();
}

bool CTypingDeskWnd::AskAbort()
{
    ExerciseClock& clock = m_clock->Clock();
    const bool wasPaused = clock.Paused();
    m_clock->Pause();
    const uint32_t asked = TickCount();
    CBackgndMusic* music = m_env.Music();
    if (music)
        music->Pause();
    const bool yes = m_env.ShowMessage(u"IDS_MES_ASKABORT", this, kQuestionYesNo) == kYes;
    if (music)
        music->Resume();
    if (!wasPaused)
        m_clock->Resume();
    m_stats.ShiftLastKeystroke(TickCount() - asked);
    return yes;
}

void CTypingDeskWnd::JudgeTypedKey(char16_t ch)
{
    // 1. Keys do nothing in a slide show.
    if (m_mode == desk_mode::kSlideShow)
        return;
    // 3. The idle desk: Escape asks whether to leave the program.
    if (m_mode == desk_mode::kIdle) {
        if (ch == 27 && m_env.ShowMessage(u"IDS_MES_ASKQUIT", this, kQuestionYesNo) == kYes)
            m_env.ExitProgram();
        return;
    }
    // 4. Escape asks whether to abort.
    if (ch == 27) {
        if (m_mode == desk_mode::kTest && !m_env.UserOptions().AllowAbort())
            return;
        if (AskAbort())
            EndExercise(desk::AbortTypeForMode(m_mode));
        return;
    }
    // 5. A notice waits for its key.
    if (m_awaitedKey != 0) {
        if (m_awaitedKey == -1 || ch == char16_t(m_awaitedKey))
            HideNotice();
        return;
    }
    CParadigmPump& pump = m_env.Pump();
    // 6. The first key starts the clock.
    if (m_clock->Clock().Paused())
        m_clock->Resume();
    // 7. No backspacing into an earlier page.
    CStandView* view = StandView();
    if (ch == 8 && pump.Position() <= m_pageStart + view->PageStart(view->CurrentPage()))
        return;
    // 9. Judge.
    char16_t expected = 0;
    uint32_t newPosition = 0;
    bool error = false;
    const JudgeResult judged = pump.JudgeKey(ch, expected, newPosition, error);
    // 10. The last character ends the exercise.
    if (judged == JudgeResult::Complete) {
        EndExercise(abort_type::kFinished);
        return;
    }
    // 11. Sound, next key, caret.
    const bool freeTyping = pump.Kind() == kind::kFreeTyping;
    m_env.PlayUiSound(error ? 9 : 8);
    ShowNextKey();
    if (freeTyping) {
        // The text grows with the typing; the caret stands on the last typed character.
        view->SetSampleLength(newPosition);
        view->SetCaretPosition(newPosition > 0 ? newPosition - 1 : 0);
    } else {
        view->SetCaretPosition(newPosition - m_pageStart);
    }
    // 12. The delay of the character, and the wink bar.
    if (m_stats.RecordKeyDelay(ch, expected, m_mode, pump.AllowErrorKey()))
        m_info->FlashWink();
    // 13. The first character starts the record's time.
    const uint32_t startAt = freeTyping ? 2 : 1;
    if (newPosition >= startAt && !m_running) {
        m_env.CurrentResult().SetStartTime(LocalNow());
        SetRunningIcons(true);
    }
    // 14. The end of a phase page: the next phase's notice, then its page.
    if ((m_mode == desk_mode::kLesson || m_mode == desk_mode::kReview) && m_phase >= 0 &&
        m_phase < desk::kPhaseCount && newPosition > 0) {
        const uint32_t end = m_pageStart + pump.PhaseLength(m_phase);
        if (end > 0 && newPosition >= end && newPosition < pump.Length()) {
            m_clock->Pause();
            const auto& course = pump.Course();
            const LessonRecord* lesson = course.Lesson(m_lessonIndex);
            const unsigned bits = lesson ? unsigned(pump.LessonPhases(lesson->Name())) : 1u;
            auto hasText = [&](int p) { return pump.PhaseLength(p) > 0; };
            m_phase = desk::NextPhase(m_phase, bits, pump.Kind(), pump.PracticeTypeIs1(), hasText);
            const uint32_t left = pump.Length() - newPosition;
            const uint32_t length =
                std::min(pump.PhaseLength(m_phase) ? pump.PhaseLength(m_phase) : left, left);
            ShowPhaseNotice(m_phase);
            LoadPage(newPosition, length);
        }
    }
}

// --- starting exercises -----------------------------------------------------------------

bool CTypingDeskWnd::StartLesson(bool choose)
{
    CUserProfile& options = m_env.UserOptions();
    CParadigmPump& pump = m_env.Pump();
    // 1.
    if (!m_env.KeyboardLayout().IsLoaded()) {
        m_env.ShowMessage(u"IDS_ERR_NOKBLAYOUT", this, kErrorBox);
        return false;
    }
    // 2. The course: chosen, or the last one.
    std::u16string coursePath;
    if (choose && m_env.Privileges().ChooseLesson()) {
        if (!ChooseLessonDialog(coursePath))
            return false;
    } else {
        CPump_TypingData& supplier = m_env.Supplier();
        supplier.SetErrorKey(u"IDS_ERR_LOADCOURESEINFO");
        if (!supplier.ResolveCourseRef(CourseRefAnswer::kCourse,
                                       m_env.KeyboardLayout().LayoutType(), options.WhichHand(),
                                       options.LastCourse(), 0, {}))
            return false;
        CourseRefAnswer answer;
        if (!answer.Assign(supplier.Result(), true) || answer.Kind() == CourseRefAnswer::kNothing) {
            m_env.ShowMessage(u"IDS_ERR_NOLASTCOURSE", this, kErrorBox,
                              {FormatArg(options.LastCourse())});
            return false;
        }
        coursePath = answer.CoursePath();
        m_courseName = answer.CourseName();
    }
    // 3-4.
    if (!LoadCourseForLesson(coursePath))
        return false;
    // 5. The last lesson, or the first that fits.
    int32_t index = -1;
    const LessonRecord* lesson = pump.FindLesson(options.LastLesson(), index);
    if (!lesson) {
        std::u16string name;
        index = pump.NextLesson(name);
        lesson = index >= 0 ? pump.Course().Lesson(index) : nullptr;
        if (!lesson) {
            m_env.ShowMessage(u"IDS_ERR_NOLESSON", this, kErrorBox);
            return false;
        }
        options.SetLastLesson(std::u16string_view(name).substr(0, 129));
    }
    // 6. Slides first for lessons of Type 1 and 2; a lesson of slides alone that cannot be
    // shown gives way to the next lesson.
    const int type = lesson->Type();
    if (type == 1 || type == 2) {
        if (StartSlides(index))
            return true;
        if (type == 1) {
            std::u16string name;
            for (int32_t i = index + 1; i < int32_t(pump.Course().LessonCount()); ++i) {
                const LessonRecord* next = pump.Course().Lesson(i);
                if (next && next->Type() != 1 &&
                    (next->FitMode() & (pump.PracticeTypeIs1() ? 2 : 1))) {
                    index = i;
                    lesson = next;
                    break;
                }
            }
            if (lesson->Type() == 1) {
                m_env.ShowMessage(u"IDS_ERR_NOLESSON", this, kErrorBox);
                return false;
            }
            options.SetLastLesson(std::u16string_view(lesson->Name()).substr(0, 129));
        }
    }
    if (!MakeLessonText(index, *lesson))
        return false;
    // 7.
    BeginLessonPractice(index, *lesson);
    return true;
}

bool CTypingDeskWnd::ChooseLessonDialog(std::u16string& coursePath)
{
    CUserProfile& options = m_env.UserOptions();
    SupplierChooserData data(m_env.Supplier());
    ChooserContext ctx;
    ctx.look = &m_env.Look();
    ctx.texts = m_env.Texts();
    ctx.data = &data;
    ctx.message = [this](std::u16string_view key, const std::vector<FormatArg>& args,
                         unsigned style,
                         QWidget* owner) { return m_env.ShowMessage(key, owner, style, args); };
    ctx.playSound = [this](int i) { m_env.PlayUiSound(i); };
    LayoutKeyReferences keys(m_env.KeyboardLayout());
    CDlg_ChooseLesson::Request req;
    req.course = options.LastCourse();
    req.lesson = options.LastLesson();
    req.topRight = mapToGlobal(QPoint(width() - 5, 60));
    for (const CViewWnd::ViewInfo& v : m_view->Views())
        req.views.push_back({v.id, ToQString(m_env.Text(v.nameKey))});
    req.viewId = options.TrainViewId();
    req.keys = &keys;
    req.fitMask = options.PracticeType() != 0 ? 2 : 255;
    req.chooseCourse = m_env.Privileges().ChooseCourse();
    req.layoutType = m_env.KeyboardLayout().LayoutType();
    req.whichHand = options.WhichHand();
    CDlg_ChooseLesson dlg(ctx, req, this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    coursePath = dlg.CoursePath();
    m_courseName = dlg.CourseName();
    options.SetLastCourse(std::u16string_view(dlg.CourseName()).substr(0, 129));
    options.SetLastLesson(std::u16string_view(dlg.LessonName()).substr(0, 129));
    options.SetTrainViewId(uint8_t(dlg.ViewId()));
    return true;
}

bool CTypingDeskWnd::LoadCourseForLesson(const std::u16string& coursePath)
{
    CParadigmPump& pump = m_env.Pump();
    CUserProfile& options = m_env.UserOptions();
    m_env.BeginBusy(u"");
    bool standard = true;
    std::u16string layoutFile;
    const bool loaded = pump.LoadCourse(coursePath, standard, layoutFile);
    m_env.EndBusy();
    if (!loaded)
        return false;
    const uint8_t courseType = pump.Course().Header().LayoutType();
    if (courseType != CourseHeader::kAnyKeysLayoutType &&
        !CourseHeader::FitsLayout(courseType, m_env.KeyboardLayout().LayoutType())) {
        m_env.ShowMessage(u"IDS_ERR_TRAINMATCHKEYBOARD", this, kErrorBox);
        return false;
    }
    pump.SetAllowBackspace(options.AllowBackspace() != 0);
    pump.SetAllowErrorKey(options.AllowErrorKey() != 0);
    pump.SetPracticeTypeIs1(options.PracticeType() == 1);
    m_courseFile = coursePath;
    // A course with its own keyboard brings its layout; a standard course types on the
    // user's, which is loaded again when another one is shown.
    if (!standard && !layoutFile.empty()) {
        if (!m_env.LoadKeyboardLayout(layoutFile))
            return false;
        m_shownLayoutIsUsers = false;
    } else if (!m_shownLayoutIsUsers && !options.KeyboardLayoutFile().empty()) {
        if (!m_env.LoadKeyboardLayout(options.KeyboardLayoutFile()))
            return false;
        m_shownLayoutIsUsers = true;
    }
    RefreshKeyboard();
    return true;
}

bool CTypingDeskWnd::MakeLessonText(int32_t lessonIndex, const LessonRecord& lesson)
{
    CParadigmPump& pump = m_env.Pump();
    const size_t size = LessonSizeFromOption(m_env.UserOptions().TrainGenerateSize());
    bool made = false;
    if (lesson.Type() == LessonRecord::kRowIndexType)
        made = pump.MakeSentenceText(lessonIndex, size);
    else if (pump.Course().Header().TrainType() == 3)
        made = pump.MakeKeyDrillText(lessonIndex, size);
    else
        made = pump.MakePhaseText(lessonIndex, size);
    if (made)
        return true;
    const uint32_t error = GetLastError();
    if (lesson.Type() == LessonRecord::kRowIndexType || error == err::FileNotFound)
        m_env.ShowMessage(error == err::FileNotFound ? u"IDS_ERR_FILENOTFOUND"
                                                     : u"IDS_ERR_EXTRALESSONFILENOTFOUND",
                          this, kErrorBox, {FormatArg(lesson.ExtraFile())});
    else
        m_env.ShowMessage(u"IDS_ERR_NOLESSON", this, kErrorBox);
    return false;
}

void CTypingDeskWnd::BeginLessonPractice(int32_t lessonIndex, const LessonRecord& lesson)
{
    CParadigmPump& pump = m_env.Pump();
    m_lessonIndex = lessonIndex;
    const unsigned bits = unsigned(pump.LessonPhases(lesson.Name()));
    auto hasText = [&](int p) { return pump.PhaseLength(p) > 0; };
    m_phase = desk::NextPhase(-1, bits, pump.Kind(), pump.PracticeTypeIs1(), hasText);
    if (pump.PhaseLength(m_phase) == 0)
        m_phase = -1; // a text without phases is one page
    m_caption = ExpandedLessonName(lesson);
    PrepareExerciseRecord(desk_mode::kLesson, m_courseName, lesson.Name());
    const uint8_t display = lesson.StdDisplaySize() == 255
                                ? uint8_t(m_env.UserOptions().StdDisplaySize())
                                : lesson.StdDisplaySize();
    m_displaySize = display;
    m_fontPercent = lesson.StdFontSize() ? lesson.StdFontSize() : 100;
    m_env.CurrentResult().SetDisplaySize(display);
    const uint32_t first = m_phase >= 0 ? pump.PhaseLength(m_phase) : pump.Length();
    EnterMode(desk_mode::kLesson);
    SetKeyboardShown(lesson.ShowScreenKb() != 0);
    LoadPage(0, std::min(first, pump.Length()));
    ShowPhaseNotice(m_phase);
}

std::u16string CTypingDeskWnd::ExpandedLessonName(const LessonRecord& lesson) const
{
    LayoutKeyReferences keys(m_env.KeyboardLayout());
    return ExpandKeyReferences(lesson.Name(), m_env.Pump().Course().Header().LayoutType(), keys);
}

bool CTypingDeskWnd::StartTest(bool choose)
{
    CUserProfile& options = m_env.UserOptions();
    std::u16string source;
    if (choose && m_env.Privileges().ChooseTest()) {
        if (!ChooseTestDialog())
            return false;
    }
    if (options.LastTestText().empty())
        source = kFreeTypingSource;
    else if (options.LastTestCategory().empty())
        source = options.LastTestText();
    else
        source = options.LastTestCategory() + u"\\" + options.LastTestText();
    return BeginTest(source);
}

bool CTypingDeskWnd::ChooseTestDialog()
{
    CUserProfile& options = m_env.UserOptions();
    SupplierChooserData data(m_env.Supplier());
    ChooserContext ctx;
    ctx.look = &m_env.Look();
    ctx.texts = m_env.Texts();
    ctx.data = &data;
    ctx.message = [this](std::u16string_view key, const std::vector<FormatArg>& args,
                         unsigned style,
                         QWidget* owner) { return m_env.ShowMessage(key, owner, style, args); };
    ctx.playSound = [this](int i) { m_env.PlayUiSound(i); };
    CDlg_ChooseTest::Request req;
    req.category = options.LastTestCategory();
    req.text = options.LastTestText();
    req.chooseCategory = m_env.Privileges().ChooseTestCategory();
    CDlg_ChooseTest dlg(ctx, req, this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    if (dlg.FreeTyping()) {
        options.SetLastTestText(u"");
        return true;
    }
    options.SetLastTestCategory(dlg.Category());
    options.SetLastTestText(dlg.Title());
    return true;
}

bool CTypingDeskWnd::StartFreeTyping()
{
    return BeginTest(kFreeTypingSource);
}

bool CTypingDeskWnd::BeginTest(const std::u16string& source)
{
    CUserProfile& options = m_env.UserOptions();
    CParadigmPump& pump = m_env.Pump();
    pump.SetAllowBackspace(options.AllowBackspace() != 0);
    pump.SetAllowErrorKey(options.AllowErrorKey() != 0);
    const bool freeTyping = source == kFreeTypingSource;
    std::u16string caption;
    if (freeTyping) {
        pump.PrepareFreeTyping(kFreeTypingLength);
        caption = m_env.Text(u"IDS_LIST_TRAINFREETYPING");
    } else {
        if (!pump.OpenTestDocument(source, options.TwoSpaceSentence() != 0))
            return false;
        uint32_t size = options.DataGenerateSize();
        if (size < kMinTestSize) {
            size = kMinTestSize;
            options.SetDataGenerateSize(size);
        }
        caption = source.substr(
            source.rfind(u'\\') == std::u16string::npos ? 0 : source.rfind(u'\\') + 1);
        if (!pump.LoadTestText(size, options.DataGenerateType(), caption))
            return false;
    }
    m_testSource = source;
    m_caption = caption;
    m_lessonIndex = -1;
    m_phase = -1;
    PrepareExerciseRecord(desk_mode::kTest,
                          freeTyping ? m_env.Text(u"IDS_USEDATATYPE_FREETYPE") : source, caption);
    m_displaySize = 255;
    m_fontPercent = 100;
    EnterMode(desk_mode::kTest);
    if (freeTyping)
        LoadPage(0, 0);
    else
        LoadPage(0, pump.Length());
    if (pump.Kind() == kind::kOriginalCopyTest)
        ShowNotice(m_env.Text(u"IDS_MES_T_PREORIGINALCOPYTEST"),
                   FormatText(m_env.Text(u"IDS_MES_D_PREORIGINALCOPYTEST"), {FormatArg(caption)}),
                   m_env.Text(u"IDS_MES_F_PREORIGINALCOPYTEST"), -1);
    return true;
}

void CTypingDeskWnd::PrepareExerciseRecord(int mode, const std::u16string& course,
                                           const std::u16string& lesson)
{
    CParadigmPump& pump = m_env.Pump();
    CResultRecord& result = m_env.CurrentResult();
    result = CResultRecord();
    result.SetCourseName(course);
    result.SetLessonName(lesson);
    const int kind = pump.Kind();
    std::u16string label;
    if ((kind == kind::kCodeLesson || kind == kind::kKeyDrill || kind == kind::kTest31 ||
         kind == kind::kCourseReview) &&
        pump.ReviewLabel(label))
        result.SetExtraName(std::u16string_view(label).substr(0, 31));
    result.SetExerciseKind(uint8_t(kind));
    result.SetLessonIndex(uint16_t(std::max<int32_t>(pump.LessonIndex(), 0)));
    result.SetDeskMode(uint8_t(mode));
    m_stats.PrepareExercise(pump.Sample(), kind == kind::kFreeTyping);
    m_running = false;
    StandView()->ClearWaitingKeystrokes();
    m_finished = FinishedExercise();
}

void CTypingDeskWnd::EnterMode(int mode)
{
    m_mode = mode;
    m_awaitedKey = 0;
    m_running = false;
    UpdateIcons();
    m_notice->hide();
    m_view->show();
    SetKeyboardShown(true);
    const CUserProfile& options = m_env.UserOptions();
    const int kind = m_env.Pump().Kind();
    switch (mode) {
    case desk_mode::kLesson:
        m_view->ApplyOptions(options, mode, kind, m_displaySize, m_fontPercent,
                             m_env.Pump().Course().Header().FontName());
        m_clock->StartPausedCountdown(desk::LessonLimitSeconds(options.TrainTime()));
        SetKeyboardMarking(true);
        break;
    case desk_mode::kTest:
        m_view->ApplyOptions(options, mode, kind, 255, 100, {});
        m_clock->StartPausedCountdown(desk::TestLimitSeconds(options.TestTime()));
        SetKeyboardMarking(false);
        break;
    case desk_mode::kReview:
        m_view->ApplyOptions(options, mode, kind, 255, 100, {});
        m_clock->StartPausedCountdown(desk::ReviewLimitSeconds(options.ReviewDuration()));
        SetKeyboardMarking(true);
        break;
    case desk_mode::kIdle:
    default:
        m_clock->Stop();
        StandView()->ClearText();
        m_info->ClearStatistics();
        SetKeyboardMarking(false);
        break;
    }
    if (mode != desk_mode::kIdle) {
        ShowNextKey();
        RefreshStatistics();
    }
    if (mode != desk_mode::kGame)
        UpdateMusic(true);
    update();
}

void CTypingDeskWnd::LoadPage(uint32_t start, uint32_t length)
{
    CParadigmPump& pump = m_env.Pump();
    m_pageStart = start;
    CStandView* view = StandView();
    const char16_t* typed = pump.Typed().data();
    if (pump.Kind() == kind::kFreeTyping) {
        // The typed buffer is the text; it is NUL from the position on, so the whole buffer
        // counts as typed and the view's typed length need not follow the typing.
        const uint32_t n = pump.Position();
        view->SetText(typed, n, typed, uint32_t(CParadigmPump::kMaxLength));
        view->SetCaretPosition(n > 0 ? n - 1 : 0);
        return;
    }
    const std::u16string_view sample = pump.Sample();
    const uint32_t size = uint32_t(sample.size());
    const uint32_t from = std::min(start, size);
    const uint32_t n = std::min(length, size - from);
    view->SetText(sample.data() + from, n, typed + from, n);
    view->SetCaretPosition(pump.Position() - from);
}

void CTypingDeskWnd::ShowPhaseNotice(int phase)
{
    CParadigmPump& pump = m_env.Pump();
    const LessonRecord* lesson = pump.Course().Lesson(m_lessonIndex);
    const std::array<std::u16string, 3> keys = desk::PhaseNoticeKeys(phase < 0 ? 0 : phase);
    std::u16string title = m_env.Text(keys[0]);
    std::u16string description = m_env.Text(keys[1]);
    const std::u16string footer = m_env.Text(keys[2]);
    if (phase <= 1) {
        std::u16string described;
        if (lesson) {
            LayoutKeyReferences refs(m_env.KeyboardLayout());
            described = ExpandKeyReferences(lesson->KeysDescription(),
                                            pump.Course().Header().LayoutType(), refs);
        }
        if (described.empty())
            described = m_caption;
        description = FormatText(description, {FormatArg(described)});
    }
    std::u16string prenotice;
    if (pump.PrenoticeText(prenotice) && !prenotice.empty())
        desk::SplitPrenotice(prenotice, title, description);
    ShowNotice(title, description, footer, 13);
}

void CTypingDeskWnd::ShowNotice(const std::u16string& title, const std::u16string& description,
                                const std::u16string& footer, int awaitedKey)
{
    m_notice->SetTexts(ToQString(title), ToQString(description), ToQString(footer));
    m_view->hide();
    m_notice->show();
    m_notice->raise();
    m_awaitedKey = awaitedKey;
    ClearKeyboardMarks();
}

void CTypingDeskWnd::HideNotice()
{
    m_notice->hide();
    m_view->show();
    m_awaitedKey = 0;
    ClearKeyboardMarks();
    ShowNextKey();
}

// --- ending -------------------------------------------------------------------------------

void CTypingDeskWnd::EndExercise(int abortType)
{
    if (m_mode == desk_mode::kIdle)
        return;
    CParadigmPump& pump = m_env.Pump();
    // 1.
    const uint32_t elapsed = m_clock->Clock().ElapsedMs();
    m_phase = -1;
    StopMusic();
    m_clock->Pause();
    StandView()->Stop();
    StandView()->ClearWaitingKeystrokes();
    // 2.
    const uint32_t time = desk::RoundExerciseTime(elapsed);
    // 3.
    if ((time == 0 || pump.Position() == 0) && abortType != abort_type::kGameOver) {
        ReturnToIdleDesk();
        return;
    }
    // 4.
    const bool freeTyping = pump.Kind() == kind::kFreeTyping;
    CResultRecord& result = m_env.CurrentResult();
    result.SetEndReason(uint8_t(abortType));
    result.SetTypingTime(time);
    result.SetCharsCorrect(freeTyping ? pump.Position() : pump.Correct());
    result.SetCharsTyped(pump.Position());
    // 5.
    m_finished.abortType = abortType;
    m_finished.mode = m_mode;
    m_finished.kind = pump.Kind();
    m_finished.timeMs = time;
    m_finished.totalHits = pump.Position();
    m_finished.correctHits = freeTyping ? pump.Position() : pump.Correct();
    m_finished.freeTyping = freeTyping;
    m_finished.keyDelays = m_stats.MakeKeyDelayBlock();
    ShowResultAndSave();
}

void CTypingDeskWnd::ReturnToIdleDesk()
{
    StopMusic();
    StandView()->Stop();
    StandView()->ClearWaitingKeystrokes();
    m_phase = -1;
    EnterMode(desk_mode::kIdle);
}

bool CTypingDeskWnd::RestartExercise()
{
    const int mode = m_finished.mode ? m_finished.mode : m_mode;
    if (mode == desk_mode::kTest)
        return BeginTest(m_testSource);
    if (mode == desk_mode::kLesson || mode == desk_mode::kSlideShow)
        return StartLesson(false);
    if (mode == desk_mode::kReview)
        return RestartReview();
    return false;
}

bool CTypingDeskWnd::StartNextLesson()
{
    std::u16string name;
    if (m_env.Pump().NextLesson(name) < 0)
        return false;
    m_env.UserOptions().SetLastLesson(std::u16string_view(name).substr(0, 129));
    return StartLesson(false);
}

// --- statistics and clock -------------------------------------------------------------

void CTypingDeskWnd::RefreshStatistics()
{
    if (m_mode == desk_mode::kIdle || m_mode == desk_mode::kSlideShow)
        return;
    const CParadigmPump& pump = m_env.Pump();
    const CUserProfile& options = m_env.UserOptions();
    StatisticsInput in;
    in.mode = m_mode;
    in.kind = pump.Kind();
    in.totalHits = pump.Position();
    in.correctHits = pump.Correct();
    in.elapsedMs = m_clock->Clock().ElapsedMs();
    in.pass = int32_t(options.SinglePass());
    in.fullmark = int32_t(options.SingleFullmark());
    in.unit = options.SpeedUnitWpm() ? SpeedUnit::WordsPerMinute : SpeedUnit::CharactersPerMinute;
    if (const std::optional<StatisticsBlock> block = m_stats.RefreshStatistics(in))
        m_info->SetStatistics(*block, options.ErrorFactor());
}

void CTypingDeskWnd::OnClockTick()
{
    if (m_active)
        RefreshStatistics();
}

void CTypingDeskWnd::OnTimeOut()
{
    if (m_mode == desk_mode::kIdle)
        return;
    EndExercise(abort_type::kTimeOut);
}

// --- the next key ---------------------------------------------------------------------

void CTypingDeskWnd::ShowNextKey()
{
    char16_t expected = 0;
    const bool found = m_env.Pump().ExpectedCharacter(expected);
    // A review practises the slow keys: it shows them on the keyboard as a lesson does.
    const bool tips = (m_mode == desk_mode::kLesson || m_mode == desk_mode::kSlideShow ||
                       m_mode == desk_mode::kReview) &&
                      m_env.UserOptions().AllowKeyboardTips() && m_awaitedKey == 0;
    if (!tips || !found) {
        ClearKeyboardMarks();
        ShowFinger(0, false);
        return;
    }
    MarkKeyboard(expected);
    ShowFinger(expected, true);
}

// --- icons, commands ------------------------------------------------------------------

void CTypingDeskWnd::SetCommandHandler(int command, std::function<void()> handler)
{
    if (handler)
        m_handlers[command] = std::move(handler);
    else
        m_handlers.erase(command);
    UpdateIcons();
}

bool CTypingDeskWnd::RunHandler(int command)
{
    const auto it = m_handlers.find(command);
    if (it == m_handlers.end())
        return false;
    const std::function<void()> handler = it->second; // the handler may replace itself
    handler();
    return true;
}

void CTypingDeskWnd::UpdateMusic(bool play)
{
    CBackgndMusic* music = m_env.Music();
    if (!music)
        return;
    const bool switchOn = m_soundSwitch || !m_env.Privileges().SwitchMusic();
    music->SetAllowed(m_env.UserOptions().AllowBackgndMusic() != 0, switchOn);
    if (!music->Allowed())
        m_deskMusic = false;
    else if (play && !m_deskMusic)
        m_deskMusic = music->PlayDeskMusic();
}

void CTypingDeskWnd::StopMusic()
{
    if (CBackgndMusic* music = m_env.Music())
        music->Stop();
    m_deskMusic = false;
}

bool CTypingDeskWnd::IconEnabled(int command) const
{
    for (const IconState& s : m_icons)
        if (s.command == command)
            return s.enabled;
    return false;
}

void CTypingDeskWnd::UpdateIcons()
{
    using namespace desk_cmd;
    const CPrivileges& priv = m_env.Privileges();
    auto has = [this](int c) { return m_handlers.count(c) != 0; };
    std::vector<IconState> icons;
    switch (m_mode) {
    case desk_mode::kIdle:
        icons = {{kTrain, priv.AllowLessons()},
                 {kExamine, priv.AllowTests()},
                 {kGame, priv.AllowGames() && has(kGame)},
                 {kReview, priv.AllowReview()},
                 {kStatistics, priv.AllowStatistics() && has(kStatistics)},
                 {kConfig, priv.AllowOptions() && has(kConfig)},
                 {kHomePage, true},
                 {kHelp, true},
                 {kExit, true}};
        break;
    case desk_mode::kLesson:
        icons = {{kSelectLesson, priv.ChooseLesson()},
                 {kNextLesson, !m_running},
                 {kStop, true},
                 {kBack, true},
                 {kTrainConfig, priv.AllowOptions() && has(kTrainConfig) && !m_running},
                 {kHelp, true},
                 {kExit, true}};
        break;
    case desk_mode::kTest:
        icons = {{kSelectTest, priv.ChooseTest()},
                 {kStop, true},
                 {kBack, true},
                 {kTestConfig, priv.AllowOptions() && has(kTestConfig) && !m_running},
                 {kHelp, true},
                 {kExit, true}};
        break;
    case desk_mode::kReview:
        icons = {{kStop, true},
                 {kBack, true},
                 {kReviewConfig, priv.AllowOptions() && has(kReviewConfig) && !m_running},
                 {kHelp, true},
                 {kExit, true}};
        break;
    case desk_mode::kGame:
        icons = {{kStop, true},
                 {kBack, true},
                 {kGameConfig, priv.AllowOptions() && has(kGameConfig) && !m_running},
                 {kHelp, true},
                 {kExit, true}};
        break;
    case desk_mode::kSlideShow:
        icons = {{kPagePrev, true}, {kPageNext, true}, {kNextLesson, true},
                 {kBack, true},     {kHelp, true},     {kExit, true}};
        break;
    default:
        break;
    }
    m_icons = std::move(icons);
    update();
}

void CTypingDeskWnd::SetRunningIcons(bool running)
{
    m_running = running;
    UpdateIcons();
}

bool CTypingDeskWnd::RunCommand(int command)
{
    using namespace desk_cmd;
    if (command == kHelpAlt)
        command = kHelp;
    bool listed = false;
    for (const IconState& s : m_icons)
        if (s.command == command) {
            listed = true;
            if (!s.enabled)
                return false;
        }
    // The commands of the mode's icons, and those reached by other ways (help topics, the
    // user area, the frame's commands).
    if (!listed && command != kGetStarted && command != kSwitchUser && command != kExit &&
        command != kSound)
        return false;
    if (command == kSound && !SoundSwitchEnabled())
        return false;
    const bool hasRun = m_clock->Clock().HasRun() && m_env.Pump().Position() > 0;
    switch (command) {
    case kTrain:
        return StartLesson(true);
    case kExamine:
        return StartTest(true);
    case kSelectLesson:
        if (hasRun)
            EndExercise(abort_type::kLessonAborted);
        return StartLesson(true);
    case kSelectTest:
        if (hasRun)
            EndExercise(abort_type::kFinished);
        return StartTest(true);
    case kReview:
        return StartReview();
    case kStop:
        EndExercise(desk::AbortTypeForMode(m_mode));
        return true;
    case kBack:
        ReturnToIdleDesk();
        return true;
    case kNextLesson: {
        std::u16string name;
        if (m_env.Pump().NextLesson(name) < 0)
            return false;
        m_env.UserOptions().SetLastLesson(std::u16string_view(name).substr(0, 129));
        if (m_mode == desk_mode::kLesson || m_mode == desk_mode::kSlideShow)
            return StartLesson(false);
        return true;
    }
    case kSound: {
        const CPrivileges& priv = m_env.Privileges();
        m_soundSwitch = !m_soundSwitch;
        if (priv.SwitchKeySound())
            m_env.SetSoundOn(m_soundSwitch);
        if (priv.SwitchMusic())
            UpdateMusic(true);
        update();
        return true;
    }
    case kExit:
        m_env.ExitProgram();
        return true;
    case kHomePage:
        m_env.OpenWebPage(m_env.Text(u"IDS_MES_HOMEPAGE"));
        return true;
    case kHelp:
        if (!RunHandler(kHelp))
            m_env.ShowHelpTopic(u"");
        return true;
    case kGetStarted:
        m_env.ShowHelpTopic(u"getstart.htm");
        return true;
    default:
        return RunHandler(command);
    }
}

int CTypingDeskWnd::IconAt(const QPoint& at) const
{
    const CTypingAspect& look = m_env.Look();
    for (int slot = 0; slot < int(m_icons.size()) && slot < look.ToolSlotCount(); ++slot)
        if (ToQRect(look.ToolSlotRect(slot)).contains(at))
            return slot;
    return -1;
}

void CTypingDeskWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    const int slot = IconAt(at);
    if (slot >= 0) {
        if (m_icons[size_t(slot)].enabled && m_pressedSlot < 0) {
            m_pressedSlot = slot;
            m_pressFrame = 0;
            update(ToQRect(m_env.Look().ToolIconRect(slot)));
        }
        return;
    }
    if (SoundSwitchRect().contains(at)) {
        if (RunCommand(desk_cmd::kSound))
            m_env.PlayUiSound(0);
        return;
    }
    if (m_mode == desk_mode::kIdle && ToQRect(m_env.Look().UserAreaRect()).contains(at)) {
        RunHandler(desk_cmd::kSwitchUser);
        return;
    }
    QWidget::mousePressEvent(event);
}

void CTypingDeskWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressedSlot >= 0 && !m_pressTimer.isActive()) {
        if (IconAt(event->position().toPoint()) == m_pressedSlot) {
            m_pressFrame = 0;
            m_pressTimer.start();
        } else {
            const int slot = m_pressedSlot;
            m_pressedSlot = -1;
            update(ToQRect(m_env.Look().ToolIconRect(slot)));
        }
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

QRect CTypingDeskWnd::SoundSwitchRect() const
{
    // On the caption band, between the user's name and the clock.
    const SkinRect clock = m_env.Look().ClockRect();
    return QRect(clock.left - 32, clock.top + 1, 24, 24);
}

bool CTypingDeskWnd::SoundSwitchEnabled() const
{
    return m_env.Privileges().SwitchKeySound() || m_env.Privileges().SwitchMusic();
}

void CTypingDeskWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool overSwitch = SoundSwitchRect().contains(at);
    if (overSwitch != m_hoverSwitch) {
        m_hoverSwitch = overSwitch;
        update(SoundSwitchRect());
        if (overSwitch)
            QToolTip::showText(event->globalPosition().toPoint(),
                               ToQString(m_env.Text(u"IDS_ICON_TIPS_SOUND")), this);
    }
    const int slot = IconAt(at);
    if (slot != m_hoverSlot) {
        m_hoverSlot = slot;
        update();
        if (slot >= 0) {
            if (m_icons[size_t(slot)].enabled)
                m_env.PlayUiSound(0);
            const int row = IconRowForCommand(m_icons[size_t(slot)].command);
            for (const ToolIconInfo& info : ToolIcons())
                if (int(info.icon) == row) {
                    const std::u16string key(info.textKey);
                    const std::u16string tip = u"IDS_ICON_TIPS_" + key.substr(9);
                    QToolTip::showText(event->globalPosition().toPoint(),
                                       ToQString(m_env.Text(tip)), this);
                }
        } else {
            QToolTip::hideText();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CTypingDeskWnd::leaveEvent(QEvent* event)
{
    if (m_hoverSlot >= 0 || m_hoverSwitch) {
        m_hoverSlot = -1;
        m_hoverSwitch = false;
        update();
    }
    QWidget::leaveEvent(event);
}

bool CTypingDeskWnd::event(QEvent* e)
{
    if (e->type() == InfoTimerEvent::EventType()) {
        auto* te = static_cast<InfoTimerEvent*>(e);
        if (te->Panel() == m_info)
            m_info->OnTimer(te->TimerId());
        return true;
    }
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        if (HandleKey(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QWidget::event(e);
}

bool CTypingDeskWnd::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_keyboard && e->type() == QEvent::ToolTip) {
        ShowKeyTip(static_cast<QHelpEvent*>(e)->pos());
        return true;
    }
    // The desk keeps the keys: its children pass theirs on.
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && watched != this) {
        if (HandleKey(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QWidget::eventFilter(watched, e);
}

// --- the keyboard ---------------------------------------------------------------------

void CTypingDeskWnd::CreateKeyboard()
{
    const CTypingAspect& look = m_env.Look();
    m_keyboard = new CTypingKeyboard(&look, this);
    const SkinRect k = look.KeyboardRect();
    m_keyboard->move(k.left, k.top);
    m_keyboard->resize(m_keyboard->sizeHint());
    m_hands = new CHandsView(&look, this);
    const SkinRect h = look.HandsRect();
    m_hands->setGeometry(ToQRect(h));
    m_hands->hide();
    connect(m_keyboard, &CTypingKeyboard::keyClicked, this,
            [this](char16_t ch) { OnTypedKey(ch); });
    RefreshKeyboard();
}

void CTypingDeskWnd::ReflectKey(QKeyEvent* event, bool)
{
    m_keyboard->ReflectKeyEvent(*event);
}

void CTypingDeskWnd::SetKeyboardTimers(bool on)
{
    if (on)
        m_keyboard->StartTimers();
    else
        m_keyboard->StopTimers();
}

void CTypingDeskWnd::RefreshKeyboard()
{
    const CKeyboardLayout& layout = m_env.KeyboardLayout();
    if (layout.IsLoaded()) {
        const Bytes image = layout.LayoutImage();
        if (m_keyboard->Model().LayoutImage() != image)
            m_keyboard->LoadLayoutImage(image, false);
    }
    m_keyboard->SetAdvancedView(m_env.UserOptions().KeyboardAdvanceView() != 0);
    m_keyboard->Redraw(false);
}

void CTypingDeskWnd::SetKeyboardMarking(bool on)
{
    m_keyboard->SetMarkingEnabled(on);
    if (!on)
        m_keyboard->ClearMarks();
}

void CTypingDeskWnd::ClearKeyboardMarks()
{
    m_keyboard->ClearMarks();
}

void CTypingDeskWnd::MarkKeyboard(char16_t ch)
{
    m_keyboard->MarkNextCharacters(&ch, 1);
}

void CTypingDeskWnd::ShowFinger(char16_t ch, bool found)
{
    m_hands->SetHint(found ? m_keyboard->NextFinger(ch) : FingerHint{});
    // The hands picture stands in for the keyboard when the keyboard is hidden.
    m_hands->setVisible(!m_keyboardShown && m_mode != desk_mode::kIdle);
}

void CTypingDeskWnd::SetKeyboardShown(bool shown)
{
    m_keyboardShown = shown;
    m_keyboard->setVisible(shown);
    m_hands->setVisible(!shown && m_mode != desk_mode::kIdle);
}

void CTypingDeskWnd::ShowKeyTip(const QPoint& at)
{
    const KeyRef key = m_keyboard->KeyAt(at);
    const KeyRecord* record = key ? m_keyboard->Model().Record(key) : nullptr;
    if (!record || record->IsModifier()) {
        QToolTip::hideText();
        return;
    }
    const char16_t ch = m_keyboard->Model().CurrentCharacter(key);
    std::u16string name;
    m_env.KeyDisplayName(ch, name);
    QToolTip::showText(m_keyboard->mapToGlobal(at), ToQString(name), m_keyboard);
}

// --- drawing ----------------------------------------------------------------------------

void CTypingDeskWnd::OnModalChange(bool anyOpen)
{
    m_modalOpen = anyOpen;
    SetDimmed(anyOpen || !m_active);
}

void CTypingDeskWnd::SetDimmed(bool dimmed)
{
    if (dimmed == m_dimmed)
        return;
    m_dimmed = dimmed;
    update();
}

QImage CTypingDeskWnd::DeskPicture() const
{
    return m_dimmed ? m_dimmedPicture : m_picture;
}

void CTypingDeskWnd::paintEvent(QPaintEvent* event)
{
    const CTypingAspect& look = m_env.Look();
    QPainter p(this);
    p.drawImage(event->rect().topLeft(), m_dimmed ? m_dimmedPicture : m_picture, event->rect());

    // Tool icons with their labels.
    const QPixmap strip = SkinPixmap(look, skinbmp::kDeskIcons);
    const QFont small = LookQFont(look, LookFont::Small);
    p.setFont(small);
    for (int slot = 0; slot < int(m_icons.size()) && slot < look.ToolSlotCount(); ++slot) {
        const IconState& s = m_icons[size_t(slot)];
        const QRect iconRect = ToQRect(look.ToolIconRect(slot));
        const QRect slotRect = ToQRect(look.ToolSlotRect(slot));
        if (!event->rect().intersects(slotRect))
            continue;
        int row = IconRowForCommand(s.command);
        if (s.command == desk_cmd::kSound && !m_soundSwitch)
            row = int(DeskIcon::SoundOff);
        int frame = kIconFrameNormal;
        if (!s.enabled)
            frame = kIconFrameDisabled;
        else if (slot == m_pressedSlot)
            frame = m_pressTimer.isActive()
                        ? std::min(kIconFrameAnimFirst + m_pressFrame - 1,
                                   kIconFrameAnimFirst + kIconFrameAnimCount - 1)
                        : kIconFramePressed;
        else if (slot == m_hoverSlot)
            frame = kIconFrameAnimFirst;
        if (frame < 0)
            frame = kIconFramePressed;
        if (!strip.isNull() && row >= 0) {
            QImage cell =
                strip.copy(frame * kIconSize, row * kIconSize, kIconSize, kIconSize).toImage();
            if (m_dimmed)
                cell = DimmedCopy(cell.convertToFormat(QImage::Format_ARGB32));
            p.drawImage(iconRect.topLeft(), cell);
        }
        const SkinRect l = look.ToolLabelRect(slot);
        p.setPen(LookQColor(look, s.enabled && !m_dimmed ? LookColor::DeskText
                                                         : LookColor::DisabledText));
        std::u16string key;
        for (const ToolIconInfo& info : ToolIcons())
            if (info.command == s.command)
                key = info.textKey;
        p.drawText(ToQRect(l), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                   ToQString(m_env.Text(key)));
    }

    // The sound switch, small on the caption band.
    if (!strip.isNull()) {
        const int row = int(m_soundSwitch ? DeskIcon::SoundOn : DeskIcon::SoundOff);
        const int frame = !SoundSwitchEnabled() ? kIconFrameDisabled
                          : m_hoverSwitch       ? kIconFrameAnimFirst
                                                : kIconFrameNormal;
        QImage cell =
            strip.copy(frame * kIconSize, row * kIconSize, kIconSize, kIconSize).toImage();
        if (m_dimmed)
            cell = DimmedCopy(cell.convertToFormat(QImage::Format_ARGB32));
        const QRect r = SoundSwitchRect();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, m_hoverSwitch ? 235 : 205));
        p.drawEllipse(r.adjusted(-3, -3, 3, 3));
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(r, cell);
    }

    // The user and the exercise.
    const CUserProfile& options = m_env.UserOptions();
    std::u16string user = options.FullName();
    if (user.empty())
        user = options.AccountName();
    // The name stands on the caption band at the top of the desk.
    p.setFont(LookQFont(look, LookFont::DialogBold));
    p.setPen(LookQColor(look, LookColor::CaptionText));
    QString line = ToQString(user);
    if (m_mode != desk_mode::kIdle && !m_caption.empty())
        line += (line.isEmpty() ? QString() : QStringLiteral("  ·  ")) + ToQString(m_caption);
    QRect nameRect = ToQRect(look.UserNameRect());
    nameRect.setRight(std::min(nameRect.right(), SoundSwitchRect().left() - 10));
    p.drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               p.fontMetrics().elidedText(line, Qt::ElideRight, nameRect.width()));
}

} // namespace kf
