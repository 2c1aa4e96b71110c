#include "skin/ui/skinpreviewctrl.h"

#include "skin/colorconvert.h"
#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

CSkinPreviewCtrl::CSkinPreviewCtrl(const CControlAspect* look, QWidget* parent)
    : QWidget(parent), m_look(look)
{
    if (const CDib* pristine = look ? look->PristineBitmap(skinbmp::kPreview) : nullptr) {
        m_preview = *pristine;
        m_saved = pristine->Palette();
    }
    RecolorPreview(0, 0, 0);
}

void CSkinPreviewCtrl::RecolorPreview(int hueShift, int saturation, int lightness)
{
    if (m_preview.IsNull())
        return;
    m_preview.Palette() = CColorConvert::RecolorTable(m_saved, hueShift, saturation, lightness);
    m_picture = ToQImage(m_preview);
    update();
}

QSize CSkinPreviewCtrl::sizeHint() const
{
    return m_picture.isNull() ? QSize(240, 172) : m_picture.size() + QSize(8, 8);
}

void CSkinPreviewCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_look)
        p.fillRect(rect(), LookQColor(*m_look, LookColor::DialogBack));
    if (m_picture.isNull())
        return;
    const QPoint at((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2);
    p.drawImage(at, m_picture);
    if (m_look) {
        p.setPen(LookQColor(*m_look, LookColor::ControlBorder));
        p.drawRect(QRect(at, m_picture.size()).adjusted(-1, -1, 0, 0));
    }
}

} // namespace kf
