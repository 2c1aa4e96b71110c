#include "session/standparadigmdata.h"

#include "platform/lasterror.h"
#include "session/exercisedatasupplier.h"

namespace kf {

bool CStandParadigmData::OpenTestDocument(ExerciseDataSupplier& supplier, std::u16string_view name,
                                          bool keepDoubleSpaces)
{
    supplier.SetErrorKey(u"IDS_ERR_LOADTEST");
    Bytes reply;
    uint8_t testType = 0;
    if (!supplier.ReadTestText(name, reply, testType))
        return false;
    return SetText(name, BytesToUtf16(reply), testType, keepDoubleSpaces);
}

bool CStandParadigmData::SetText(std::u16string_view name, std::u16string_view source,
                                 uint8_t testType, bool keepDoubleSpaces)
{
    if (source.empty() || source[0] == 0) {
        SetLastError(err::NoMoreItems);
        return false;
    }
    m_text.clear();
    for (size_t i = 0; i < source.size() && i < kMaxTextLength && source[i] != 0; ++i) {
        const char16_t c = source[i];
        if (c == u'\n')
            continue;
        if (c == u' ' && !keepDoubleSpaces && i > 0 && source[i - 1] == u' ')
            continue;
        m_text += c;
    }
    m_loaded = true;
    m_name = name;
    m_testType = testType;
    return true;
}

} // namespace kf
