// Arbitrary UTF-16 bytes as a code table; the codes of the characters of the input itself are
// looked up so that matches occur.
#include "content/codetable.h"

#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::u16string text = kf::BytesToUtf16(kf::ByteSpan(data, size));
    kf::CodeTable table;
    if (!table.LoadCodeTableText(text))
        return 0;
    if (table.Name().size() > kf::CodeTable::kMaxNameLength)
        std::abort();
    std::string code;
    for (size_t i = 0; i < text.size() && i < 64; ++i) {
        table.CodeOf(text[i], code);
        if (code.size() > kf::CodeTable::kMaxCodeLength)
            std::abort();
    }
    return 0;
}
