#include "users/ui/skinlabel.h"

#include "skin/ui/skinpixmaps.h"

namespace kf {

QLabel* MakeSkinLabel(const CControlAspect& look, const QString& text, QWidget* parent,
                      LabelKind kind)
{
    auto* label = new QLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText,
                 LookQColor(look, kind == LabelKind::Heading ? LookColor::NoticeTitle
                                                             : LookColor::DialogText));
    pal.setColor(QPalette::Disabled, QPalette::WindowText,
                 LookQColor(look, LookColor::DisabledText));
    label->setPalette(pal);
    QFont font =
        LookQFont(look, kind == LabelKind::Plain || kind == LabelKind::Tip ? LookFont::Dialog
                                                                           : LookFont::DialogBold);
    if (kind == LabelKind::Heading)
        font.setPointSize(font.pointSize() + 4);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    if (kind == LabelKind::Tip) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return label;
}

} // namespace kf
