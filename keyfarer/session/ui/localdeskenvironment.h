#pragma once

// LocalDeskEnvironment: a desk environment that owns real program objects over an
// installation folder of its own (its string file, skin, data folder with courses, test
// texts, layouts and dictionaries): the tests, the latency benchmark and the screenshot tool
// run the real desk on it without the application object. Messages are recorded and answered
// from a list the caller fills (a box with no answer left returns AnswerDefault()); sounds
// and opened pages are recorded too.

#include "content/keyboardlayout.h"
#include "content/privileges.h"
#include "content/resstring.h"
#include "session/paradigmpump.h"
#include "session/ui/deskenvironment.h"
#include "skin/typingaspect.h"
#include "users/pump_typingdata.h"
#include "users/pumpexercisedata.h"
#include "users/resultrecord.h"
#include "users/userprofile.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kf {

class LocalDeskEnvironment : public DeskEnvironment, private SupplierMessageSink
{
public:
    struct Message
    {
        std::u16string key;
        std::u16string text; // the key's text formatted with the arguments
        unsigned style = 0;
    };

    // installFolder: stored form with trailing separator. Loads the string table, the look,
    // the default profile of "Data\Account\DefConfig.ini" (built-in defaults when missing) and
    // the dictionaries; the layout is the built-in default until LoadKeyboardLayout.
    explicit LocalDeskEnvironment(std::u16string installFolder);
    ~LocalDeskEnvironment() override;

    // False when the string table or the look could not be read.
    bool Ready() const { return m_ready; }

    CTypingAspect& Look() override { return m_look; }
    const TextLookup& Texts() override { return m_texts; }
    CParadigmPump& Pump() override { return m_pump; }
    CPump_TypingData& Supplier() override { return m_supplier; }
    CUserProfile& UserOptions() override { return m_options; }
    CResultRecord& CurrentResult() override { return m_result; }
    const CPrivileges& Privileges() override { return m_privileges; }
    CPrivileges& MutablePrivileges() { return m_privileges; }
    CKeyboardLayout& KeyboardLayout() override { return m_layout; }
    bool LoadKeyboardLayout(std::u16string_view file) override;

    int ShowMessage(std::u16string_view key, QWidget* owner, unsigned style,
                    const std::vector<FormatArg>& args = {}) override;
    void BeginBusy(std::u16string_view) override {}
    void EndBusy() override {}
    void PlayUiSound(int index) override;
    bool SoundOn() const override { return m_soundOn; }
    void SetSoundOn(bool on) override { m_soundOn = on; }
    void ShowHelpTopic(std::u16string_view topic) override { m_helpTopics.emplace_back(topic); }
    bool OpenWebPage(std::u16string_view url) override;
    void ExitProgram() override { ++m_exitRequests; }
    bool KeyDisplayName(char16_t ch, std::u16string& out) const override;
    // No music unless the caller gives a player (not owned).
    CBackgndMusic* Music() override { return m_music; }
    void SetMusic(CBackgndMusic* music) { m_music = music; }

    // --- what happened
    std::deque<int>& Answers() { return m_answers; }
    int& AnswerDefault() { return m_answerDefault; }
    const std::vector<Message>& Messages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }
    const std::vector<int>& Sounds() const { return m_sounds; }
    void ClearSounds() { m_sounds.clear(); }
    const std::vector<std::u16string>& HelpTopics() const { return m_helpTopics; }
    const std::vector<std::u16string>& WebPages() const { return m_webPages; }
    int ExitRequests() const { return m_exitRequests; }
    const std::u16string& InstallFolder() const { return m_installFolder; }
    std::u16string DataFolder() const { return m_installFolder + u"Data\\"; }

private:
    void ShowSupplierError(std::u16string_view key, std::u16string_view detail,
                           uint32_t code) override;

    std::u16string m_installFolder;
    bool m_ready = false;
    CResString m_strings;
    TextLookup m_texts;
    CTypingAspect m_look;
    CPump_TypingData m_supplier;
    std::unique_ptr<PumpExerciseData> m_exerciseData;
    CParadigmPump m_pump;
    CUserProfile m_options;
    CResultRecord m_result;
    CPrivileges m_privileges;
    CKeyboardLayout m_layout;
    bool m_soundOn = true;
    CBackgndMusic* m_music = nullptr;

    std::deque<int> m_answers;
    int m_answerDefault = 1;
    std::vector<Message> m_messages;
    std::vector<int> m_sounds;
    std::vector<std::u16string> m_helpTopics;
    std::vector<std::u16string> m_webPages;
    int m_exitRequests = 0;
};

} // namespace kf
