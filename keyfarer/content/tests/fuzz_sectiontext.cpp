// Arbitrary UTF-16 bytes through the section text reader, with the section and key names
// taken from the input too, so the header and key rules meet every neighbourhood.
#include "content/sectiontext.h"

#include <cstdint>
#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kf::SectionText reader;
    reader.Attach(kf::ByteSpan(data, size));
    const std::u16string& text = reader.Text();
    const size_t cut = text.size() / 3;
    const std::u16string section = text.substr(0, std::min<size_t>(cut, 12));
    const std::u16string key = text.substr(cut, std::min<size_t>(cut, 8));
    std::u16string out;
    reader.ReadText(section, key, u"d", 260, out);
    reader.ReadNumber(section, key, 7);
    reader.ReadText(u"Header", u"Tag", u"", 260, out);
    reader.ReadNumber(u"Lesson_1", u"KeyIndex", 0);
    return 0;
}
