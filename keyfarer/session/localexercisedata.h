#pragma once

// LocalExerciseData: the engine's requests answered straight from a data folder, for kftool
// and the tests; the program itself answers them through its data supplier. A failed request
// keeps the error key that was set for it and the reason in the last-error value, so a tool
// can print both.

#include "content/localtutorialdata.h"
#include "session/exercisedatasupplier.h"

#include <string>
#include <string_view>

namespace kf {

class LocalExerciseData : public ExerciseDataSupplier
{
public:
    // dataFolder: the folder holding "Tutorial", "TestTexts" and "Dict".
    explicit LocalExerciseData(std::u16string_view dataFolder);

    void SetErrorKey(std::u16string_view key) override { m_errorKey = key; }
    CPump_TutorialDataBase& TutorialData() override { return m_tutorial; }
    bool ReadTestText(std::u16string_view name, Bytes& text, uint8_t& testType) override;
    bool LoadDictionary(std::u16string_view name, Bytes& text) override;

    const std::u16string& ErrorKey() const { return m_errorKey; }
    const std::u16string& DataFolder() const { return m_tutorial.DataFolder(); }

private:
    LocalTutorialData m_tutorial;
    std::u16string m_errorKey;
};

} // namespace kf
