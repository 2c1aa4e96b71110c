#include "skin/ui/tavropropertypage.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

CTavroPropertyPage::CTavroPropertyPage(const CControlAspect* look, TextLookup texts,
                                       const QString& title, QWidget* parent)
    : QWidget(parent), m_look(look), m_texts(std::move(texts)), m_title(title)
{
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Dialog));
}

void CTavroPropertyPage::SetTitle(const QString& title)
{
    m_title = title;
    emit titleChanged(title);
}

QString CTavroPropertyPage::Text(std::u16string_view key) const
{
    return ToQString(LookupText(m_texts, key));
}

void CTavroPropertyPage::paintEvent(QPaintEvent*)
{
    if (!m_look)
        return;
    QPainter p(this);
    p.fillRect(rect(), LookQColor(*m_look, LookColor::DialogBack));
}

} // namespace kf
