#include "content/ui/dlg_chooselesson.h"

#include "content/catalogueentry.h"
#include "content/courserefanswer.h"
#include "content/lessonlistentry.h"
#include "content/localtutorial.h"
#include "content/ui/chooserlist.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/skinpixmaps.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace kf {
namespace {

// Compares names as the chooser preselects them: without regard to case.
bool SameName(std::u16string_view a, std::u16string_view b)
{
    return QString::compare(ToQString(a), ToQString(b), Qt::CaseInsensitive) == 0;
}

} // namespace

CDlg_ChooseLesson::CDlg_ChooseLesson(ChooserContext context, Request request, QWidget* parent)
    : COwnerDrawDialog(context.look, context.texts, parent), m_ctx(std::move(context)),
      m_req(std::move(request))
{
    setWindowTitle(Text(m_req.titleKey));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(8);

    m_courseLine = new QLabel(this);
    column->addWidget(m_courseLine);

    m_list = new CChooserList(Look(), this);
    m_list->setMinimumSize(420, 330);
    column->addWidget(m_list, 1);

    auto* viewRow = new QHBoxLayout();
    m_viewLabel = new QLabel(Text(u"IDS_CT_TRAINDATA_VIEWTYPE"), this);
    m_views = new CKFCombox(Look(), this);
    viewRow->addWidget(m_viewLabel);
    viewRow->addWidget(m_views, 1);
    column->addLayout(viewRow);

    auto* buttons = new QHBoxLayout();
    m_back = new CAniButton(Look(), Text(u"IDS_CT_BACK"), this);
    m_ok = new CAniButton(Look(), Text(u"IDS_CT_NEXT"), this);
    m_cancel = new CAniButton(Look(), Text(u"IDS_CT_CANCEL"), this);
    m_ok->SetDefault(true);
    buttons->addWidget(m_back);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    if (Look()) {
        const QColor ink = LookQColor(*Look(), LookColor::DialogText);
        for (QLabel* l : {m_courseLine, m_viewLabel}) {
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, ink);
            l->setPalette(pal);
            l->setFont(LookQFont(*Look(), LookFont::Dialog));
        }
    }

    connect(m_ok, &QAbstractButton::clicked, this, &CDlg_ChooseLesson::OnOk);
    connect(m_back, &QAbstractButton::clicked, this, &CDlg_ChooseLesson::OnBack);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    // A double click on an entry chooses it, as the OK button and Enter do.
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { OnOk(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CDlg_ChooseLesson::UpdateButtons);

    // The view list: the default view first, then the views of the host.
    for (const ChooserView& v : m_req.views)
        m_views->addItem(v.name, v.id);
    const int proposed = m_views->findData(m_req.viewId);
    m_views->setCurrentIndex(proposed >= 0 ? proposed : 0);

    m_ctx.Sound(4);
    LoadCourses();
    if (m_req.chooseCourse) {
        ShowCourseStep();
    } else {
        // Straight to the lessons of the proposed course.
        Bytes reply;
        if (m_ctx.data) {
            m_ctx.data->SetErrorKey(u"IDS_ERR_LOADCOURESEINFO");
            if (m_ctx.data->ResolveCourseRef(CourseRefAnswer::kCourse, m_req.layoutType,
                                             m_req.whichHand, m_req.course, 0, {}, reply) &&
                reply.size() >= CourseRefAnswer::kSize) {
                CourseRefAnswer answer;
                answer.Assign(ByteSpan(reply.data(), CourseRefAnswer::kSize));
                if (answer.Kind() == CourseRefAnswer::kNothing) {
                    m_ctx.Message(u"IDS_ERR_NOLASTCOURSE", {FormatArg(m_req.course)}, 0x10, this);
                } else {
                    m_courseName = answer.CourseName();
                    m_coursePath = answer.CoursePath();
                    LoadLessons(m_coursePath);
                }
            }
        }
        ShowLessonStep();
    }
}

std::u16string CDlg_ChooseLesson::Expand(std::u16string_view text, uint8_t layoutType) const
{
    if (!m_req.keys)
        return std::u16string(text);
    return ExpandKeyReferences(text, layoutType, *m_req.keys);
}

void CDlg_ChooseLesson::LoadCourses()
{
    m_courses.clear();
    if (!m_ctx.data)
        return;
    Bytes reply;
    m_ctx.data->SetErrorKey(u"IDS_ERR_LISTCOURSE");
    if (!m_ctx.data->ListCourses(m_req.layoutType, m_req.whichHand, reply))
        return;
    for (size_t at = 0; at + CatalogueEntry::kSize <= reply.size(); at += CatalogueEntry::kSize) {
        CatalogueEntry e;
        e.Assign(ByteSpan(reply.data() + at, CatalogueEntry::kSize));
        m_courses.push_back(
            {e.Name(), e.Description(), e.Path(), e.Ordinal(), e.SeparatorLine() != 0});
    }
}

void CDlg_ChooseLesson::FillCourseList()
{
    m_list->ClearEntries();
    for (size_t i = 0; i < m_courses.size(); ++i) {
        if (m_courses[i].separator && i > 0)
            m_list->AddSeparator();
        m_list->AddEntry(ToQString(m_courses[i].name), ToQString(m_courses[i].description),
                         CChooserList::Folder, int(i));
    }
}

bool CDlg_ChooseLesson::LoadLessons(const std::u16string& coursePath)
{
    m_lessons.clear();
    if (!m_ctx.data)
        return false;
    Bytes reply;
    m_ctx.data->SetErrorKey(u"IDS_ERR_LISTLESSON");
    if (!m_ctx.data->ListLessons(coursePath, m_req.fitMask, m_req.includeHidden, reply))
        return false;
    struct Shown
    {
        int style;
        bool separator;
    };
    std::vector<Shown> shown;
    for (size_t at = 0; at + LessonListEntry::kSize <= reply.size(); at += LessonListEntry::kSize) {
        LessonListEntry e;
        e.Assign(ByteSpan(reply.data() + at, LessonListEntry::kSize));
        const uint8_t layoutType = e.LayoutType();
        m_lessons.push_back(
            {e.Name(), Expand(e.Name(), layoutType), Expand(e.Description(), layoutType)});
        const int style = e.Type() == 1     ? CChooserList::Slides
                          : layoutType == 5 ? CChooserList::Keypad
                                            : CChooserList::MainKeys;
        shown.push_back({style, e.NewGroup() != 0});
    }
    m_list->ClearEntries();
    for (size_t i = 0; i < m_lessons.size(); ++i) {
        if (shown[i].separator && i > 0)
            m_list->AddSeparator();
        m_list->AddEntry(ToQString(m_lessons[i].display), ToQString(m_lessons[i].description),
                         shown[i].style, int(i));
    }
    return true;
}

void CDlg_ChooseLesson::ShowCourseStep()
{
    m_step = CourseStep;
    setWindowTitle(Text(u"IDS_WT_SELECTCOURSE"));
    FillCourseList();
    int chosen = -1;
    const std::u16string& proposed = m_courseName.empty() ? m_req.course : m_courseName;
    for (size_t i = 0; i < m_courses.size() && chosen < 0; ++i)
        if (SameName(m_courses[i].name, proposed))
            chosen = int(i);
    if (chosen < 0 || !m_list->SelectPayload(chosen))
        m_list->SelectFirst();
    m_courseLine->hide();
    m_viewLabel->hide();
    m_views->hide();
    m_back->hide();
    m_ok->setText(Text(u"IDS_CT_NEXT"));
    UpdateButtons();
}

void CDlg_ChooseLesson::ShowLessonStep()
{
    m_step = LessonStep;
    setWindowTitle(Text(m_req.titleKey));
    int chosen = -1;
    for (size_t i = 0; i < m_lessons.size() && chosen < 0; ++i)
        if (SameName(m_lessons[i].name, m_req.lesson))
            chosen = int(i);
    if (chosen < 0 || !m_list->SelectPayload(chosen))
        m_list->SelectFirst();
    m_courseLine->setText(ToQString(
        FormatText(LookupText(m_ctx.texts, u"IDS_FORMAT_CURCOURSE"), {FormatArg(m_courseName)})));
    m_courseLine->show();
    m_viewLabel->setVisible(m_req.showViewList);
    m_views->setVisible(m_req.showViewList);
    m_back->setVisible(m_req.chooseCourse);
    m_ok->setText(Text(u"IDS_CT_OK"));
    UpdateButtons();
}

QString CDlg_ChooseLesson::CurrentCourseLine() const
{
    return m_courseLine->isVisibleTo(this) ? m_courseLine->text() : QString();
}

void CDlg_ChooseLesson::UpdateButtons()
{
    m_ok->setEnabled(m_list->EntryCount() > 0);
}

void CDlg_ChooseLesson::OnOk()
{
    const int chosen = m_list->CurrentPayload();
    if (m_step == CourseStep) {
        if (chosen < 0 || size_t(chosen) >= m_courses.size())
            return;
        const CourseItem& course = m_courses[size_t(chosen)];
        if (!LoadLessons(course.path))
            return; // the supplier has shown why; the courses stay on the list
        m_courseName = course.name;
        m_coursePath = course.path;
        ShowLessonStep();
        return;
    }
    if (chosen < 0 || size_t(chosen) >= m_lessons.size())
        return;
    m_lessonName = m_lessons[size_t(chosen)].name;
    m_lessonDisplay = m_lessons[size_t(chosen)].display;
    m_viewId = m_req.showViewList && m_views->currentIndex() >= 0 ? m_views->currentData().toInt()
                                                                  : m_req.viewId;
    accept();
}

void CDlg_ChooseLesson::OnBack()
{
    if (m_step != LessonStep || !m_req.chooseCourse)
        return;
    ShowCourseStep();
}

void CDlg_ChooseLesson::showEvent(QShowEvent* event)
{
    COwnerDrawDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    adjustSize();
    if (m_req.topRight)
        move(m_req.topRight->x() - width(), m_req.topRight->y());
    else if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kf

namespace kf {

void CDlg_ChooseLesson::keyPressEvent(QKeyEvent* event)
{
    // The skinned buttons are no push buttons, so the dialog's default button needs this.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_ok->isEnabled()) {
        OnOk();
        return;
    }
    COwnerDrawDialog::keyPressEvent(event);
}

} // namespace kf
