#pragma once

// TutorialCourse: one course of the Tutorial folder, loaded from either of its two forms.
//
// Compiled form: the 2180-byte CourseHeader (tag "KBTRAIN" + NUL at offset 0) followed by
// lesson count x 2766-byte LessonRecord, nothing else (courseheader.h, lessonrecord.h).
//
// Text form: UTF-16 little-endian (byte order mark optional), or 8-bit text starting with
// "[Header]" that the reader has already turned into UTF-16. Read with the section text
// reader. Section "Header":
//
//   key                  default  stored as
//   Tag                  ""       must be "KBTRAIN"
//   Name                 ""       259 characters
//   LessonCount          0        0 is invalid
//   Version              0        16 bits
//   TrainType            0        8 bits; 3 = own characters and keyboard (TrainChars)
//   KeyboardLayoutType   0        0..5 or 255 (any); other values become 0
//   ForHand              0        8 bits; 255 = any
//   Code_File            ""       259 characters; "$system$" = the platform's input method
//   Description          ""       259 characters
//   KeyboardLayout_File  ""       259 characters
//   Special_FontName     ""       31 characters
//   ForbidWordTips       0        0/1
//
// Section "Lesson_" + i for each lesson i (decimal, from 0):
//
//   key                default  stored as
//   Name               ""       63 characters
//   Description, KeysDescription, ExtraFile, PrenoticeMessage
//                      ""       259 characters each
//   Level              0        8 bits
//   WordSize           4        0..6; any other value becomes 4
//   WordRepeat         0        8 bits
//   PracticePhaseType  31       8 bits
//   GenerateType       1        8 bits
//   Type               0        0..3; any other value becomes 0
//   FitMode            3        8 bits
//   NewGroup           0        0/1
//   NoEnterKey         1        0/1
//   IsNumpad           0        0/1
//   AllowNext          1        0/1
//   AllowShift         1        0/1
//   ShowScreenKb       1        0/1
//   ContentSize        1        8 bits
//   StdDisplaySize     -1       only for Type 3; 8 bits (-1 = 255); otherwise 255
//   StdFontSize        100      only for Type 3; 8 bits; otherwise 100
//   RowIndex           ""       only for Type 3: numbers split at runs of spaces, empty items
//                               skipped, at most 255 kept, then -1
//   TrainChars         ""       course TrainType 3 and lesson Type not 3: up to 511
//                               characters read, blanks trimmed, 255 kept
//   KeyIndex           ""       all other lessons: numbers split at single spaces (two
//                               adjacent spaces give a 0), each stored as a byte, 63 kept,
//                               then 255
//
// The flags are stored as 0 or 1 so that a value such as 256 keeps meaning "on" in its byte.

#include "content/courseheader.h"
#include "content/lessonrecord.h"
#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

class CPump_TutorialDataBase;

class TutorialCourse
{
public:
    // The course's own error numbers (ErrorNumber()); the last-error value is set too
    // (InvalidData for 4 and 5, NoMoreItems for 6, NotEnoughMemory for 7).
    static constexpr uint32_t kErrShortData = 4;   // compiled data shorter than its lessons
    static constexpr uint32_t kErrNoTag = 5;       // tag missing or not "KBTRAIN"
    static constexpr uint32_t kErrNoLessons = 6;   // lesson count 0
    static constexpr uint32_t kErrNoMemory = 7;    // no room for the lesson records

    // Courses declaring more lessons than this are refused with error 7: the lesson index is
    // one byte and no course comes near it, while a count taken on trust from a few bytes of
    // text would reserve gigabytes.
    static constexpr uint32_t kMaxLessons = 1024;

    // The source answers ReadTutorialFile and ReadTutorialText; without one only
    // LoadCourseData works.
    explicit TutorialCourse(CPump_TutorialDataBase* source = nullptr);

    void SetSource(CPump_TutorialDataBase* source) { m_source = source; }

    // Loads the course "Tutorial\" + path through the source (ReadTutorialFile). On failure
    // the previous course stays and ErrorNumber() tells why; a failed read leaves the
    // source's last-error value as the error number.
    bool LoadCourseFile(std::u16string_view path);

    // Loads a course from the bytes of either form (an 8-bit text must already be UTF-16).
    // path becomes the course path (for CodeTablePath and the like). Same failure contract.
    bool LoadCourseData(ByteSpan data, std::u16string_view path = {});

    // Empties the course (header zeroed, no lessons).
    void Clear();

    uint32_t ErrorNumber() const { return m_error; }
    const std::u16string& CoursePath() const { return m_path; }
    const CourseHeader& Header() const { return m_header; }
    // Sets the catalogue fields of the header (from the course order file).
    void SetCatalogueOrder(uint32_t ordinal, uint8_t separatorLine);

    uint32_t LessonCount() const { return static_cast<uint32_t>(m_lessons.size()); }
    const std::vector<LessonRecord>& Lessons() const { return m_lessons; }
    // The record of lesson i, or null when i is out of range.
    const LessonRecord* Lesson(int64_t i) const;
    // The first lesson whose name equals name ignoring case, with its index in *index
    // (-1 when there is none); null when there is none.
    const LessonRecord* FindLessonByName(std::u16string_view name, int32_t* index = nullptr) const;

    // Per-lesson fields; -1 for an index out of range.
    int LessonType(int64_t i) const;
    int LessonFitMode(int64_t i) const;
    int LessonAllowNext(int64_t i) const;
    int LessonAllowShift(int64_t i) const;
    int LessonPracticePhaseType(int64_t i) const;
    int LessonIsNumpad(int64_t i) const;

    // Which form the key data of lesson i has: its Type 3 keeps row indexes, a course of
    // TrainType 3 keeps train characters, everything else key indexes.
    enum class KeyData { KeyIndexes, RowIndexes, TrainChars };
    KeyData KeyDataOf(const LessonRecord& lesson) const;

    // The text of lesson i's ExtraFile through the source's ReadTutorialText. False when the
    // index is out of range, the lesson names no file, or the file cannot be read.
    bool ReadExtraFile(int64_t i, std::u16string& text) const;

    // Folder of the course (its path up to and including the last backslash) + the header's
    // Code_File or KeyboardLayout_File; empty when the header value is empty.
    std::u16string CodeTablePath() const;
    std::u16string CourseKeyboardPath() const;
    // True when Code_File, trimmed, is "$system$" ignoring case.
    bool UsesSystemInputMethod() const;

    // The compiled form of the course: the header followed by every lesson record.
    Bytes CompiledImage() const;

private:
    bool Fail(uint32_t number);
    bool LoadCompiled(ByteSpan data, CourseHeader& header, std::vector<LessonRecord>& lessons);
    bool LoadText(ByteSpan data, CourseHeader& header, std::vector<LessonRecord>& lessons);

    CPump_TutorialDataBase* m_source = nullptr;
    std::u16string m_path;
    CourseHeader m_header;
    std::vector<LessonRecord> m_lessons;
    uint32_t m_error = 0;
};

} // namespace kf
