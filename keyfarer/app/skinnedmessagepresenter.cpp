#include "skinnedmessagepresenter.h"

#include "skin/textlookup.h"
#include "skin/ui/dlgviewmes.h"

namespace kf {

namespace {

class SkinnedPresenter : public MessagePresenter
{
public:
    explicit SkinnedPresenter(const CControlAspect& look) : m_look(look) {}
    int Show(QWidget* owner, std::u16string_view text, unsigned style) override
    {
        return CDlgViewMes::Show(&m_look, StringTableTexts(), text, style, owner, QStringLiteral("Keyfarer"));
    }

private:
    const CControlAspect& m_look;
};

} // namespace

std::unique_ptr<MessagePresenter> MakeSkinnedMessagePresenter(const CControlAspect& look)
{
    return std::make_unique<SkinnedPresenter>(look);
}

} // namespace kf
