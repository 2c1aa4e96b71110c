#include "session/ui/resultsheet.h"

#include "platform/lasterror.h"
#include "session/paradigmpump.h"
#include "session/ui/deskenvironment.h"
#include "skin/typingaspect.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/skinpixmaps.h"
#include "users/ui/dlgkeydelay.h"
#include "users/userprofile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kf {

namespace {

constexpr unsigned kErrorBox = 0x10;

} // namespace

QString TextFileFilter(std::u16string_view filter)
{
    // The parts are separated by the two characters "\0" as the string file writes them, or
    // by a NUL where a loader has turned them into one.
    size_t cut = filter.find(u"\\0");
    size_t skip = 2;
    if (cut == std::u16string_view::npos) {
        cut = filter.find(u'\0');
        skip = 1;
    }
    const std::u16string_view display =
        cut == std::u16string_view::npos ? filter : filter.substr(0, cut);
    const std::u16string_view pattern = cut == std::u16string_view::npos
                                            ? std::u16string_view(u"*.txt")
                                            : filter.substr(cut + skip);
    QString out = ToQString(display);
    if (!out.contains(QLatin1Char('(')))
        out += QStringLiteral(" (") + ToQString(pattern) + QLatin1Char(')');
    return out;
}

CResultSheet::CResultSheet(DeskEnvironment& env, const ResultSheetInput& input, QWidget* parent)
    : CTavroPropertySheet(&env.Look(), env.Texts(), ToQString(env.Text(u"IDS_WT_RESULT")), parent),
      m_env(env)
{
    m_result = new CDlgResult(&env.Look(), env.Texts(), input.page);
    m_result->SetSoundPlayer([this](int index) { m_env.PlayUiSound(index); });
    AddPage(m_result);

    const CResultRecord& record = input.page.result;
    if (!input.freeTyping && record.CharsCorrect() > 0) {
        const CUserProfile& options = env.UserOptions();
        KeyDelayPageInput delays;
        delays.keyDelays = input.keyDelays;
        delays.result = record;
        delays.singlePass = options.SinglePass();
        delays.singleFullmark = options.SingleFullmark();
        delays.tabString = options.TabString();
        delays.spaceString = options.SpaceString();
        delays.reviewMode = false;
        m_keyDelay = new CDlgKeyDelay(&env.Look(), env.Texts(), std::move(delays));
        m_keyDelay->SetSoundPlayer([this](int index) { m_env.PlayUiSound(index); });
        AddPage(m_keyDelay);
    }

    ClearButtons();
    if (input.freeTyping && record.CharsTyped() > 0)
        AddButton(u"IDS_CT_RESULT_SAVETEXT", kIdSaveText);
    CAniButton* close = AddButton(input.page.mode == 4 ? u"IDS_CT_OK" : u"IDS_CT_CLOSE", kIdClose);
    close->SetDefault(true);
    // Enter closes the sheet: the focus starts on the button, not on the first choice.
    close->setFocus();
    setFocusProxy(close);
    connect(this, &CTavroPropertySheet::buttonClicked, this, [this](int id) {
        if (id == kIdSaveText)
            SaveTypedText();
    });

    if (input.activePage > 0 && input.activePage < PageCount())
        SetActivePage(input.activePage);
    else
        SetActivePage(0);
}

bool CResultSheet::SaveTypedText()
{
    const QString filter = TextFileFilter(m_env.Text(u"IDS_FILTER_FORTXT"));
    QString path;
    if (m_ask) {
        path = m_ask(this, filter);
    } else {
        CTavroBaseDialog::ModalScope scope;
        path = QFileDialog::getSaveFileName(this, ToQString(m_env.Text(u"IDS_CT_RESULT_SAVETEXT")),
                                            QDir::homePath(), filter);
    }
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    if (m_env.Pump().SaveTypedText(FromQString(path)))
        return true;
    const std::u16string reason = ErrorMessageText(GetLastError());
    m_env.ShowMessage(u"IDS_ERR_SAVETYPEDTEXT", this, kErrorBox,
                      {FormatArg(FromQString(QDir::toNativeSeparators(path))), FormatArg(reason)});
    return false;
}

} // namespace kf
