#include "skin/ui/dlgviewmes.h"

#include "skin/ui/anibutton.h"
#include "skin/ui/skinpixmaps.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kf {

CDlgViewMes::CDlgViewMes(const CControlAspect* look, TextLookup texts, std::u16string_view text,
                         unsigned style, QWidget* parent, const QString& title)
    : COwnerDrawDialog(look, std::move(texts), parent), CViewMessage(text, style)
{
    setWindowTitle(title.isEmpty() ? QGuiApplication::applicationDisplayName() : title);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(18);
    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    const int quarter = IconQuarter(style);
    const QPixmap icons = look ? SkinPixmap(*look, skinbmp::kMessageIcons) : QPixmap();
    if (quarter >= 0 && !icons.isNull()) {
        const int w = icons.width() / 4;
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("icon"));
        icon->setPixmap(icons.copy(quarter * w, 0, w, icons.height()));
        icon->setAlignment(Qt::AlignTop);
        body->addWidget(icon, 0, Qt::AlignTop);
    }
    auto* label = new QLabel(ToQString(MessageText()), this);
    label->setObjectName(QStringLiteral("text"));
    label->setTextFormat(Qt::PlainText); // file names and user texts are never markup
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(260);
    label->setMaximumWidth(460);
    if (look) {
        label->setFont(LookQFont(*look, LookFont::MessageText));
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, LookQColor(*look, LookColor::DialogText));
        label->setPalette(pal);
    }
    body->addWidget(label, 1, Qt::AlignVCenter);
    layout->addLayout(body);

    auto* row = new QHBoxLayout;
    row->setSpacing(20);
    row->addStretch(1);
    for (const Button& b : Buttons()) {
        auto* button = new CAniButton(look, ToQString(LookupText(Texts(), b.textKey)), this);
        const int result = b.result;
        connect(button, &QAbstractButton::clicked, this, [this, result] { done(result); });
        row->addWidget(button);
        m_buttons.emplace_back(button, result);
    }
    row->addStretch(1);
    layout->addLayout(row);
    if (!m_buttons.empty()) {
        m_buttons.front().first->SetDefault(true);
        m_buttons.front().first->setFocus();
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDlgViewMes::reject()
{
    done(CloseResult(Style()));
}

int CDlgViewMes::Show(const CControlAspect* look, const TextLookup& texts, std::u16string_view text,
                      unsigned style, QWidget* parent, const QString& title)
{
    CDlgViewMes box(look, texts, text, style, parent, title);
    return box.exec();
}

} // namespace kf
