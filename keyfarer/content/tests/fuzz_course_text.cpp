// Arbitrary bytes as a course file in text form (UTF-16, or 8-bit text after "[Header]"):
// whatever loads must compile, and the compiled image must load back to the same image.
#include "content/localtutorial.h"
#include "content/tutorialcourse.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const kf::Bytes bytes = kf::DecodeTutorialFileBytes(kf::Bytes(data, data + size));
    kf::TutorialCourse course;
    if (!course.LoadCourseData(bytes, u"Fuzz\\course.btf"))
        return 0;
    course.CodeTablePath();
    course.UsesSystemInputMethod();
    for (const kf::LessonRecord& r : course.Lessons()) {
        r.KeyIndexes();
        r.RowIndexes();
        r.TrainChars();
    }
    const kf::Bytes image = course.CompiledImage();
    kf::TutorialCourse again;
    if (!again.LoadCourseData(image) || again.CompiledImage() != image)
        std::abort();
    return 0;
}
