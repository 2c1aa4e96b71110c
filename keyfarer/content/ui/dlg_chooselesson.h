#pragma once

// CDlg_ChooseLesson: the lesson chooser. In its first step the user picks a course of the
// catalogue (courses for the loaded keyboard's type and the user's hand), in the second a
// lesson of that course and the view to practise it in. Names and descriptions show the
// user's own keys where they hold key references ("#12"). Without the privilege to choose the
// course the dialog opens on the lessons of the proposed course and has no way back.

#include "content/keyreferencemodel.h"
#include "content/ui/choosercontext.h"
#include "skin/ui/ownerdrawdialog.h"

#include <QPoint>

#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace kf {

class CAniButton;
class CChooserList;
class CKFCombox;

// One view of the view host, as the view list offers it.
struct ChooserView
{
    int id = 0;
    QString name;
};

class CDlg_ChooseLesson : public COwnerDrawDialog
{
    Q_OBJECT
public:
    struct Request
    {
        std::u16string course; // proposed course name
        std::u16string lesson; // proposed lesson name
        std::u16string titleKey = u"IDS_WT_SELECTLESSON";
        // Where the dialog's top-right corner goes (global coordinates); none: centred.
        std::optional<QPoint> topRight;
        // The view host's views, its default view (identifier 0) first.
        std::vector<ChooserView> views;
        int viewId = 0; // proposed view
        bool showViewList = true;
        const KeyReferenceModel* keys = nullptr;
        uint32_t fitMask = 255;
        bool includeHidden = true;
        bool chooseCourse = true; // the privilege ChooseCourse
        int32_t layoutType = -1;  // of the loaded keyboard layout
        int32_t whichHand = -1;   // the user's WhichHand
    };

    enum Step { CourseStep = 0, LessonStep = 1 };

    CDlg_ChooseLesson(ChooserContext context, Request request, QWidget* parent = nullptr);

    // After OK.
    const std::u16string& CourseName() const { return m_courseName; }
    const std::u16string& CoursePath() const { return m_coursePath; }
    const std::u16string& LessonName() const { return m_lessonName; }
    // The lesson's name with its key references expanded.
    const std::u16string& LessonDisplayText() const { return m_lessonDisplay; }
    int ViewId() const { return m_viewId; }

    // For the desk's tests.
    int CurrentStep() const { return m_step; }
    CChooserList* List() const { return m_list; }
    CAniButton* OkButton() const { return m_ok; }
    CAniButton* BackButton() const { return m_back; }
    CKFCombox* ViewList() const { return m_views; }
    QString CurrentCourseLine() const;
    // The OK (or Next) button's action.
    void OnOk();
    void OnBack();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct CourseItem
    {
        std::u16string name, description, path;
        uint16_t ordinal = 0;
        bool separator = false;
    };
    struct LessonItem
    {
        std::u16string name, display, description;
    };

    void LoadCourses();
    void FillCourseList();
    bool LoadLessons(const std::u16string& coursePath);
    void ShowCourseStep();
    void ShowLessonStep();
    void UpdateButtons();
    std::u16string Expand(std::u16string_view text, uint8_t layoutType) const;

    ChooserContext m_ctx;
    Request m_req;
    int m_step = CourseStep;
    std::vector<CourseItem> m_courses;
    std::vector<LessonItem> m_lessons;
    bool m_placed = false;

    std::u16string m_courseName, m_coursePath, m_lessonName, m_lessonDisplay;
    int m_viewId = 0;

    QLabel* m_courseLine = nullptr;
    CChooserList* m_list = nullptr;
    QLabel* m_viewLabel = nullptr;
    CKFCombox* m_views = nullptr;
    CAniButton* m_back = nullptr;
    CAniButton* m_ok = nullptr;
    CAniButton* m_cancel = nullptr;
};

} // namespace kf
