#pragma once

// CDlgReview: the review sheet "IDS_WT_REVIEW". It holds the key-delay page in review mode for
// the newest stored result and the slowest characters kept with it: the user looks at the
// chart, chooses the difficult keys or characters of his own and the view, and starts the
// review ("IDS_CT_STARTREVIEW") or closes ("IDS_CT_CLOSE"). A choice that cannot start a
// review shows its message and keeps the sheet open.

#include "skin/ui/tavropropertysheet.h"
#include "skin/viewmessage.h"
#include "users/keydelaypage.h"
#include "users/ui/dlgkeydelay.h"

namespace kf {

class DeskEnvironment;

class CDlgReview : public CTavroPropertySheet
{
    Q_OBJECT
public:
    // reviewed: the newest stored result; keyDelays: the list kept in the user's profile;
    // views: the view list, the view host's default first.
    CDlgReview(DeskEnvironment& env, const CResultRecord& reviewed, const KeyDelayBlock& keyDelays,
               std::vector<ReviewViewEntry> views, QWidget* parent = nullptr);

    CDlgKeyDelay* KeyDelayPage() const { return m_page; }
    // After the sheet was accepted: the characters chosen and the view to review in.
    const ReviewSelection& Selection() const { return m_page->Selection(); }
    int ChosenViewId() const { return m_page->ChosenViewId(); }

private:
    CDlgKeyDelay* m_page = nullptr;
};

} // namespace kf
