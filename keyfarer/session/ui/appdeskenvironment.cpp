#include "session/ui/appdeskenvironment.h"

#include "app/mainframe.h"
#include "app/traintypingapp.h"
#include "games/backgndmusic.h"
#include "session/ui/typingdeskwnd.h"

namespace kf {

AppDeskEnvironment::AppDeskEnvironment(CTrainTypingApp& app) : m_app(app) {}

AppDeskEnvironment::~AppDeskEnvironment() = default;

CBackgndMusic* AppDeskEnvironment::Music()
{
    if (!m_music) {
        m_music = std::make_unique<CBackgndMusic>();
        m_music->Initialize(m_app.InstallFolder());
    }
    return m_music.get();
}

CTypingAspect& AppDeskEnvironment::Look()
{
    return m_app.Look();
}

const TextLookup& AppDeskEnvironment::Texts()
{
    return m_app.Texts();
}

CParadigmPump& AppDeskEnvironment::Pump()
{
    return m_app.Pump();
}

CPump_TypingData& AppDeskEnvironment::Supplier()
{
    return m_app.Supplier();
}

CUserProfile& AppDeskEnvironment::UserOptions()
{
    return m_app.UserOptions();
}

CResultRecord& AppDeskEnvironment::CurrentResult()
{
    return m_app.CurrentResult();
}

const CPrivileges& AppDeskEnvironment::Privileges()
{
    return m_app.Privileges();
}

CKeyboardLayout& AppDeskEnvironment::KeyboardLayout()
{
    return m_app.KeyboardLayout();
}

bool AppDeskEnvironment::LoadKeyboardLayout(std::u16string_view file)
{
    return m_app.LoadKeyboardLayout(file);
}

int AppDeskEnvironment::ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                                    const std::vector<FormatArg>& args)
{
    return m_app.ShowMessage(key, owner, style, args);
}

void AppDeskEnvironment::BeginBusy(std::u16string_view statusKey)
{
    m_app.BeginBusy(statusKey, 0);
}

void AppDeskEnvironment::EndBusy()
{
    m_app.EndBusy();
}

void AppDeskEnvironment::PlayUiSound(int index)
{
    m_app.PlayUiSound(index);
}

bool AppDeskEnvironment::SoundOn() const
{
    return m_app.SoundOn();
}

void AppDeskEnvironment::SetSoundOn(bool on)
{
    m_app.SetSoundOn(on);
}

void AppDeskEnvironment::ShowHelpTopic(std::u16string_view topic)
{
    m_app.ShowHelpTopic(topic);
}

bool AppDeskEnvironment::OpenWebPage(std::u16string_view url)
{
    return m_app.OpenWebPage(url);
}

void AppDeskEnvironment::ExitProgram()
{
    m_app.ExitProgram();
}

bool AppDeskEnvironment::KeyDisplayName(char16_t ch, std::u16string& out) const
{
    return m_app.KeyDisplayName(ch, out);
}

namespace {

// The desk owns its environment, which is made before the desk and goes after it.
struct EnvironmentHolder
{
    explicit EnvironmentHolder(CTrainTypingApp& app) : environment(app) {}
    AppDeskEnvironment environment;
};

class ProgramDesk : private EnvironmentHolder, public CTypingDeskWnd
{
public:
    ProgramDesk(CTrainTypingApp& app, QWidget* parent)
        : EnvironmentHolder(app), CTypingDeskWnd(environment, parent)
    {}
};

} // namespace

std::unique_ptr<TypingDeskPort> MakeProgramDesk(CMainFrame& frame)
{
    CTrainTypingApp* app = TheApp();
    if (!app)
        return nullptr;
    auto desk = std::make_unique<ProgramDesk>(*app, &frame);
    desk->SetCommandHandler(desk_cmd::kSwitchUser, [app] {
        if (!app->SwitchUser())
            app->ExitProgram();
    });
    return desk;
}

} // namespace kf
