#include "users/ui/dlgkeydelay.h"

#include "session/ui/resultsheetgroup.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/kfradiobutton.h"
#include "skin/ui/skinpixmaps.h"
#include "users/ui/dlgkeydelaychart.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace kf {

QString ResultDateText(const CResultRecord& result)
{
    const LocalDateTime t = result.StartTime();
    const QDate date(t.year, t.month, t.day);
    if (!date.isValid())
        return {};
    const QTime time(t.hour, t.minute);
    const QLocale locale;
    // The locale's long date without the weekday: the date of an exercise reads best as
    // "12 March 2024" (or the locale's order of it), followed by the time of day.
    QString format = locale.dateFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("dddd[,.]?\\s*")));
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    timeFormat.remove(QStringLiteral(":ss"));
    return locale.toString(date, format.trimmed()) + QStringLiteral(", ") +
           locale.toString(time, timeFormat);
}

namespace {

QLabel* PageText(const CControlAspect* look, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (look) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, LookQColor(*look, LookColor::DialogText));
        label->setPalette(pal);
        label->setFont(LookQFont(*look, LookFont::Dialog));
    }
    return label;
}

} // namespace

CDlgKeyDelay::CDlgKeyDelay(const CControlAspect* look, TextLookup texts, KeyDelayPageInput input,
                           QWidget* parent)
    : CTavroPropertyPage(look, texts, QString(), parent), m_input(std::move(input))
{
    SetTitle(Text(u"IDS_WT_KEYDELAY"));
    m_model.Score(m_input.keyDelays, m_input.singlePass, m_input.singleFullmark);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 10);
    page->setSpacing(10);

    m_chartGroup = new CResultSheetGroup(look, QString(), this);
    auto* chartBox = new QVBoxLayout(m_chartGroup);
    chartBox->setSpacing(8);
    m_chart = new CDlgKeyDelayChart(look, m_chartGroup);
    m_chart->SetPage(&m_model);
    m_chart->SetBandLabels(Text(u"IDS_KEYDELAY_S_BAD"), Text(u"IDS_KEYDELAY_S_PASS"),
                           Text(u"IDS_KEYDELAY_S_GOOD"));
    m_chart->SetViewStrings(m_input.tabString, m_input.spaceString);
    chartBox->addWidget(m_chart, 1);

    auto* footer = new QHBoxLayout;
    footer->setSpacing(8);
    m_date = PageText(look, QString(), m_chartGroup);
    if (m_model.PageCount() > 0) {
        const QString date = ResultDateText(m_input.result);
        if (!date.isEmpty())
            m_date->setText(Text(u"IDS_CT_KEYDELAY_DATE") + QLatin1Char(' ') + date);
    }
    footer->addWidget(m_date, 1);
    m_prev = new CAniButton(look, Text(u"IDS_CT_PREVPAGE"), m_chartGroup);
    m_pageLabel = PageText(look, QString(), m_chartGroup);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_pageLabel->setMinimumWidth(44);
    m_next = new CAniButton(look, Text(u"IDS_CT_NEXTPAGE"), m_chartGroup);
    footer->addWidget(m_prev);
    footer->addWidget(m_pageLabel);
    footer->addWidget(m_next);
    chartBox->addLayout(footer);
    page->addWidget(m_chartGroup, 1);

    connect(m_prev, &QAbstractButton::clicked, this, [this] { TurnPage(false); });
    connect(m_next, &QAbstractButton::clicked, this, [this] { TurnPage(true); });
    UpdatePaging();

    if (!m_input.reviewMode) {
        m_chart->setMinimumSize(540, 300);
        return;
    }
    m_chart->setMinimumSize(540, 240);

    m_reviewGroup = new CResultSheetGroup(look, Text(u"IDS_CT_REVIEWOPTION"), this);
    auto* grid = new QGridLayout(m_reviewGroup);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    m_difficult = new CKFRadioButton(look, Text(u"IDS_CT_RDO_DIFFCULTKEYS"), m_reviewGroup);
    m_chosen = new CKFRadioButton(look, Text(u"IDS_CT_RDO_CHOOSECHAR"), m_reviewGroup);
    m_edit = new CFlatEdit(look, m_reviewGroup);
    m_edit->setMaxLength(int(KeyDelayPage::kMaxReviewCharacters));
    m_views = new CKFCombox(look, m_reviewGroup);
    int selected = 0;
    for (size_t i = 0; i < m_input.views.size(); ++i) {
        m_views->addItem(m_input.views[i].name, m_input.views[i].id);
        if (m_input.views[i].id == m_input.reviewViewId && selected == 0)
            selected = int(i);
    }
    m_views->setCurrentIndex(m_views->count() > 0 ? selected : -1);

    grid->addWidget(m_difficult, 0, 0, 1, 2);
    grid->addWidget(m_chosen, 1, 0);
    grid->addWidget(m_edit, 1, 1);
    grid->addWidget(PageText(look, Text(u"IDS_CT_TCFG_REVIEWVIEWMODE"), m_reviewGroup), 2, 0);
    grid->addWidget(m_views, 2, 1);
    grid->setColumnStretch(1, 1);
    page->addWidget(m_reviewGroup);

    if (m_model.DifficultChoicePossible()) {
        m_difficult->setChecked(true);
    } else {
        m_difficult->setEnabled(false);
        m_chosen->setChecked(true);
    }
    connect(m_difficult, &QAbstractButton::toggled, this, [this] { UpdateChoice(); });
    connect(m_chosen, &QAbstractButton::toggled, this, [this] { UpdateChoice(); });
    UpdateChoice();
}

void CDlgKeyDelay::TurnPage(bool forward)
{
    const bool moved = forward ? m_model.NextPage() : m_model.PreviousPage();
    if (!moved)
        return;
    if (m_play)
        m_play(kPageTurnSound);
    UpdatePaging();
    m_chart->update();
}

void CDlgKeyDelay::UpdatePaging()
{
    m_prev->setEnabled(m_model.CanGoBack());
    m_next->setEnabled(m_model.CanGoForward());
    const size_t pages = m_model.PageCount();
    m_pageLabel->setText(pages > 1
                             ? QStringLiteral("%1 / %2").arg(m_model.CurrentPage() + 1).arg(pages)
                             : QString());
}

void CDlgKeyDelay::UpdateChoice()
{
    m_edit->setEnabled(m_chosen->isChecked());
}

ReviewChoice CDlgKeyDelay::Choice() const
{
    return m_chosen && m_chosen->isChecked() ? ReviewChoice::ChosenCharacters
                                             : ReviewChoice::DifficultKeys;
}

bool CDlgKeyDelay::OnKillActive()
{
    if (!m_input.reviewMode)
        return true;
    const ReviewSelection sel = m_model.ReviewCharacters(Choice(), FromQString(m_edit->text()));
    if (sel.errorKey.empty())
        return true;
    if (m_show)
        m_show(sel.errorKey, kStopIcon);
    if (sel.useChosenCharacters)
        m_edit->setFocus();
    return false;
}

void CDlgKeyDelay::OnOK()
{
    if (!m_input.reviewMode)
        return;
    m_selection = m_model.ReviewCharacters(Choice(), FromQString(m_edit->text()));
    m_chosenViewId =
        m_views->currentIndex() >= 0 ? m_views->currentData().toInt() : m_input.reviewViewId;
}

} // namespace kf
