// kftool subcommands on course files, slide shows and the test text library.
#include "kftool/jsonwriter.h"
#include "kftool/toolcommand.h"

#include "content/data_extralesson.h"
#include "content/localtutorial.h"
#include "content/localtutorialdata.h"
#include "content/resstring.h"
#include "content/testcategoryitem.h"
#include "content/testlibrary.h"
#include "content/testtextitem.h"
#include "content/tutorialcourse.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/textfile.h"
#include "platform/utf.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace kf {
namespace {

void PrintUtf8(FILE* out, std::u16string_view text)
{
    const std::string s = ToUtf8(text);
    std::fwrite(s.data(), 1, s.size(), out);
}

int ReportFailure(const std::string& what)
{
    std::fprintf(stderr, "kftool: %s: ", what.c_str());
    PrintUtf8(stderr, ErrorMessageText(GetLastError()));
    std::fputc('\n', stderr);
    return 1;
}

const char* CourseErrorText(uint32_t number)
{
    switch (number) {
    case TutorialCourse::kErrShortData:
        return "the compiled data is shorter than its lessons require (error 4)";
    case TutorialCourse::kErrNoTag:
        return "not a course: the tag \"KBTRAIN\" is missing (error 5)";
    case TutorialCourse::kErrNoLessons:
        return "the course has no lessons (error 6)";
    case TutorialCourse::kErrNoMemory:
        return "the course declares too many lessons (error 7)";
    default:
        return nullptr;
    }
}

bool LoadCourseArg(const std::string& file, TutorialCourse& course, bool& compiled)
{
    Bytes bytes;
    if (!ReadWholeFile(FromUtf8(file), bytes, kMaxTutorialFile)) {
        ReportFailure("cannot read " + file);
        return false;
    }
    bytes = DecodeTutorialFileBytes(std::move(bytes));
    compiled = bytes.size() >= CourseHeader::kSize && CourseHeader::StartsWithTag(bytes);
    if (course.LoadCourseData(bytes, FromUtf8(file)))
        return true;
    if (const char* why = CourseErrorText(course.ErrorNumber()))
        std::fprintf(stderr, "kftool: %s: %s\n", file.c_str(), why);
    else
        ReportFailure(file);
    return false;
}

// One key of a dump: a text or a number.
struct Field
{
    std::string key;
    bool isText = false;
    std::u16string text;
    int64_t number = 0;
};
using Fields = std::vector<Field>;

void AddText(Fields& f, const char* key, std::u16string text)
{
    f.push_back({key, true, std::move(text), 0});
}

void AddNumber(Fields& f, const char* key, int64_t n)
{
    f.push_back({key, false, {}, n});
}

template <typename T>
std::u16string JoinNumbers(const std::vector<T>& values)
{
    std::string s;
    for (const T v : values) {
        if (!s.empty())
            s += ' ';
        s += std::to_string(static_cast<int>(v));
    }
    return FromUtf8(s);
}

void PrintIniSection(const std::string& section, const Fields& fields)
{
    std::printf("[%s]\n", section.c_str());
    for (const Field& f : fields) {
        std::printf("%s=", f.key.c_str());
        if (f.isText)
            PrintUtf8(stdout, f.text);
        else
            std::printf("%lld", static_cast<long long>(f.number));
        std::fputc('\n', stdout);
    }
}

void PrintJsonFields(tool::JsonWriter& j, const Fields& fields)
{
    for (const Field& f : fields) {
        j.Key(f.key);
        if (f.isText)
            j.String(f.text);
        else
            j.Number(f.number);
    }
}

Fields HeaderFields(const CourseHeader& h)
{
    Fields f;
    AddText(f, "Tag", h.Tag());
    AddText(f, "Name", h.Name());
    AddNumber(f, "LessonCount", h.LessonCount());
    AddNumber(f, "Version", h.Version());
    AddNumber(f, "TrainType", h.TrainType());
    AddNumber(f, "KeyboardLayoutType", h.LayoutType());
    AddNumber(f, "ForHand", h.ForHand());
    AddText(f, "Code_File", h.CodeFile());
    AddText(f, "Description", h.Description());
    AddText(f, "KeyboardLayout_File", h.KeyboardFile());
    AddText(f, "Special_FontName", h.FontName());
    AddNumber(f, "ForbidWordTips", h.ForbidWordTips());
    return f;
}

Fields LessonFields(const TutorialCourse& course, const LessonRecord& r)
{
    Fields f;
    AddNumber(f, "Index", r.Index());
    AddText(f, "Name", r.Name());
    AddText(f, "Description", r.Description());
    AddText(f, "KeysDescription", r.KeysDescription());
    AddText(f, "ExtraFile", r.ExtraFile());
    AddText(f, "PrenoticeMessage", r.PrenoticeMessage());
    AddNumber(f, "Level", r.Level());
    AddNumber(f, "WordSize", r.WordSize());
    AddNumber(f, "WordRepeat", r.WordRepeat());
    AddNumber(f, "PracticePhaseType", r.PracticePhaseType());
    AddNumber(f, "GenerateType", r.GenerateType());
    AddNumber(f, "Type", r.Type());
    AddNumber(f, "FitMode", r.FitMode());
    AddNumber(f, "NewGroup", r.NewGroup());
    AddNumber(f, "NoEnterKey", r.NoEnterKey());
    AddNumber(f, "IsNumpad", r.IsNumpad());
    AddNumber(f, "AllowNext", r.AllowNext());
    AddNumber(f, "AllowShift", r.AllowShift());
    AddNumber(f, "ShowScreenKb", r.ShowScreenKb());
    AddNumber(f, "ContentSize", r.ContentSize());
    AddNumber(f, "StdDisplaySize", r.StdDisplaySize());
    AddNumber(f, "StdFontSize", r.StdFontSize());
    switch (course.KeyDataOf(r)) {
    case TutorialCourse::KeyData::RowIndexes:
        AddText(f, "RowIndex", JoinNumbers(r.RowIndexes()));
        break;
    case TutorialCourse::KeyData::TrainChars:
        AddText(f, "TrainChars", r.TrainChars());
        break;
    case TutorialCourse::KeyData::KeyIndexes:
        AddText(f, "KeyIndex", JoinNumbers(r.KeyIndexes()));
        break;
    }
    return f;
}

// kftool course compile IN OUT: 0 written, 1 the course does not load or OUT cannot be written.
int RunCourseCompile(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 2)
        return tool::UsageError("usage: kftool course compile IN OUT");
    TutorialCourse course;
    bool compiled = false;
    if (!LoadCourseArg(args[0], course, compiled))
        return 1;
    const Bytes image = course.CompiledImage();
    if (!WriteFileAtomic(FromUtf8(args[1]), image))
        return ReportFailure("cannot write " + args[1]);
    return 0;
}

// kftool course dump FILE [--json]: the header and every lesson field, in the keys of the text
// form (a readable INI-style text) or as JSON.
int RunCourseDump(tool::Args& args)
{
    const bool json = args.TakeFlag("json");
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool course dump FILE [--json]");
    TutorialCourse course;
    bool compiled = false;
    if (!LoadCourseArg(args[0], course, compiled))
        return 1;
    const char* form = compiled ? "compiled" : "text";
    if (!json) {
        std::printf("; %s form\n", form);
        PrintIniSection("Header", HeaderFields(course.Header()));
        for (uint32_t i = 0; i < course.LessonCount(); ++i) {
            std::fputc('\n', stdout);
            PrintIniSection("Lesson_" + std::to_string(i), LessonFields(course, *course.Lesson(i)));
        }
        return 0;
    }
    tool::JsonWriter j(stdout);
    j.BeginObject();
    j.Key("form");
    j.String(std::string_view(form));
    j.Key("header");
    j.BeginObject();
    PrintJsonFields(j, HeaderFields(course.Header()));
    j.EndObject();
    j.Key("lessons");
    j.BeginArray();
    for (const LessonRecord& r : course.Lessons()) {
        j.BeginObject();
        PrintJsonFields(j, LessonFields(course, r));
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    j.Finish();
    return 0;
}

// The data folder above a file in its Tutorial folder ("…/Data/Tutorial/x/y.sld" → "…/Data/").
std::u16string DataFolderAbove(const std::string& file)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(file, ec).parent_path();
    while (!p.empty() && p != p.root_path()) {
        if (EqualsNoCase(FromUtf8(p.filename().string()), u"Tutorial"))
            return WithTrailingSeparator(FromUtf8(p.parent_path().string()));
        p = p.parent_path();
    }
    return {};
}

Fields FrameFields(const SlideFrame& f)
{
    Fields out;
    AddNumber(out, "Frame", f.fileNumber);
    AddNumber(out, "PartCount", f.partCount);
    AddNumber(out, "TimeInterval", f.timeInterval);
    AddNumber(out, "FillBackgnd", f.fillBackground);
    AddNumber(out, "BackColor", f.backColor);
    return out;
}

std::u16string PictureText(const SlidePart& p)
{
    if (!p.picture)
        return u"not loaded";
    return FromUtf8(std::to_string(p.picture->Width()) + "x" + std::to_string(p.picture->Height()));
}

Fields PartFields(const SlidePart& p)
{
    Fields out;
    AddNumber(out, "Type", p.type);
    AddNumber(out, "TimeInterval", p.timeInterval);
    AddNumber(out, "left", p.left);
    AddNumber(out, "top", p.top);
    AddNumber(out, "right", p.right);
    AddNumber(out, "bottom", p.bottom);
    if (p.type == SlidePart::kText) {
        AddNumber(out, "Opacity", p.opaque);
        AddNumber(out, "DrawFormat", p.drawFormat);
        AddNumber(out, "Effects", p.effects);
        AddNumber(out, "MarginLeft", p.marginLeft);
        AddNumber(out, "MarginTop", p.marginTop);
        AddText(out, "Font_Face", p.fontFace);
        AddNumber(out, "Font_Size", p.fontSize);
        AddNumber(out, "Font_Bold", p.bold);
        AddNumber(out, "Font_Italic", p.italic);
        AddNumber(out, "BackColor", p.backColor);
        AddNumber(out, "Color", p.textColor);
        AddText(out, "Text", p.text);
    } else if (p.type == SlidePart::kPicture) {
        AddNumber(out, "ViewType", p.viewType);
        AddNumber(out, "Effects", p.effects);
        AddText(out, "ImageFile", p.imageFile);
        AddText(out, "Picture", PictureText(p));
    } else if (p.type == SlidePart::kRectangle) {
        AddNumber(out, "Border", p.border);
        AddNumber(out, "Color_Border", p.borderColor);
        AddNumber(out, "Color_Back", p.backColor);
    }
    return out;
}

// kftool slide dump FILE [--json] [--data DIR]: the frames and parts of a slide show.
// Pictures are read from the Tutorial folder of DIR, or of the data folder the file lies in.
int RunSlideDump(tool::Args& args)
{
    const bool json = args.TakeFlag("json");
    const std::optional<std::string> dataOption = args.TakeOption("data");
    if (!args.Error().empty())
        return tool::UsageError(args.Error());
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool slide dump FILE [--json] [--data DIR]");
    Bytes bytes;
    if (!ReadWholeFile(FromUtf8(args[0]), bytes, kMaxTutorialFile))
        return ReportFailure("cannot read " + args[0]);
    CData_ExtraLesson slides;
    slides.SetSlideData(Utf16ToBytes(DecodeText(bytes)));
    const std::u16string dataFolder = dataOption ? WithTrailingSeparator(FromUtf8(*dataOption)) : DataFolderAbove(args[0]);
    LocalTutorialData pictures(dataFolder);
    if (!slides.ParseSlides(dataFolder.empty() ? nullptr : &pictures)) {
        std::fprintf(stderr, "kftool: %s: not a slide show (the tag \"KY_SLIDE\" is missing)\n", args[0].c_str());
        return 1;
    }
    Fields header;
    AddText(header, "TAG", slides.Tag());
    AddText(header, "Desc", slides.Description());
    AddNumber(header, "FrameCount", slides.FrameCount());
    if (!json) {
        PrintIniSection("Header", header);
        for (int32_t i = 0; i < slides.FrameCount(); ++i) {
            const SlideFrame& f = *slides.Frame(i);
            std::fputc('\n', stdout);
            PrintIniSection("Frame_" + std::to_string(f.fileNumber), FrameFields(f));
            for (int32_t p = 0; p < f.partCount; ++p)
                PrintIniSection("Part_" + std::to_string(f.fileNumber) + "_" + std::to_string(p),
                                PartFields(*slides.Part(i, p)));
        }
        return 0;
    }
    tool::JsonWriter j(stdout);
    j.BeginObject();
    j.Key("header");
    j.BeginObject();
    PrintJsonFields(j, header);
    j.EndObject();
    j.Key("frames");
    j.BeginArray();
    for (int32_t i = 0; i < slides.FrameCount(); ++i) {
        const SlideFrame& f = *slides.Frame(i);
        j.BeginObject();
        PrintJsonFields(j, FrameFields(f));
        j.Key("parts");
        j.BeginArray();
        for (int32_t p = 0; p < f.partCount; ++p) {
            j.BeginObject();
            PrintJsonFields(j, PartFields(*slides.Part(i, p)));
            j.EndObject();
        }
        j.EndArray();
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    j.Finish();
    return 0;
}

// kftool test list [CATEGORY] --data DIR: the categories of the test text library (name,
// number of texts, test type, information line), or the texts of one category (title and
// information line), one per line separated by tabs.
int RunTestList(tool::Args& args)
{
    const std::optional<std::string> data = args.TakeOption("data");
    if (!args.Error().empty())
        return tool::UsageError(args.Error());
    if (!data || !args.CheckNoUnknownOptions() || args.Count() > 1)
        return tool::UsageError("usage: kftool test list [CATEGORY] --data DIR");
    const std::u16string dataFolder = WithTrailingSeparator(FromUtf8(*data));
    // The information lines use the installation's own wording when its string file is there.
    CResString strings;
    strings.LoadStringFile(dataFolder + u"..\\SysDat\\StringRes.txt");
    Bytes reply;
    if (args.Count() == 0) {
        const std::u16string pattern = strings.Get(u"IDS_FORMAT_FOLDERINFO", u"Texts: %d, sub-folders: %d");
        if (!ListTestCategories(dataFolder, pattern, reply))
            return ReportFailure("cannot list the test categories");
        for (size_t off = 0; off + TestCategoryItem::kSize <= reply.size(); off += TestCategoryItem::kSize) {
            TestCategoryItem item;
            item.Assign(ByteSpan(reply).subspan(off, TestCategoryItem::kSize));
            PrintUtf8(stdout, item.Name());
            std::printf("\t%u\t%u\t", item.TextCount(), item.TestType());
            PrintUtf8(stdout, item.Info());
            std::fputc('\n', stdout);
        }
        return 0;
    }
    const std::u16string pattern = strings.Get(u"IDS_FORMAT_FILEINFO", u"%d KB, %s");
    if (!ListTestTexts(dataFolder, FromUtf8(args[0]), pattern, reply))
        return ReportFailure("cannot list the texts of " + args[0]);
    for (size_t off = 0; off + TestTextItem::kSize <= reply.size(); off += TestTextItem::kSize) {
        TestTextItem item;
        item.Assign(ByteSpan(reply).subspan(off, TestTextItem::kSize));
        PrintUtf8(stdout, item.Title());
        std::fputc('\t', stdout);
        PrintUtf8(stdout, item.Info());
        std::fputc('\n', stdout);
    }
    return 0;
}

KF_TOOL_COMMAND("course compile", "IN OUT", RunCourseCompile);
KF_TOOL_COMMAND("course dump", "FILE [--json]", RunCourseDump);
KF_TOOL_COMMAND("slide dump", "FILE [--json] [--data DIR]", RunSlideDump);
KF_TOOL_COMMAND("test list", "[CATEGORY] --data DIR", RunTestList);

} // namespace
} // namespace kf
