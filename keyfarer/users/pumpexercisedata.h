#pragma once

// PumpExerciseData: the exercise engine's requests (session/exercisedatasupplier.h) answered
// by the program's data supplier. The error key, the message on failure and the tutorial
// requests are the supplier's own; the test text and the dictionary are copied out of its
// result buffer, so they outlive the next request.

#include "pump_typingdata.h"

#include "session/exercisedatasupplier.h"

namespace kf {

class PumpExerciseData : public ExerciseDataSupplier
{
public:
    // The supplier is borrowed and must outlive this object.
    explicit PumpExerciseData(CPump_TypingData& supplier) : m_supplier(supplier) {}

    void SetErrorKey(std::u16string_view key) override { m_supplier.SetErrorKey(key); }
    CPump_TutorialDataBase& TutorialData() override { return m_supplier; }
    bool ReadTestText(std::u16string_view name, Bytes& text, uint8_t& testType) override;
    bool LoadDictionary(std::u16string_view name, Bytes& text) override;

private:
    CPump_TypingData& m_supplier;
};

} // namespace kf
