#pragma once

// ExerciseDataSupplier: the requests through which the exercise engine reaches stored data —
// courses, lesson bodies and code tables (the tutorial requests), test texts and the practice
// dictionaries. The program's data supplier answers them (PumpExerciseData); every request
// follows its convention: set the error key, issue the request, and on failure the supplier
// has shown the message and left the reason in the last-error value.

#include "platform/bytes.h"

#include <cstdint>
#include <string_view>

namespace kf {

class CPump_TutorialDataBase;

class ExerciseDataSupplier
{
public:
    virtual ~ExerciseDataSupplier() = default;

    // The message key shown when the next request fails.
    virtual void SetErrorKey(std::u16string_view key) = 0;
    // The tutorial requests (courses, lesson bodies, code tables).
    virtual CPump_TutorialDataBase& TutorialData() = 0;
    // The text of the test "category\title" as UTF-16 bytes, and its category's "TestType".
    virtual bool ReadTestText(std::u16string_view name, Bytes& text, uint8_t& testType) = 0;
    // The text of the dictionary "Dict\" + name as UTF-16 bytes.
    virtual bool LoadDictionary(std::u16string_view name, Bytes& text) = 0;
};

} // namespace kf
