#include "uisound.h"

#include "platform/path.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <map>

namespace kf {

namespace {

// Keeps one effect per file so repeated sounds (key strikes) start without reloading.
class QtSoundPlayer : public SoundPlayer
{
public:
    void Play(std::u16string_view path) override
    {
        if (!m_checked) {
            m_checked = true;
            m_muted = QMediaDevices::audioOutputs().isEmpty();
        }
        if (m_muted || !FileExists(path))
            return;
        const std::string native = NativePath(path);
        auto it = m_effects.find(native);
        if (it == m_effects.end()) {
            auto effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(QString::fromStdString(native)));
            it = m_effects.emplace(native, std::move(effect)).first;
        }
        it->second->stop();
        it->second->play();
    }
    void StopAll() override
    {
        for (auto& [name, effect] : m_effects)
            effect->stop();
    }

private:
    bool m_checked = false;
    bool m_muted = false;
    std::map<std::string, std::unique_ptr<QSoundEffect>> m_effects;
};

std::unique_ptr<SoundPlayer>& Current()
{
    static std::unique_ptr<SoundPlayer> player = std::make_unique<QtSoundPlayer>();
    return player;
}

} // namespace

SoundPlayer& Sounds()
{
    return *Current();
}

void SetSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    Current() = player ? std::move(player) : std::make_unique<QtSoundPlayer>();
}

} // namespace kf
