#pragma once

// CStandParadigmData: the test text an exercise is cut from. It is opened once when a test
// starts and keeps its text until the next open, so any number of exercises can be cut from
// it. The prepared text has no line feeds (carriage returns end the lines) and, unless double
// spaces are kept, no runs of spaces.

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class ExerciseDataSupplier;

class CStandParadigmData
{
public:
    // Characters a test text holds at most.
    static constexpr size_t kMaxTextLength = 32767;
    // The "TestType" that marks an original-copy test.
    static constexpr uint8_t kOriginalCopyType = 2;

    virtual ~CStandParadigmData() = default;

    // Reads the test "category\title" through the supplier (error key "IDS_ERR_LOADTEST") and
    // prepares it. False when the read fails or the text is empty (NoMoreItems); the previous
    // text then stays.
    bool OpenTestDocument(ExerciseDataSupplier& supplier, std::u16string_view name,
                          bool keepDoubleSpaces);

    // Prepares a text already read: copies it up to a NUL or 32767 source characters, drops
    // every line feed and, unless keepDoubleSpaces, every space that follows a space in the
    // source. False (nothing changed) for an empty text.
    bool SetText(std::u16string_view name, std::u16string_view source, uint8_t testType,
                 bool keepDoubleSpaces);

    const std::u16string& Name() const { return m_name; }
    bool Loaded() const { return m_loaded; }
    const std::u16string& Text() const { return m_text; }
    uint32_t TextLength() const { return static_cast<uint32_t>(m_text.size()); }
    uint8_t TestType() const { return m_testType; }
    bool IsOriginalCopy() const { return m_testType == kOriginalCopyType; }

private:
    std::u16string m_name;
    bool m_loaded = false;
    std::u16string m_text;
    uint8_t m_testType = 0;
};

} // namespace kf
