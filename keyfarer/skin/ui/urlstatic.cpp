#include "skin/ui/urlstatic.h"

namespace kf {

CURLStatic::CURLStatic(const CControlAspect* look, const QString& text, const QString& url,
                       QWidget* parent)
    : CLineButton(look, text, parent), m_url(url)
{
    setToolTip(url);
    connect(this, &QAbstractButton::clicked, this, [this] { emit linkActivated(m_url); });
}

void CURLStatic::SetUrl(const QString& url)
{
    m_url = url;
    setToolTip(url);
}

} // namespace kf
