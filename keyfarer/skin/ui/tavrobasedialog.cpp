#include "skin/ui/tavrobasedialog.h"

#include "skin/ui/skinpixmaps.h"

namespace kf {
namespace {

std::function<void(bool)>& Observer()
{
    static std::function<void(bool)> observer;
    return observer;
}
int g_openModals = 0;

} // namespace

CTavroBaseDialog::CTavroBaseDialog(const CControlAspect* look, TextLookup texts, QWidget* parent)
    : QDialog(parent), m_look(look), m_texts(std::move(texts))
{
    ApplyLook();
}

void CTavroBaseDialog::ApplyLook()
{
    if (!m_look)
        return;
    setFont(LookQFont(*m_look, LookFont::Dialog));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, LookQColor(*m_look, LookColor::DialogBack));
    pal.setColor(QPalette::WindowText, LookQColor(*m_look, LookColor::DialogText));
    pal.setColor(QPalette::Base, LookQColor(*m_look, LookColor::ControlBack));
    pal.setColor(QPalette::Text, LookQColor(*m_look, LookColor::ControlText));
    pal.setColor(QPalette::Highlight, LookQColor(*m_look, LookColor::Selection));
    pal.setColor(QPalette::HighlightedText, LookQColor(*m_look, LookColor::SelectionText));
    pal.setColor(QPalette::Button, LookQColor(*m_look, LookColor::DialogBack));
    pal.setColor(QPalette::ButtonText, LookQColor(*m_look, LookColor::ControlText));
    pal.setColor(QPalette::Disabled, QPalette::WindowText,
                 LookQColor(*m_look, LookColor::DisabledText));
    pal.setColor(QPalette::Disabled, QPalette::Text, LookQColor(*m_look, LookColor::DisabledText));
    setPalette(pal);
    setAutoFillBackground(true);
}

QString CTavroBaseDialog::Text(std::u16string_view key) const
{
    return ToQString(LookupText(m_texts, key));
}

CTavroBaseDialog::ModalScope::ModalScope()
{
    if (g_openModals++ == 0 && Observer())
        Observer()(true);
}

CTavroBaseDialog::ModalScope::~ModalScope()
{
    if (--g_openModals == 0 && Observer())
        Observer()(false);
}

int CTavroBaseDialog::exec()
{
    ModalScope scope;
    return QDialog::exec();
}

void CTavroBaseDialog::SetModalObserver(std::function<void(bool)> observer)
{
    Observer() = std::move(observer);
}

int CTavroBaseDialog::OpenModalCount()
{
    return g_openModals;
}

} // namespace kf
