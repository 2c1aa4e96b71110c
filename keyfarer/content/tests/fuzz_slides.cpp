// Arbitrary UTF-16 bytes as a slide show. Every picture a part names is answered with the
// input itself, so the bitmap decoder meets the same bytes.
#include "content/data_extralesson.h"
#include "content/pump_tutorialdatabase.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class EchoSource : public kf::CPump_TutorialDataBase
{
public:
    explicit EchoSource(kf::ByteSpan bytes) : m_bytes(bytes.begin(), bytes.end()) {}
    const uint8_t* GetResult(size_t* length) const override
    {
        if (length)
            *length = m_bytes.size();
        return m_bytes.data();
    }
    bool ReadCourseHeader(std::u16string_view) override { return false; }
    bool ReadTutorialFile(std::u16string_view) override { return true; }
    bool ReadTutorialText(std::u16string_view, std::u16string*) override { return true; }

private:
    kf::Bytes m_bytes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EchoSource source(kf::ByteSpan(data, size));
    kf::CData_ExtraLesson slides;
    slides.SetSlideData(kf::ByteSpan(data, size));
    if (!slides.ParseSlides(&source))
        return 0;
    if (slides.FrameCount() > kf::CData_ExtraLesson::kMaxFrames)
        std::abort();
    for (int32_t i = 0; i < slides.FrameCount(); ++i) {
        const kf::SlideFrame* f = slides.Frame(i);
        if (f->partCount < 1 || f->partCount > kf::CData_ExtraLesson::kMaxPartsPerFrame)
            std::abort();
        for (int32_t j = 0; j < f->partCount; ++j) {
            const kf::SlidePart* p = slides.Part(i, j);
            if (!p || p->text.size() > kf::CData_ExtraLesson::kMaxTextLength)
                std::abort();
        }
    }
    return 0;
}
