#include "messagepresenter.h"

#include "content/resstring.h"
#include "platform/qt/qtext.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace kf {

namespace {

struct ButtonSpec
{
    const char16_t* key;
    const char* fallback;
    int result;
};

std::vector<ButtonSpec> ButtonsFor(unsigned style)
{
    switch (style & 0x0F) {
    case 1: return {{u"IDS_CT_OK", "OK", 1}, {u"IDS_CT_CANCEL", "Cancel", 2}};
    case 2: return {{u"IDS_CT_ABORT", "Abort", 3}, {u"IDS_CT_RETRY", "Retry", 4}, {u"IDS_CT_IGNORE", "Ignore", 5}};
    case 3: return {{u"IDS_CT_YES", "Yes", 6}, {u"IDS_CT_NO", "No", 7}, {u"IDS_CT_CANCEL", "Cancel", 2}};
    case 4: return {{u"IDS_CT_YES", "Yes", 6}, {u"IDS_CT_NO", "No", 7}};
    case 5: return {{u"IDS_CT_RETRY", "Retry", 4}, {u"IDS_CT_CANCEL", "Cancel", 2}};
    default: return {{u"IDS_CT_OK", "OK", 1}};
    }
}

class StandardPresenter : public MessagePresenter
{
public:
    int Show(QWidget* owner, std::u16string_view text, unsigned style) override
    {
        QMessageBox box(owner);
        box.setWindowTitle(QStringLiteral("Keyfarer"));
        box.setText(ToQString(text));
        switch (style & 0xF0) {
        case 0x10: box.setIcon(QMessageBox::Critical); break;
        case 0x20: box.setIcon(QMessageBox::Question); break;
        case 0x30: box.setIcon(QMessageBox::Warning); break;
        case 0x40: box.setIcon(QMessageBox::Information); break;
        default: break;
        }
        const auto specs = ButtonsFor(style);
        std::vector<std::pair<QAbstractButton*, int>> buttons;
        for (const auto& s : specs) {
            const QString caption = ToQString(GetResString(s.key, FromQString(QString::fromLatin1(s.fallback))));
            buttons.emplace_back(box.addButton(caption, QMessageBox::AcceptRole), s.result);
        }
        // Escape answers like the choice that changes nothing.
        box.setEscapeButton(buttons.back().first);
        box.exec();
        for (const auto& [button, result] : buttons) {
            if (box.clickedButton() == button)
                return result;
        }
        return specs.back().result;
    }
};

} // namespace

std::unique_ptr<MessagePresenter> MakeStandardMessagePresenter()
{
    return std::make_unique<StandardPresenter>();
}

} // namespace kf
