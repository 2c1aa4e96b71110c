#pragma once

// CDlgKeyDelay: the key-delay page ("IDS_WT_KEYDELAY"). It shows how slowly each character of
// one exercise was typed as a bar chart of the slowest characters, 24 to a page, with the
// exercise's date. In the result sheet it is the chart alone; in the review sheet it adds the
// review options: review the difficult keys or characters of one's own, and the view to
// review in. The rules (scores, pages, layout, the check of the choice) live in KeyDelayPage.

#include "users/keydelaypage.h"
#include "users/resultrecord.h"
#include "skin/ui/tavropropertypage.h"

#include <functional>
#include <string>
#include <vector>

class QLabel;

namespace kf {

class CAniButton;
class CDlgKeyDelayChart;
class CFlatEdit;
class CKFCombox;
class CKFRadioButton;
class CResultSheetGroup;

// One entry of the review's view list: the view's identifier and its name.
struct ReviewViewEntry
{
    int id = 0;
    QString name;
};

struct KeyDelayPageInput
{
    KeyDelayBlock keyDelays;     // the exercise's slowest characters
    CResultRecord result;        // the exercise (its start time is shown)
    uint32_t singlePass = 0;     // "Single_Pass"
    uint32_t singleFullmark = 0; // "Single_Fullmark"
    std::u16string tabString;    // "Tab_String"
    std::u16string spaceString;  // "Space_String"
    bool reviewMode = true;      // the review options are shown
    // The view list of the review options, the view host's default first.
    std::vector<ReviewViewEntry> views;
    int reviewViewId = 0; // "ViewID" of section "Review": the entry preselected
};

class CDlgKeyDelay : public CTavroPropertyPage
{
    Q_OBJECT
public:
    CDlgKeyDelay(const CControlAspect* look, TextLookup texts, KeyDelayPageInput input,
                 QWidget* parent = nullptr);

    // Plays an entry of the look's sound table (the page turn is entry 7).
    void SetSoundPlayer(std::function<void(int)> play) { m_play = std::move(play); }
    // Shows a message box for an interface text key with a style of the program's message box.
    void SetMessageShower(std::function<void(std::u16string_view key, unsigned style)> show)
    {
        m_show = std::move(show);
    }

    const KeyDelayPage& Model() const { return m_model; }
    bool ReviewMode() const { return m_input.reviewMode; }

    // Review mode: checks the choice; a missing choice shows its message and keeps the page.
    bool OnKillActive() override;
    // Review mode: takes the characters and the view chosen.
    void OnOK() override;
    // What OnOK took: the review's characters, and the identifier of the chosen view.
    const ReviewSelection& Selection() const { return m_selection; }
    int ChosenViewId() const { return m_chosenViewId; }

    // The page's controls (tests drive them as a user would).
    CDlgKeyDelayChart* Chart() const { return m_chart; }
    CAniButton* PreviousButton() const { return m_prev; }
    CAniButton* NextButton() const { return m_next; }
    QLabel* DateLabel() const { return m_date; }
    QLabel* PageLabel() const { return m_pageLabel; }
    CKFRadioButton* DifficultKeysButton() const { return m_difficult; }
    CKFRadioButton* ChosenCharactersButton() const { return m_chosen; }
    CFlatEdit* ChosenCharactersEdit() const { return m_edit; }
    CKFCombox* ViewList() const { return m_views; }

    static constexpr int kPageTurnSound = 7;
    static constexpr unsigned kStopIcon = 0x10;

private:
    void TurnPage(bool forward);
    void UpdatePaging();
    void UpdateChoice();
    ReviewChoice Choice() const;

    KeyDelayPageInput m_input;
    KeyDelayPage m_model;
    ReviewSelection m_selection;
    int m_chosenViewId = 0;
    std::function<void(int)> m_play;
    std::function<void(std::u16string_view, unsigned)> m_show;

    CResultSheetGroup* m_chartGroup = nullptr;
    CDlgKeyDelayChart* m_chart = nullptr;
    CAniButton* m_prev = nullptr;
    CAniButton* m_next = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_pageLabel = nullptr;
    CResultSheetGroup* m_reviewGroup = nullptr;
    CKFRadioButton* m_difficult = nullptr;
    CKFRadioButton* m_chosen = nullptr;
    CFlatEdit* m_edit = nullptr;
    CKFCombox* m_views = nullptr;
};

// The start date and time of a result as the page shows it, in the user's locale; empty
// when the record holds no date.
QString ResultDateText(const CResultRecord& result);

} // namespace kf
