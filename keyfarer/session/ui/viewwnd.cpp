#include "session/ui/viewwnd.h"

#include "session/ui/standview.h"
#include "users/userprofile.h"

#include <QResizeEvent>

namespace kf {

CViewWnd::CViewWnd(const CTypingAspect* look, QWidget* parent) : QWidget(parent)
{
    m_stand = new CStandView(look, this);
    m_stand->setGeometry(rect());
}

CViewWnd::~CViewWnd() = default;

std::vector<CViewWnd::ViewInfo> CViewWnd::Views() const
{
    std::vector<ViewInfo> views{{0, u"IDS_VIEWNAME_STAND", u"IDS_VIEWTIPS_STAND"}};
    views.insert(views.end(), m_views.begin(), m_views.end());
    return views;
}

void CViewWnd::AddView(const ViewInfo& view)
{
    m_views.push_back(view);
}

StandViewOptions CViewWnd::OptionsOf(const CUserProfile& p)
{
    StandViewOptions o;
    o.normalText = p.ColorNormalText();
    o.correctText = p.ColorCorrectText();
    o.errorText = p.ColorErrorText();
    o.background = p.ColorBackground();
    o.fontName = p.FontName();
    o.fontSize = p.FontSize();
    o.lessonFontSize = p.LessonFontSize();
    o.fontBold = p.FontBold() != 0;
    o.charSpacing = p.IntercharacterSpacing();
    o.rowSpacing = p.InterrowSpacing();
    o.doubleLineView = p.DoubleLineView() != 0;
    o.useBitCaret = p.UseBitCaret() != 0;
    o.tabString = p.TabString();
    o.spaceString = p.SpaceString();
    o.stdDisplaySize = int(p.StdDisplaySize());
    return o;
}

void CViewWnd::ApplyOptions(const CUserProfile& profile, int deskMode, int kind,
                            int lessonDisplaySize, int lessonFontScale,
                            const std::u16string& fontName)
{
    m_fontName = fontName;
    StandViewContext context;
    context.deskMode = deskMode;
    context.kind = kind;
    context.lessonDisplaySize = lessonDisplaySize;
    context.lessonFontScale = lessonFontScale;
    context.fontOverride = m_fontName;
    context.clientWidth = width();
    m_stand->ApplyOptions(OptionsOf(profile), context);
}

void CViewWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_stand->setGeometry(rect());
}

} // namespace kf
