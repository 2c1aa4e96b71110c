#pragma once

// AppDeskEnvironment: the desk environment of the program, the application object's
// program-wide objects and shared operations. MakeProgramDesk is the factory the program's
// main registers with the frame (SetTypingDeskFactory): it creates the desk on this
// environment and connects the commands the application carries out (switching the user).

#include "app/typingdeskport.h"
#include "session/ui/deskenvironment.h"

#include <memory>

namespace kf {

class CTrainTypingApp;

class AppDeskEnvironment : public DeskEnvironment
{
public:
    explicit AppDeskEnvironment(CTrainTypingApp& app);
    ~AppDeskEnvironment() override;

    CTypingAspect& Look() override;
    const TextLookup& Texts() override;
    CParadigmPump& Pump() override;
    CPump_TypingData& Supplier() override;
    CUserProfile& UserOptions() override;
    CResultRecord& CurrentResult() override;
    const CPrivileges& Privileges() override;
    CKeyboardLayout& KeyboardLayout() override;
    bool LoadKeyboardLayout(std::u16string_view file) override;
    int ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                    const std::vector<FormatArg>& args = {}) override;
    void BeginBusy(std::u16string_view statusKey) override;
    void EndBusy() override;
    void PlayUiSound(int index) override;
    bool SoundOn() const override;
    void SetSoundOn(bool on) override;
    void ShowHelpTopic(std::u16string_view topic) override;
    bool OpenWebPage(std::u16string_view url) override;
    void ExitProgram() override;
    bool KeyDisplayName(char16_t ch, std::u16string& out) const override;
    // Made at the first call, with the installation's "music" folder.
    CBackgndMusic* Music() override;

private:
    CTrainTypingApp& m_app;
    std::unique_ptr<CBackgndMusic> m_music;
};

// The program's desk in the frame, on the application object TheApp().
std::unique_ptr<TypingDeskPort> MakeProgramDesk(CMainFrame& frame);

} // namespace kf
