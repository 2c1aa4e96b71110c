#include "session/ui/dlgresult.h"

#include "content/privileges.h"
#include "platform/textformat.h"
#include "session/exercisekind.h"
#include "session/ui/resultsheetgauge.h"
#include "session/ui/resultsheetgroup.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfradiobutton.h"
#include "skin/ui/skinpixmaps.h"
#include "users/userprofile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace kf {

ResultPageInput ResultPageInput::From(const CResultRecord& result, int mode,
                                      const CUserProfile& options, const CPrivileges& privileges)
{
    ResultPageInput in;
    in.result = result;
    in.mode = mode;
    in.singlePass = options.SinglePass();
    in.singleFullmark = options.SingleFullmark();
    in.passAccuracy = options.PassAccuracy();
    in.errorFactor = options.ErrorFactor();
    in.wordsPerMinute = options.SpeedUnitWpm() != 0;
    in.chooseLesson = privileges.ChooseLesson();
    in.alwaysSaveTests = privileges.AlwaysSaveTests();
    return in;
}

namespace {

QLabel* MakeLabel(const CControlAspect* look, const QString& text, QWidget* parent,
                  LookFont font = LookFont::Dialog, LookColor color = LookColor::DialogText)
{
    auto* label = new QLabel(text, parent);
    if (look) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, LookQColor(*look, color));
        label->setPalette(pal);
        label->setFont(LookQFont(*look, font));
    }
    return label;
}

} // namespace

CDlgResult::CDlgResult(const CControlAspect* look, TextLookup texts, const ResultPageInput& input,
                       QWidget* parent)
    : CTavroPropertyPage(look, texts, QString(), parent), m_input(input), m_texts(texts)
{
    SetTitle(Text(u"IDS_WT_RESULT"));

    const CResultRecord& r = m_input.result;
    ResultInput grading;
    grading.totalHits = r.CharsTyped();
    grading.correctHits = r.CharsCorrect();
    grading.elapsedMs = r.TypingTime();
    grading.kind = r.ExerciseKind();
    grading.lessonLevel = m_input.lessonLevel;
    grading.pass = static_cast<int32_t>(m_input.singlePass);
    grading.fullmark = static_cast<int32_t>(m_input.singleFullmark);
    grading.passAccuracy = static_cast<int32_t>(m_input.passAccuracy);
    grading.errorFactor = static_cast<int32_t>(m_input.errorFactor);
    grading.wordsPerMinute = m_input.wordsPerMinute;
    m_figures = ComputeResultFigures(grading);
    m_grade = EvaluateResult(grading);

    RecommendationInput advice;
    advice.chooseLessonPrivilege = m_input.chooseLesson;
    advice.alwaysSaveTestsPrivilege = m_input.alwaysSaveTests;
    advice.mode = m_input.mode;
    advice.kind = r.ExerciseKind();
    advice.nextLessonExists = m_input.nextLessonExists;
    advice.gradeValue = m_grade.gradeValue;
    m_advice = Recommend(advice);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 10);
    page->setSpacing(10);

    // Left: the figures, with the net speed set large as the figure that counts.
    auto* figures = new CResultSheetGroup(look, QString(), this);
    auto* grid = new QGridLayout(figures);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(9);
    const char16_t* captions[6] = {u"IDS_CT_RESULT_NETSPEED",  u"IDS_CT_RESULT_YOURGOAL",
                                   u"IDS_CT_RESULT_ACCURCACY", u"IDS_CT_RESULT_TOTALHIT",
                                   u"IDS_CT_RESULT_ERRORHIT",  u"IDS_CT_RESULT_SPENTTIME"};
    const int64_t accuracyTenths = static_cast<int64_t>(std::floor(m_figures.accuracy * 10 + 1e-9));
    const QString values[6] = {
        SpeedText(m_figures.netSpeed),
        SpeedText(m_figures.goal),
        ToQString(FormatText(LookupText(texts, u"IDS_TYPINGINFO_ACCURACYVALUE"),
                             {static_cast<double>(accuracyTenths) / 10.0})),
        ToQString(FormatText(
            u"%s ( %s )",
            {FormatText(LookupText(texts, u"IDS_TYPINGINFO_TOTALHITUNIT"), {m_figures.totalHits}),
             FromQString(SpeedText(m_figures.grossSpeed))})),
        ToQString(FormatText(
            LookupText(texts, u"IDS_FORMAT_ERRHITS"),
            {m_figures.errors.weighted, m_figures.errors.errors, m_figures.errors.factor})),
        DurationText(m_figures.seconds),
    };
    for (int i = 0; i < 6; ++i) {
        QLabel* caption = MakeLabel(look, Text(captions[i]), figures);
        const bool headline = i == 0;
        m_values[i] = MakeLabel(look, values[i], figures,
                                headline ? LookFont::InfoValue : LookFont::DialogBold,
                                headline ? LookColor::Accent : LookColor::DialogText);
        if (headline) {
            QFont big = m_values[i]->font();
            big.setPointSizeF(std::max(big.pointSizeF(), 9.0) * 1.7);
            big.setBold(true);
            m_values[i]->setFont(big);
        }
        grid->addWidget(caption, i, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(m_values[i], i, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    // How far the net speed came towards the target, with the pass speed marked.
    m_gauge = new CResultSheetGauge(look, figures);
    const double unit = m_input.wordsPerMinute ? kCharactersPerWord : 1;
    const double full = m_input.singleFullmark;
    const double pass =
        m_input.singlePass >= m_input.singleFullmark ? full * 6 / 10 : m_input.singlePass;
    m_gauge->SetValues(m_figures.netSpeed, pass / unit, full / unit, Text(u"IDS_KEYDELAY_S_PASS"),
                       SpeedText(m_figures.goal));
    grid->setRowMinimumHeight(6, 8);
    grid->addWidget(m_gauge, 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
    m_save = new CKFCheckBox(look, Text(u"IDS_CT_RESULT_SAVERESULT"), figures);
    m_save->setChecked(true);
    m_save->setVisible(!m_advice.saveForced);
    grid->addWidget(m_save, 9, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    page->addWidget(figures, 5);

    // Right: the comment and how the exercise ended, then the choices.
    auto* right = new QVBoxLayout;
    right->setSpacing(10);
    auto* comment = new CResultSheetGroup(look, Text(u"IDS_CT_RESULT_COMMENT"), this);
    auto* commentBox = new QVBoxLayout(comment);
    commentBox->setSpacing(8);
    m_comment = MakeLabel(look, Text(m_grade.commentKey), comment);
    m_comment->setWordWrap(true);
    m_comment->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_comment->setMinimumWidth(230);
    const std::u16string abortKey = AbortTypeTextKey(r.EndReason());
    m_abort = MakeLabel(look, abortKey.empty() ? QString() : Text(abortKey), comment,
                        LookFont::DialogBold);
    m_abort->setWordWrap(true);
    commentBox->addWidget(m_comment, 1);
    commentBox->addWidget(m_abort);
    right->addWidget(comment, 1);

    auto* next = new CResultSheetGroup(look, Text(u"IDS_CT_RESULT_RECOMMEND"), this);
    auto* choices = new QVBoxLayout(next);
    choices->setSpacing(6);
    const char16_t* choiceKeys[3] = {u"IDS_CT_RESULT_ONCEAGAIN", u"IDS_CT_RESULT_NEXTLESSON",
                                     u"IDS_CT_RESULT_BACKDESK"};
    for (int i = 0; i < 3; ++i) {
        m_choices[i] = new CKFRadioButton(look, Text(choiceKeys[i]), next);
        choices->addWidget(m_choices[i]);
    }
    m_choices[1]->setEnabled(m_advice.nextLessonPossible);
    m_choices[1]->setVisible(!m_advice.nextLessonHidden);
    const int preselected = m_advice.preselected == recommendation::kNextLesson   ? 1
                            : m_advice.preselected == recommendation::kBackToDesk ? 2
                                                                                  : 0;
    m_choices[preselected]->setChecked(true);
    right->addWidget(next);
    page->addLayout(right, 6);
}

QString CDlgResult::SpeedText(double speed) const
{
    const char16_t* unit =
        m_input.wordsPerMinute ? u"IDS_TYPINGINFO_SPUNITWPM" : u"IDS_TYPINGINFO_SPUNITCPM";
    return ToQString(FormatText(LookupText(m_texts, unit), {ShownValue(speed)}));
}

QString CDlgResult::DurationText(int64_t seconds) const
{
    QStringList parts;
    const auto part = [&](int64_t n, std::u16string_view unit) {
        parts << QStringLiteral("%1 %2").arg(n).arg(Text(unit));
    };
    if (seconds >= 3600)
        part(seconds / 3600, u"IDS_UNITABBR_HOUR");
    if (seconds % 3600 >= 60)
        part(seconds % 3600 / 60, u"IDS_UNITABBR_MIN");
    if (seconds % 60 != 0)
        part(seconds % 60, u"IDS_UNITABBR_SEC");
    return parts.join(QLatin1Char(' '));
}

int CDlgResult::ChosenRecommendation() const
{
    for (int i = 0; i < 3; ++i)
        if (m_choices[i]->isChecked())
            return RecommendationOfChoice(i);
    return recommendation::kOnceAgain;
}

bool CDlgResult::SaveRequested() const
{
    return m_advice.saveForced || m_save->isChecked();
}

void CDlgResult::showEvent(QShowEvent* event)
{
    CTavroPropertyPage::showEvent(event);
    if (m_soundPlayed)
        return;
    m_soundPlayed = true;
    if (m_play)
        m_play(SoundIndex());
}

} // namespace kf
