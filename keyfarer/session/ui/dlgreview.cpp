#include "session/ui/dlgreview.h"

#include "session/ui/deskenvironment.h"
#include "skin/typingaspect.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/skinpixmaps.h"
#include "users/userprofile.h"

namespace kf {

CDlgReview::CDlgReview(DeskEnvironment& env, const CResultRecord& reviewed,
                       const KeyDelayBlock& keyDelays, std::vector<ReviewViewEntry> views,
                       QWidget* parent)
    : CTavroPropertySheet(&env.Look(), env.Texts(), ToQString(env.Text(u"IDS_WT_REVIEW")), parent)
{
    const CUserProfile& options = env.UserOptions();
    KeyDelayPageInput input;
    input.keyDelays = keyDelays;
    input.result = reviewed;
    input.singlePass = options.SinglePass();
    input.singleFullmark = options.SingleFullmark();
    input.tabString = options.TabString();
    input.spaceString = options.SpaceString();
    input.reviewMode = true;
    input.views = std::move(views);
    input.reviewViewId = options.ReviewViewId();
    m_page = new CDlgKeyDelay(&env.Look(), env.Texts(), std::move(input));
    m_page->SetSoundPlayer([&env](int index) { env.PlayUiSound(index); });
    m_page->SetMessageShower([this, &env](std::u16string_view key, unsigned style) {
        env.ShowMessage(key, this, style);
    });
    AddPage(m_page);

    ClearButtons();
    AddButton(u"IDS_CT_STARTREVIEW", kIdOk)->SetDefault(true);
    AddButton(u"IDS_CT_CLOSE", kIdCancel);
}

} // namespace kf
