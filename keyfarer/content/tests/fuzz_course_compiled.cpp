// Arbitrary bytes as a compiled course: the input is given the tag so that it reaches the
// compiled reader, whose lesson count must never be trusted beyond the bytes present.
#include "content/courseheader.h"
#include "content/tutorialcourse.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kf::Bytes bytes(data, data + size);
    if (bytes.size() < 16)
        bytes.resize(16, 0);
    static constexpr char kTag[] = "KBTRAIN";
    for (size_t i = 0; i < 8; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(kTag[i]);
        bytes[2 * i + 1] = 0;
    }
    kf::TutorialCourse course;
    if (!course.LoadCourseData(bytes))
        return 0;
    if (course.LessonCount() != course.Header().LessonCount())
        std::abort();
    for (const kf::LessonRecord& r : course.Lessons()) {
        r.Name();
        r.KeyIndexes();
        r.RowIndexes();
        r.TrainChars();
    }
    const kf::Bytes image = course.CompiledImage();
    if (!std::equal(image.begin(), image.begin() + kf::CourseHeader::kSize, bytes.begin()))
        std::abort();
    return 0;
}
