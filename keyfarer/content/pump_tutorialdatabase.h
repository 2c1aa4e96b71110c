#pragma once

// CPump_TutorialDataBase: what the exercise engine and the course objects see of the data
// supplier. The supplier (CPump_TypingData) derives from it and answers from the data
// folder; LocalTutorialData answers the same requests without the rest of the supplier
// (tools, tests, temporary course objects of the catalogue).
//
// Convention: a request empties the result buffer and leaves its answer there; the answer
// stays valid until the next request. A failed request returns false with the reason in the
// last-error value (the supplier also shows its error key).

#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class CPump_TutorialDataBase
{
public:
    virtual ~CPump_TutorialDataBase() = default;

    // The start of the result buffer and, when length is given, its size in bytes.
    virtual const uint8_t* GetResult(size_t* length) const = 0;

    // The 2180-byte course header record of the course "Tutorial\" + name.
    virtual bool ReadCourseHeader(std::u16string_view name) = 0;

    // The bytes of "Tutorial\" + name; a file that begins with the 8 bytes "[Header]"
    // (ignoring case) is an 8-bit course text and is answered decoded, as UTF-16 bytes.
    virtual bool ReadTutorialFile(std::u16string_view name) = 0;

    // The decoded text of "Tutorial\" + name as UTF-16 bytes (no byte order mark); the full
    // stored path of the file in *path when given.
    virtual bool ReadTutorialText(std::u16string_view name, std::u16string* path) = 0;

    // Convenience: the result buffer as a span.
    ByteSpan Result() const
    {
        size_t n = 0;
        const uint8_t* p = GetResult(&n);
        return p ? ByteSpan(p, n) : ByteSpan();
    }
};

} // namespace kf
