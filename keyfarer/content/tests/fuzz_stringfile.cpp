// Feeds arbitrary bytes through the text decoder and the string-file parser, then looks up
// keys the program uses.
#include "content/resstring.h"
#include "platform/textfile.h"

#include <cstdint>
#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::u16string text = kf::DecodeText(kf::ByteSpan(data, size));
    kf::CResString table;
    if (table.ParseStringText(text.c_str(), static_cast<uint32_t>(text.size() * 2))) {
        std::u16string out;
        table.LookupString(out, u"type");
        table.LookupString(out, u"IDS_CT_OK", u"OK");
        table.LookupString(out, u"");
        table.NumberedTexts(u"IDS_TRAIN_PRACTICETYPE_%d", 0, 3);
    }
    return 0;
}
