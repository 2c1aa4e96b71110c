#include "session/ui/localdeskenvironment.h"

#include "users/defaultprofile.h"

namespace kf {

LocalDeskEnvironment::LocalDeskEnvironment(std::u16string installFolder)
    : m_installFolder(std::move(installFolder))
{
    if (!m_installFolder.empty() && m_installFolder.back() != u'\\' &&
        m_installFolder.back() != u'/')
        m_installFolder += u'\\';
    const bool strings = m_strings.LoadStringFile(m_installFolder + u"SysDat\\StringRes.txt");
    m_texts = [this](std::u16string_view key) { return m_strings.Get(key); };
    const bool look = m_look.Init(m_installFolder);
    m_supplier.SetDataFolder(DataFolder());
    m_supplier.SetMessageSink(this);
    SupplierTexts texts;
    texts.fileInfo = m_strings.Get(u"IDS_FORMAT_FILEINFO");
    texts.folderInfo = m_strings.Get(u"IDS_FORMAT_FOLDERINFO");
    texts.freeTyping = m_strings.Get(u"IDS_USEDATATYPE_FREETYPE");
    m_supplier.SetTexts(texts);
    m_exerciseData = std::make_unique<PumpExerciseData>(m_supplier);
    m_pump.SetSupplier(m_exerciseData.get());
    m_privileges = CPrivileges::GrantAll();
    if (!m_supplier.LoadDefaultProfile(m_options))
        m_options = CUserProfile();
    m_pump.LoadDictionaries(u"dictionary.txt", u"numdictionary.txt");
    m_pump.SetKeyTables(m_layout);
    m_messages.clear(); // the failures of start-up are no messages of the desk
    // A skin picture that is missing is drawn as a plain shape, as in the program.
    (void)look;
    m_ready = strings;
}

LocalDeskEnvironment::~LocalDeskEnvironment() = default;

bool LocalDeskEnvironment::LoadKeyboardLayout(std::u16string_view file)
{
    m_supplier.SetErrorKey(u"IDS_ERR_LOADKBLAYOUT");
    if (!m_supplier.LoadKeyboardLayout(file, m_options.WhichHand()))
        return false;
    CKeyboardLayout loaded;
    if (!loaded.LoadLayoutImage(m_supplier.Result(), true)) {
        ShowMessage(u"IDS_ERR_LOADKBLAYOUT", nullptr, 0x10, {FormatArg(file)});
        return false;
    }
    m_layout = loaded;
    m_pump.SetKeyTables(m_layout);
    return true;
}

int LocalDeskEnvironment::ShowMessage(std::u16string_view key, QWidget*, unsigned style,
                                      const std::vector<FormatArg>& args)
{
    m_messages.push_back({std::u16string(key), FormatText(m_strings.Get(key, key), args), style});
    if (m_answers.empty())
        return m_answerDefault;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void LocalDeskEnvironment::PlayUiSound(int index)
{
    if (m_soundOn)
        m_sounds.push_back(index);
}

bool LocalDeskEnvironment::OpenWebPage(std::u16string_view url)
{
    m_webPages.emplace_back(url);
    return true;
}

bool LocalDeskEnvironment::KeyDisplayName(char16_t ch, std::u16string& out) const
{
    // The same names as the application object's.
    const char16_t* key = nullptr;
    switch (ch) {
    case u'\r':
        key = u"IDS_KEYNAME_ENTER";
        break;
    case u'"':
        key = u"IDS_KEYNAME_DQUOTE";
        break;
    case u'\'':
        key = u"IDS_KEYNAME_SQUOTE";
        break;
    case u',':
        key = u"IDS_KEYNAME_COMMA";
        break;
    case u'.':
        key = u"IDS_KEYNAME_PERIOD";
        break;
    case u':':
        key = u"IDS_KEYNAME_COLON";
        break;
    case u';':
        key = u"IDS_KEYNAME_SEMICOLON";
        break;
    case u'?':
        key = u"IDS_KEYNAME_QUESTION";
        break;
    default:
        break;
    }
    if (!key) {
        out.assign(1, ch);
        return false;
    }
    out = m_strings.Get(key).substr(0, 127);
    return true;
}

void LocalDeskEnvironment::ShowSupplierError(std::u16string_view key, std::u16string_view detail,
                                             uint32_t)
{
    ShowMessage(key.empty() ? std::u16string_view(u"IDS_ERR_UNKNOWN") : key, nullptr, 0x10,
                {FormatArg(detail)});
}

} // namespace kf
