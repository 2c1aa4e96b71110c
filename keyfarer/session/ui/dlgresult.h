#pragma once

// CDlgResult: the first page of the result sheet. It shows the figures of the finished
// exercise (net speed, the user's target, accuracy, keystrokes with the gross speed, errors,
// time), the comment its grade earns and how it ended, offers what to do next (once again,
// next lesson, back to the desk) with the recommended choice selected, and the box that
// saves the result. The grading and the recommendation are those of resultevaluation.h; the
// page plays the result sound the first time it is shown.

#include "session/resultevaluation.h"
#include "skin/ui/tavropropertypage.h"
#include "users/resultrecord.h"

#include <functional>

class QLabel;

namespace kf {

class CKFCheckBox;
class CKFRadioButton;
class CPrivileges;
class CResultSheetGauge;
class CResultSheetGroup;
class CUserProfile;

struct ResultPageInput
{
    CResultRecord result;          // hits, correct hits, rounded time, kind, end reason
    int mode = 2;                  // desk mode of the exercise
    int lessonLevel = 0;           // the lesson's "Level" (lesson texts)
    bool nextLessonExists = false; // the course has a next lesson for this one
    // From the user options: speeds, accuracy, error factor and unit.
    uint32_t singlePass = 60;
    uint32_t singleFullmark = 180;
    uint32_t passAccuracy = 85;
    uint32_t errorFactor = 5;
    bool wordsPerMinute = false;
    // From the privileges.
    bool chooseLesson = true;
    bool alwaysSaveTests = false;

    // The input for a result, the user options and the privileges.
    static ResultPageInput From(const CResultRecord& result, int mode, const CUserProfile& options,
                                const CPrivileges& privileges);
};

class CDlgResult : public CTavroPropertyPage
{
    Q_OBJECT
public:
    CDlgResult(const CControlAspect* look, TextLookup texts, const ResultPageInput& input,
               QWidget* parent = nullptr);

    // Plays an entry of the look's sound table; called once, when the page is first shown.
    void SetSoundPlayer(std::function<void(int)> play) { m_play = std::move(play); }

    const ResultGrade& Grade() const { return m_grade; }
    const ResultFigures& Figures() const { return m_figures; }
    const Recommendation& Advice() const { return m_advice; }

    // The choice made: 0 once again, 2 next lesson, 3 back to the desk.
    int ChosenRecommendation() const;
    // Whether the result is to be saved (the box, or always when the privileges say so).
    bool SaveRequested() const;

    // The page's texts and controls (tests read what the user sees).
    QLabel* NetSpeedValue() const { return m_values[0]; }
    QLabel* GoalValue() const { return m_values[1]; }
    QLabel* AccuracyValue() const { return m_values[2]; }
    QLabel* TotalHitsValue() const { return m_values[3]; }
    QLabel* ErrorsValue() const { return m_values[4]; }
    QLabel* TimeValue() const { return m_values[5]; }
    QLabel* CommentLabel() const { return m_comment; }
    QLabel* AbortLabel() const { return m_abort; }
    CKFRadioButton* OnceAgainButton() const { return m_choices[0]; }
    CKFRadioButton* NextLessonButton() const { return m_choices[1]; }
    CKFRadioButton* BackToDeskButton() const { return m_choices[2]; }
    CKFCheckBox* SaveBox() const { return m_save; }
    CResultSheetGauge* SpeedGauge() const { return m_gauge; }

    // The index of the sound table played for this result.
    int SoundIndex() const { return ResultSoundIndex(SoundGrade(m_grade)); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString SpeedText(double speed) const;
    QString DurationText(int64_t seconds) const;

    ResultPageInput m_input;
    TextLookup m_texts;
    ResultFigures m_figures;
    ResultGrade m_grade;
    Recommendation m_advice;
    std::function<void(int)> m_play;
    bool m_soundPlayed = false;

    QLabel* m_values[6] = {};
    QLabel* m_comment = nullptr;
    QLabel* m_abort = nullptr;
    CKFRadioButton* m_choices[3] = {};
    CKFCheckBox* m_save = nullptr;
    CResultSheetGauge* m_gauge = nullptr;
};

} // namespace kf
