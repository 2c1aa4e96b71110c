// kftool subcommands on the exercise engine: the practice text of a lesson, a cut test text,
// a review text, and the figures and grade of typed keys. They run against an installation
// tree: the data folder is the program folder's "Data" unless --data names another.
#include "kftool/toolcommand.h"

#include "content/keyboardlayout.h"
#include "content/locallayouts.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/random.h"
#include "platform/utf.h"
#include "session/localexercisedata.h"
#include "session/paradigmpump.h"
#include "session/resultevaluation.h"
#include "session/typingfigures.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

namespace kf {
namespace {

void Print(FILE* out, std::u16string_view text)
{
    const std::string s = ToUtf8(text);
    std::fwrite(s.data(), 1, s.size(), out);
}

// A generated text as the terminal shows it: carriage returns become line breaks.
void PrintSample(std::u16string_view sample)
{
    std::u16string text(sample);
    for (auto& c : text)
        if (c == u'\r')
            c = u'\n';
    Print(stdout, text);
    if (!text.empty() && text.back() != u'\n')
        std::fputc('\n', stdout);
}

void PrintKindAndPhases(const CParadigmPump& engine)
{
    std::fprintf(stderr, "kind=%d\nphases=", engine.Kind());
    for (size_t i = 0; i < CParadigmPump::kPhases; ++i)
        std::fprintf(stderr, "%s%u", i ? " " : "", engine.PhaseLength(static_cast<int>(i)));
    std::fputc('\n', stderr);
}

int Failed(const std::string& what, const LocalExerciseData* data = nullptr)
{
    const uint32_t code = GetLastError();
    std::fprintf(stderr, "kftool: %s", what.c_str());
    if (data && !data->ErrorKey().empty()) {
        std::fputs(" (", stderr);
        Print(stderr, data->ErrorKey());
        std::fputc(')', stderr);
    }
    if (code != 0) {
        std::fputs(": ", stderr);
        Print(stderr, ErrorMessageText(code));
    }
    std::fputc('\n', stderr);
    return 1;
}

template <typename T>
bool ParseNumber(const std::optional<std::string>& text, T& value)
{
    if (!text)
        return true;
    const char* end = text->data() + text->size();
    const auto r = std::from_chars(text->data(), end, value);
    return r.ec == std::errc() && r.ptr == end;
}

// Stored paths keep backslashes; a path typed with slashes means the same.
std::u16string StoredPath(const std::string& utf8)
{
    std::u16string p = FromUtf8(utf8);
    for (auto& c : p)
        if (c == u'/')
            c = u'\\';
    return p;
}

std::u16string DataFolder(const std::optional<std::string>& option)
{
    if (option)
        return WithTrailingSeparator(FromUtf8(*option));
    return ProgramFolder() + u"Data\\";
}

// The seed fixes the generator; without one the texts follow the clock as in the program.
bool ApplySeed(const std::optional<std::string>& option)
{
    uint32_t seed = 0;
    if (!ParseNumber(option, seed))
        return false;
    SetFixedSeed(option ? std::optional<uint32_t>(seed) : std::nullopt);
    return true;
}

// kftool lesson COURSE LESSON [--layout FILE] [--practice-type N] [--seed S] [--size N]
//                             [--data DIR]
// LESSON is a lesson name or its number; --size is the "GenerateSize" a lesson asks for.
int RunLesson(tool::Args& args)
{
    const auto layoutName = args.TakeOption("layout");
    const auto practiceType = args.TakeOption("practice-type");
    const auto seed = args.TakeOption("seed");
    const auto sizeOption = args.TakeOption("size");
    const auto data = args.TakeOption("data");
    int practice = 0;
    uint32_t size = 4096;
    if (!args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 2 ||
        !ParseNumber(practiceType, practice) || !ParseNumber(sizeOption, size) || !ApplySeed(seed))
        return tool::UsageError("usage: kftool lesson COURSE LESSON [--layout FILE] "
                                "[--practice-type N] [--seed S] [--size N] [--data DIR]");
    const std::u16string folder = DataFolder(data);
    LocalExerciseData supplier(folder);
    CParadigmPump engine(&supplier);
    engine.SetPracticeTypeIs1(practice == 1);

    CKeyboardLayout layout;
    layout.ResetToDefaultLayout();
    if (layoutName) {
        std::u16string name = FromUtf8(*layoutName);
        if (name.size() > 4 && EqualsNoCase(std::u16string_view(name).substr(name.size() - 4), u".kbl"))
            name.resize(name.size() - 4);
        Bytes image;
        if (!LocalLoadKeyboardLayout(folder, name, 0, image))
            return Failed("cannot load the layout " + *layoutName);
        if (!layout.LoadLayoutImage(image, true)) {
            SetLastError(err::InvalidData);
            return Failed("not a keyboard layout: " + *layoutName);
        }
    }
    engine.SetKeyTables(layout);

    bool standard = true;
    std::u16string courseLayout;
    if (!engine.LoadCourse(StoredPath(args[0]), standard, courseLayout))
        return Failed("cannot load the course " + args[0], &supplier);

    int32_t index = -1;
    const std::u16string lessonName = FromUtf8(args[1]);
    if (!engine.FindLesson(lessonName, index)) {
        uint32_t number = 0;
        if (ParseNumber(std::optional<std::string>(args[1]), number) && number < engine.LessonCount())
            index = static_cast<int32_t>(number);
    }
    const LessonRecord* lesson = engine.Course().Lesson(index);
    if (!lesson) {
        SetLastError(err::NotFound);
        return Failed("no lesson " + args[1] + " in " + args[0]);
    }
    const size_t requested = LessonSizeFromOption(size);
    bool made = false;
    switch (lesson->Type()) {
    case 1:
        SetLastError(0);
        return Failed("lesson " + args[1] + " is a slide show without practice text");
    case 3:
        made = engine.MakeSentenceText(index, requested);
        break;
    default: // 0, and the practice after the slides of 2
        made = standard ? engine.MakePhaseText(index, requested) : engine.MakeKeyDrillText(index, requested);
        break;
    }
    if (!made)
        return Failed("no practice text for lesson " + args[1], &supplier);
    PrintSample(engine.Sample());
    PrintKindAndPhases(engine);
    return 0;
}

// kftool test CATEGORY\TITLE --size N --type T [--seed S] [--two-space 0|1] [--data DIR]
int RunTest(tool::Args& args)
{
    const auto sizeOption = args.TakeOption("size");
    const auto typeOption = args.TakeOption("type");
    const auto seed = args.TakeOption("seed");
    const auto twoSpace = args.TakeOption("two-space");
    const auto data = args.TakeOption("data");
    uint32_t size = 0;
    int type = 0;
    int keepDouble = 0;
    if (!args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 1 || !sizeOption ||
        !typeOption || !ParseNumber(sizeOption, size) || !ParseNumber(typeOption, type) ||
        !ParseNumber(twoSpace, keepDouble) || keepDouble < 0 || keepDouble > 1 || type < 0 || !ApplySeed(seed))
        return tool::UsageError("usage: kftool test CATEGORY\\TITLE --size N --type T [--seed S] "
                                "[--two-space 0|1] [--data DIR]");
    LocalExerciseData supplier(DataFolder(data));
    CParadigmPump engine(&supplier);
    if (!engine.OpenTestDocument(StoredPath(args[0]), keepDouble == 1))
        return Failed("cannot open the test " + args[0], &supplier);
    std::u16string caption;
    if (!engine.LoadTestText(size, type, caption))
        return Failed("no text cut from " + args[0]);
    PrintSample(engine.Sample());
    std::fprintf(stderr, "kind=%d\ncaption=", engine.Kind());
    Print(stderr, caption);
    std::fputc('\n', stderr);
    return 0;
}

// kftool review CHARS --size N [--seed S] [--data DIR]
// N is the review's "GenerateSize" (0, 1, 2 the list sizes, at least 20, at most 24000).
int RunReview(tool::Args& args)
{
    const auto sizeOption = args.TakeOption("size");
    const auto seed = args.TakeOption("seed");
    const auto data = args.TakeOption("data");
    uint32_t size = 0;
    if (!args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 1 || !sizeOption ||
        !ParseNumber(sizeOption, size) || !ApplySeed(seed))
        return tool::UsageError("usage: kftool review CHARS --size N [--seed S] [--data DIR]");
    LocalExerciseData supplier(DataFolder(data));
    CParadigmPump engine(&supplier);
    std::u16string layout;
    if (!engine.MakeReviewText(FromUtf8(args[0]), ReviewSizeFromOption(size), {}, layout, u""))
        return Failed("no review text for the characters " + args[0], &supplier);
    PrintSample(engine.Sample());
    PrintKindAndPhases(engine);
    return 0;
}

// "\b" backspace, "\r" and "\n" Enter, "\t" tab, "\\" a backslash; anything else as written.
std::u16string Unescape(const std::string& utf8)
{
    const std::u16string in = FromUtf8(utf8);
    std::u16string out;
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != u'\\' || i + 1 == in.size()) {
            out += in[i];
            continue;
        }
        switch (in[++i]) {
        case u'b':
            out += u'\b';
            break;
        case u'r':
        case u'n':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'\\':
            out += u'\\';
            break;
        default:
            out += u'\\';
            out += in[i];
        }
    }
    return out;
}

// kftool judge --sample TEXT --keys KEYS [--no-backspace] [--no-error-key] [--factor F]
//              [--time MS] [--wpm] [--pass P] [--full F] [--pass-accuracy A] [--kind K]
//              [--level L]
int RunJudge(tool::Args& args)
{
    const auto sample = args.TakeOption("sample");
    const auto keys = args.TakeOption("keys");
    const bool noBackspace = args.TakeFlag("no-backspace");
    const bool noErrorKey = args.TakeFlag("no-error-key");
    const bool wpm = args.TakeFlag("wpm");
    ResultInput in;
    in.elapsedMs = 60000;
    in.kind = kind::kLesson;
    const bool numbers = ParseNumber(args.TakeOption("factor"), in.errorFactor) &&
                         ParseNumber(args.TakeOption("time"), in.elapsedMs) &&
                         ParseNumber(args.TakeOption("pass"), in.pass) &&
                         ParseNumber(args.TakeOption("full"), in.fullmark) &&
                         ParseNumber(args.TakeOption("pass-accuracy"), in.passAccuracy) &&
                         ParseNumber(args.TakeOption("kind"), in.kind) &&
                         ParseNumber(args.TakeOption("level"), in.lessonLevel);
    if (!numbers || !args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 0 ||
        !sample || !keys || in.elapsedMs < 0 || in.errorFactor < 0)
        return tool::UsageError("usage: kftool judge --sample TEXT --keys KEYS [--no-backspace] "
                                "[--no-error-key] [--factor F] [--time MS] [--wpm] [--pass P] "
                                "[--full F] [--pass-accuracy A] [--kind K] [--level L]");
    CParadigmPump engine;
    if (in.kind == kind::kFreeTyping)
        engine.PrepareFreeTyping(static_cast<uint32_t>(CParadigmPump::kMaxLength));
    else
        engine.InstallText(Unescape(*sample), in.kind, 0);
    engine.SetAllowBackspace(!noBackspace);
    engine.SetAllowErrorKey(!noErrorKey);
    for (char16_t ch : Unescape(*keys)) {
        char16_t expected = 0;
        uint32_t position = 0;
        bool error = false;
        if (engine.JudgeKey(ch, expected, position, error) == JudgeResult::Complete && position == engine.Length())
            break;
    }

    const int64_t p = engine.Position();
    const int64_t c = in.kind == kind::kFreeTyping ? p : engine.Correct();
    const int64_t t = in.elapsedMs;
    const double gross = GrossSpeed(p, t);
    const double net = NetSpeed(p, c, in.errorFactor, t);
    std::printf("position=%lld\ncorrect=%lld\nerrors=%lld\n", static_cast<long long>(p),
                static_cast<long long>(c), static_cast<long long>(ErrorHits(p, c)));
    std::printf("gross=%lld\nnet=%lld\n", static_cast<long long>(ShownValue(wpm ? WordsPerMinute(gross) : gross)),
                static_cast<long long>(ShownValue(wpm ? WordsPerMinute(net) : net)));
    std::printf("wpm_gross=%lld\nwpm_net=%lld\n", static_cast<long long>(ShownValue(WordsPerMinute(gross))),
                static_cast<long long>(ShownValue(WordsPerMinute(net))));
    std::printf("accuracy=%.1f\n", Accuracy(p, c, in.errorFactor));

    in.totalHits = p;
    in.correctHits = c;
    in.wordsPerMinute = wpm;
    const ResultGrade grade = EvaluateResult(in);
    RecommendationInput r;
    r.mode = IsTestKind(in.kind) || in.kind == kind::kFreeTyping ? desk_mode::kTest
             : in.kind == kind::kReview || in.kind == kind::kCourseReview ? desk_mode::kReview
                                                                          : desk_mode::kLesson;
    r.kind = in.kind;
    r.nextLessonExists = true;
    r.gradeValue = grade.gradeValue;
    std::fputs("comment=", stdout);
    Print(stdout, grade.commentKey);
    std::printf("\nrecommendation=%d\n", Recommend(r).preselected);
    return 0;
}

KF_TOOL_COMMAND("lesson", "COURSE LESSON [--layout FILE] [--practice-type N] [--seed S] [--size N] [--data DIR]", RunLesson);
KF_TOOL_COMMAND("test", "CATEGORY\\TITLE --size N --type T [--seed S] [--two-space 0|1] [--data DIR]", RunTest);
KF_TOOL_COMMAND("review", "CHARS --size N [--seed S] [--data DIR]", RunReview);
KF_TOOL_COMMAND("judge", "--sample TEXT --keys KEYS [--no-backspace] [--no-error-key] [--factor F] [--time MS] [--wpm] [--pass P] [--full F] [--pass-accuracy A] [--kind K] [--level L]", RunJudge);

} // namespace
} // namespace kf
