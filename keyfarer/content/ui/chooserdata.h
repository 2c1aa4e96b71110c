#pragma once

// ChooserData: the data supplier's requests the choosers issue — the course catalogue, a
// course's lessons, a course or lesson looked up by name, the test categories and their
// texts. Each follows the supplier's convention: set the error key, issue the request; on
// failure the supplier has shown the message with that key and the request returns false
// with the reason in the last-error value. Answers are the records of catalogueentry.h,
// lessonlistentry.h, courserefanswer.h, testcategoryitem.h and testtextitem.h, back to back.
//
// The test chooser adds and removes texts itself, on the folder DataFolder() names.

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class ChooserData
{
public:
    virtual ~ChooserData() = default;

    virtual void SetErrorKey(std::u16string_view key) = 0;
    // The courses of the layout type and hand (a negative value accepts any).
    virtual bool ListCourses(int32_t layoutType, int32_t whichHand, Bytes& reply) = 0;
    // The lessons of the course at coursePath whose "FitMode" meets the mask; lessons of
    // "Type" 1 only with includeHidden.
    virtual bool ListLessons(std::u16string_view coursePath, uint32_t fitMask, bool includeHidden,
                             Bytes& reply) = 0;
    // Kind 1: the course of that name; kind 2: a lesson of the course at that path, by index
    // or (lessonIndex 65535) by name.
    virtual bool ResolveCourseRef(int32_t kind, int32_t layoutType, int32_t whichHand,
                                  std::u16string_view course, uint32_t lessonIndex,
                                  std::u16string_view lessonName, Bytes& reply) = 0;
    virtual bool ListTestCategories(Bytes& reply) = 0;
    virtual bool CheckTestCategory(std::u16string_view category, Bytes& reply) = 0;
    virtual bool ListTestTexts(std::u16string_view category, Bytes& reply) = 0;

    // The data folder (stored form, trailing separator) holding "TestTexts".
    virtual std::u16string DataFolder() const = 0;
};

} // namespace kf
