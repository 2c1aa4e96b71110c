#include "localtutorial.h"

#include "content/catalogueentry.h"
#include "content/contentpath.h"
#include "content/courserefanswer.h"
#include "content/lessonlistentry.h"
#include "content/localtutorialdata.h"
#include "content/profilesettings.h"
#include "content/tutorialcourse.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/textfile.h"
#include "platform/utf.h"

#include <algorithm>
#include <functional>

namespace kf {

namespace {

constexpr std::u16string_view kTutorialFolder = u"Tutorial";

bool ResolveName(std::u16string_view dataFolder, std::u16string_view name, std::u16string& path)
{
    if (!IsContainedRelativePath(name)) {
        SetLastError(err::InvalidName);
        return false;
    }
    path = DataPath(dataFolder, kTutorialFolder, name);
    return true;
}

bool StartsWithHeaderLine(ByteSpan bytes)
{
    static constexpr std::string_view kLine = "[header]";
    if (bytes.size() < kLine.size())
        return false;
    for (size_t i = 0; i < kLine.size(); ++i) {
        const char c = static_cast<char>(bytes[i]);
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != kLine[i])
            return false;
    }
    return true;
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view tail)
{
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool Matches(int32_t filter, uint8_t value)
{
    return filter < 0 || value == 255 || value == filter;
}

// Visits, in directory order, every course the catalogue would keep for the filters;
// the visitor returns false to stop. False only when Tutorial cannot be listed.
bool ForEachCourse(std::u16string_view dataFolder, int32_t layoutFilter, int32_t handFilter,
                   bool readOrderFiles,
                   const std::function<bool(const TutorialCourse&, const std::u16string&)>& visit)
{
    const std::u16string tutorial = DataPath(dataFolder, kTutorialFolder);
    std::vector<DirEntry> categories;
    if (!ListDirectory(tutorial, categories))
        return false;
    LocalTutorialData source(dataFolder);
    TutorialCourse course(&source);
    for (const DirEntry& category : categories) {
        if (!category.isDirectory || category.name.starts_with(u'.'))
            continue;
        const std::u16string folder = DataPath(tutorial, category.name);
        std::vector<DirEntry> files;
        if (!ListDirectory(folder, files))
            continue;
        size_t taken = 0;
        for (const DirEntry& file : files) {
            if (file.isDirectory || !EndsWithNoCase(file.name, u".btf"))
                continue;
            if (taken == kMaxCoursesPerFolder)
                break;
            ++taken;
            const std::u16string path = category.name + u"\\" + file.name;
            if (!course.LoadCourseFile(path))
                continue;
            if (readOrderFiles) {
                const std::u16string orderFile =
                    DataPath(folder, file.name.substr(0, file.name.find(u'.')) + u".ini");
                uint32_t ordinal = 0;
                uint8_t line = 0;
                if (FileExists(orderFile)) {
                    ordinal = ReadProfileNumber(orderFile, u"General", u"Ordinal", 0);
                    line = ReadProfileNumber(orderFile, u"General", u"Line", 0) != 0 ? 1 : 0;
                }
                course.SetCatalogueOrder(ordinal, line);
            }
            const CourseHeader& h = course.Header();
            if (!Matches(layoutFilter, h.LayoutType()) || !Matches(handFilter, h.ForHand()))
                continue;
            if (!visit(course, path))
                return true;
        }
    }
    SetLastError(err::Success);
    return true;
}


} // namespace

Bytes DecodeTutorialFileBytes(Bytes bytes)
{
    if (!StartsWithHeaderLine(bytes))
        return bytes;
    return Utf16ToBytes(DecodeText(bytes));
}

bool ReadTutorialFile(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply)
{
    reply.clear();
    std::u16string path;
    if (!ResolveName(dataFolder, name, path))
        return false;
    Bytes bytes;
    if (!ReadWholeFile(path, bytes, kMaxTutorialFile))
        return false;
    reply = DecodeTutorialFileBytes(std::move(bytes));
    return true;
}

bool ReadTutorialText(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply,
                      std::u16string* fullPath)
{
    reply.clear();
    std::u16string path;
    if (!ResolveName(dataFolder, name, path))
        return false;
    if (fullPath)
        *fullPath = path;
    Bytes bytes;
    if (!ReadWholeFile(path, bytes, kMaxTutorialFile))
        return false;
    reply = Utf16ToBytes(DecodeText(bytes));
    return true;
}

bool ReadCourseHeader(std::u16string_view dataFolder, std::u16string_view name, Bytes& reply)
{
    reply.clear();
    LocalTutorialData source(dataFolder);
    TutorialCourse course(&source);
    if (!course.LoadCourseFile(name))
        return false;
    reply.assign(course.Header().bytes().begin(), course.Header().bytes().end());
    return true;
}

bool ListCourses(std::u16string_view dataFolder, int32_t layoutFilter, int32_t handFilter, Bytes& reply)
{
    reply.clear();
    std::vector<CatalogueEntry> entries;
    const bool ok = ForEachCourse(dataFolder, layoutFilter, handFilter, true,
                                  [&entries](const TutorialCourse& course, const std::u16string& path) {
                                      const CourseHeader& h = course.Header();
                                      CatalogueEntry& e = entries.emplace_back();
                                      e.SetU16(CatalogueEntry::kOrdinal, static_cast<uint16_t>(h.Ordinal()));
                                      e.SetText(CatalogueEntry::kName, CatalogueEntry::kTextUnits, h.Name());
                                      e.SetText(CatalogueEntry::kDescription, CatalogueEntry::kTextUnits,
                                                h.Description());
                                      e.SetText(CatalogueEntry::kPath, CatalogueEntry::kTextUnits, path);
                                      e.SetU8(CatalogueEntry::kLayoutType, h.LayoutType());
                                      e.SetU8(CatalogueEntry::kForHand, h.ForHand());
                                      e.SetU8(CatalogueEntry::kSeparatorLine, h.SeparatorLine());
                                      return true;
                                  });
    if (!ok)
        return false;
    std::stable_sort(entries.begin(), entries.end(), [](const CatalogueEntry& a, const CatalogueEntry& b) {
        return a.Ordinal() < b.Ordinal();
    });
    ByteWriter w(reply);
    for (const CatalogueEntry& e : entries)
        w.PutBytes(e.bytes());
    return true;
}

namespace {

bool FindCourseHeader(std::u16string_view dataFolder, int32_t layoutFilter, int32_t handFilter,
                      std::u16string_view name, std::u16string& path, CourseHeader& header)
{
    bool found = false;
    if (!ForEachCourse(dataFolder, layoutFilter, handFilter, false,
                       [&](const TutorialCourse& course, const std::u16string& coursePath) {
                           if (!EqualsNoCase(course.Header().Name(), name))
                               return true;
                           path = coursePath;
                           header = course.Header();
                           found = true;
                           return false;
                       }))
        return false;
    if (!found) {
        SetLastError(err::NotFound);
        return false;
    }
    SetLastError(err::Success);
    return true;
}

} // namespace

bool FindCourse(std::u16string_view dataFolder, int32_t layoutFilter, int32_t handFilter,
                std::u16string_view name, std::u16string& path)
{
    CourseHeader header;
    return FindCourseHeader(dataFolder, layoutFilter, handFilter, name, path, header);
}

bool ListLessons(std::u16string_view dataFolder, std::u16string_view coursePath, uint32_t offerMask,
                 bool includeHidden, Bytes& reply)
{
    reply.clear();
    LocalTutorialData source(dataFolder);
    TutorialCourse course(&source);
    if (!course.LoadCourseFile(coursePath))
        return false;
    ByteWriter w(reply);
    const std::vector<LessonRecord>& lessons = course.Lessons();
    for (size_t i = 0; i < lessons.size(); ++i) {
        const LessonRecord& r = lessons[i];
        if (!includeHidden && r.Type() == LessonRecord::kHiddenType)
            continue;
        if ((r.FitMode() & offerMask) == 0)
            continue;
        LessonListEntry e;
        e.SetU32(LessonListEntry::kIndex, static_cast<uint32_t>(i));
        e.SetU8(LessonListEntry::kLayoutType, course.Header().LayoutType());
        e.SetU8(LessonListEntry::kType, r.Type());
        e.SetU8(LessonListEntry::kFitMode, r.FitMode());
        e.SetU8(LessonListEntry::kNewGroup, r.NewGroup());
        e.SetText(LessonListEntry::kName, LessonListEntry::kTextUnits, r.Name());
        e.SetText(LessonListEntry::kDescription, LessonListEntry::kTextUnits, r.Description());
        w.PutBytes(e.bytes());
    }
    SetLastError(err::Success);
    return true;
}

bool ResolveCourseRef(std::u16string_view dataFolder, int32_t kind, int32_t layoutFilter,
                      int32_t handFilter, std::u16string_view course, uint32_t lessonIndex,
                      std::u16string_view lessonName, Bytes& reply)
{
    reply.clear();
    CourseRefAnswer answer;
    answer.SetI32(CourseRefAnswer::kLessonIndex, -1);
    if (kind == CourseRefAnswer::kCourse) {
        std::u16string path;
        CourseHeader header;
        if (FindCourseHeader(dataFolder, layoutFilter, handFilter, course, path, header)) {
            answer.SetI32(CourseRefAnswer::kKind, CourseRefAnswer::kCourse);
            answer.SetText(CourseRefAnswer::kCoursePath, CourseRefAnswer::kTextUnits, path);
            answer.SetText(CourseRefAnswer::kCourseName, CourseRefAnswer::kTextUnits, header.Name());
        } else if (GetLastError() != err::NotFound) {
            return false;
        }
        reply.assign(answer.bytes().begin(), answer.bytes().end());
        SetLastError(err::Success);
        return true;
    }
    if (kind != CourseRefAnswer::kLesson) {
        SetLastError(err::InvalidParameter);
        return false;
    }
    LocalTutorialData source(dataFolder);
    TutorialCourse loaded(&source);
    if (!loaded.LoadCourseFile(course))
        return false;
    const std::vector<LessonRecord>& lessons = loaded.Lessons();
    int32_t found = -1;
    for (size_t i = 0; i < lessons.size() && found < 0; ++i) {
        const bool match = lessonIndex != kLessonByName ? lessons[i].Index() == lessonIndex
                                                        : EqualsNoCase(lessons[i].Name(), lessonName);
        if (match)
            found = static_cast<int32_t>(i);
    }
    if (found < 0) {
        SetLastError(err::NotFound);
        return false;
    }
    const LessonRecord& r = lessons[static_cast<size_t>(found)];
    answer.SetI32(CourseRefAnswer::kKind, CourseRefAnswer::kLesson);
    answer.SetI32(CourseRefAnswer::kLessonIndex, found);
    answer.SetU32(CourseRefAnswer::kLessonFlags, uint32_t{r.Type()} | (uint32_t{r.FitMode()} << 16));
    answer.SetText(CourseRefAnswer::kCoursePath, CourseRefAnswer::kTextUnits, course);
    answer.SetText(CourseRefAnswer::kCourseName, CourseRefAnswer::kTextUnits, loaded.Header().Name());
    answer.SetText(CourseRefAnswer::kLessonName, CourseRefAnswer::kTextUnits, r.Name());
    reply.assign(answer.bytes().begin(), answer.bytes().end());
    SetLastError(err::Success);
    return true;
}

} // namespace kf
