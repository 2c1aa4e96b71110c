#pragma once

// CResultSheet: the sheet "IDS_WT_RESULT" the desk shows when an exercise ends with a result:
// the result page and, unless the exercise was free typing or had no correct hit, the
// key-delay page with the chart alone. Free typing with typed text has the button that saves
// the typed text to a file of the user's choice; other exercises close with "IDS_CT_CLOSE",
// a review with "IDS_CT_OK". However the sheet is closed (also by the caption's close box),
// the choice made on the result page and its save box count.

#include "session/keydelayblock.h"
#include "session/ui/dlgresult.h"
#include "skin/ui/tavropropertysheet.h"
#include "skin/viewmessage.h"

#include <functional>

namespace kf {

class CDlgKeyDelay;
class DeskEnvironment;

struct ResultSheetInput
{
    ResultPageInput page;    // the result and what grades it
    KeyDelayBlock keyDelays; // the exercise's slowest characters
    bool freeTyping = false; // free typing: no key-delay page, the save-text button
    int activePage = 0;      // the page shown first (the page last left open)
};

class CResultSheet : public CTavroPropertySheet
{
    Q_OBJECT
public:
    CResultSheet(DeskEnvironment& env, const ResultSheetInput& input, QWidget* parent = nullptr);

    CDlgResult* ResultPage() const { return m_result; }
    // Null when the sheet has no key-delay page.
    CDlgKeyDelay* KeyDelayPage() const { return m_keyDelay; }

    // Asks for the file the typed text is saved to: the dialog's title and a filter such as
    // "Text files (*.txt)"; an empty answer cancels. The file dialog unless replaced.
    using FileNameAsker = std::function<QString(QWidget* parent, const QString& filter)>;
    void SetFileNameAsker(FileNameAsker ask) { m_ask = std::move(ask); }
    // Saves the typed text as the button does (asks, writes, tells the user of a failure).
    // True when a file was written.
    bool SaveTypedText();

    // The choice (0 once again, 2 next lesson, 3 back to the desk) and the save box.
    int Recommendation() const { return m_result->ChosenRecommendation(); }
    bool SaveRequested() const { return m_result->SaveRequested(); }

    static constexpr int kIdSaveText = 1101;
    static constexpr int kIdClose = kIdOk;

private:
    DeskEnvironment& m_env;
    CDlgResult* m_result = nullptr;
    CDlgKeyDelay* m_keyDelay = nullptr;
    FileNameAsker m_ask;
};

// The display part of "IDS_FILTER_FORTXT" ("Text files (*.txt)\0*.txt") as a file dialog's
// filter: "Text files (*.txt)".
QString TextFileFilter(std::u16string_view filter);

} // namespace kf
