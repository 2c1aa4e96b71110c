#pragma once

// CViewWnd: the view host of the desk, the window in the text area that holds the typing
// view of the exercise: the standard view now, the game views when a game runs. It turns the
// user's options into the standard view's options whenever the desk enters a mode, and lists
// the views a lesson can be practised in.

#include "session/standviewoptions.h"

#include <QWidget>

#include <string>
#include <vector>

namespace kf {

class CStandView;
class CTypingAspect;
class CUserProfile;

class CViewWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CViewWnd(const CTypingAspect* look, QWidget* parent = nullptr);
    ~CViewWnd() override;

    // A view of the host, as the lesson chooser offers it.
    struct ViewInfo
    {
        int id = 0;
        std::u16string nameKey; // "IDS_VIEWNAME_STAND"
        std::u16string tipKey;
    };
    // The standard view (identifier 0) first, then the views registered with AddView.
    std::vector<ViewInfo> Views() const;
    // A further view (a game) the lesson chooser offers.
    void AddView(const ViewInfo& view);

    CStandView* StandView() const { return m_stand; }

    // The standard view's options taken from the user's record ("StandardView" section and
    // the lesson display size of "Train").
    static StandViewOptions OptionsOf(const CUserProfile& profile);
    // Applies the user's options for an exercise of that mode and kind; lessonDisplaySize and
    // lessonFontScale are the lesson's (255 and 100 elsewhere), fontName a course's own font.
    void ApplyOptions(const CUserProfile& profile, int deskMode, int kind, int lessonDisplaySize,
                      int lessonFontScale, const std::u16string& fontName);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CStandView* m_stand = nullptr;
    std::vector<ViewInfo> m_views;
    std::u16string m_fontName; // kept alive for the view's context
};

} // namespace kf
