#pragma once

// The local data operations of the Tutorial folder: what the data supplier answers the
// course, lesson and tutorial-file requests with. Each takes the data folder (a stored path
// with its trailing separator, the folder holding "Tutorial"), empties the reply buffer,
// leaves its answer there and returns true; on failure it returns false with the reason in
// the last-error value (the reply is then empty or partial and must not be used).
//
// Names of files are relative to "Tutorial" and may use backslashes and any letter case; a
// name that is absolute or climbs out with ".." fails with InvalidName.
//
// Reply layouts: catalogueentry.h (ListCourses), lessonlistentry.h (ListLessons),
// courserefanswer.h (ResolveCourseRef), courseheader.h (ReadCourseHeader).

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// Tutorial files larger than this are refused (NotEnoughMemory): no course, slide show,
// picture or code table comes near it.
constexpr size_t kMaxTutorialFile = size_t{64} << 20;

// At most this many course files are taken from one category folder.
constexpr size_t kMaxCoursesPerFolder = 16;

// The lesson index that asks ResolveCourseRef to find the lesson by name.
constexpr uint32_t kLessonByName = 65535;

// The bytes of "Tutorial\" + name. A file whose first 8 bytes are "[Header]" (ignoring case)
// is an 8-bit course text: it is decoded by the text file reader and answered as UTF-16
// bytes. Everything else (UTF-16 texts, compiled courses, pictures) is answered as it is.
bool ReadTutorialFile(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply);

// The same decoding applied to bytes already read (kftool reads course files by their own
// path): the 8-bit "[Header]" text becomes UTF-16 bytes, anything else is returned as it is.
Bytes DecodeTutorialFileBytes(Bytes bytes);

// The text of "Tutorial\" + name decoded by the text file reader, as UTF-16 bytes without a
// byte order mark; the full stored path in *fullPath when given. A missing file fails with
// FileNotFound.
bool ReadTutorialText(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply,
                      std::u16string* fullPath = nullptr);

// The 2180-byte header record of the course "Tutorial\" + name, loaded as TutorialCourse
// loads it (either form); fails as LoadCourseFile does.
bool ReadCourseHeader(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply);

// The catalogue: for every sub-folder of Tutorial whose name does not start with ".", the
// first 16 "*.btf" files in directory order; those that load, whose layout type is 255 or
// equals layoutFilter, and whose for-hand value is 255 or equals handFilter, become one
// 1568-byte CatalogueEntry each. A negative filter accepts every value. The ordinal and the
// separator line come from the course order file (the course file name up to its first
// "." followed by ".ini", section "General", keys "Ordinal" and "Line"; missing keys are
// written into an existing file with 0). Entries are sorted by ordinal, ascending; courses
// of equal ordinal keep their directory order. Fails only when Tutorial cannot be listed.
bool ListCourses(std::u16string_view dataFolder, int32_t layoutFilter, int32_t handFilter, Bytes& reply);

// The path (relative to Tutorial) of the first course in directory order that ListCourses
// would keep for the filters and whose name equals name ignoring case. False with NotFound
// when there is none.
bool FindCourse(std::u16string_view dataFolder, int32_t layoutFilter, int32_t handFilter,
                std::u16string_view name, std::u16string& path);

// The 1052-byte LessonListEntry of every lesson i of the course at coursePath for which
// (includeHidden or its Type is not 1) and (its FitMode AND offerMask) is not zero, in course
// order. A course without such lessons answers an empty reply (success).
bool ListLessons(std::u16string_view dataFolder, std::u16string_view coursePath, uint32_t offerMask,
                 bool includeHidden, Bytes& reply);

// The 1580-byte CourseRefAnswer.
// Kind 1: course is a course name; FindCourse with the filters; the answer holds its path
// and name, or kind 0 when no course has that name (still a success, so the caller can show
// its own "no such course" message).
// Kind 2: course is a course path; the lesson is the first whose index byte equals
// lessonIndex, or, when lessonIndex is kLessonByName, the first whose name equals
// lessonName ignoring case. No such lesson fails with NotFound; a course that does not load
// fails as LoadCourseFile does. Other kinds fail with InvalidParameter.
bool ResolveCourseRef(std::u16string_view dataFolder, int32_t kind, int32_t layoutFilter,
                      int32_t handFilter, std::u16string_view course, uint32_t lessonIndex,
                      std::u16string_view lessonName, Bytes& reply);

} // namespace kf
