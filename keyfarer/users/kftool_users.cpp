// kftool subcommands on user data files: creating an account as the new-user wizard's finish
// does, dumping a file, appending a result (imports, tests) and exporting the results.
//
//   kftool user create ACCOUNT [--full-name NAME] [--data DIR]
//   kftool user dump FILE [--json]
//   kftool user add-result FILE --kind K --mode M --time MS --hits P --correct C
//                               [--course TEXT] [--lesson TEXT]
//   kftool user export FILE --csv|--json
//
// DIR is the data folder (the one holding "Account"); without --data, the "Data" folder
// beside kftool. Exit codes: 0 done, 1 a file cannot be read, written or is not a user file,
// 64 usage.
#include "kftool/jsonwriter.h"
#include "kftool/toolcommand.h"

#include "platform/clock.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/utf.h"
#include "users/accountname.h"
#include "users/pump_typingdata.h"
#include "users/recordfield.h"
#include "users/userdata.h"
#include "users/userdata_prev_2.h"
#include "users/userstatistics.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kf {
namespace {

int Failure(const std::string& what)
{
    std::fprintf(stderr, "kftool: %s\n", what.c_str());
    return 1;
}

std::string SystemReason()
{
    return ToUtf8(ErrorMessageText(GetLastError()));
}

std::string StoreErrorText(uint32_t storeError)
{
    switch (storeError) {
    case store_err::ShortFile:
        return "error 1, shorter than its header or missing its records";
    case store_err::OpenFailed:
        return "error 2, cannot be opened: " + SystemReason();
    case store_err::ShortHeader:
        return "error 4, its header is cut short";
    case store_err::WalkEnd:
        return "error 9, a record cannot be read";
    case store_err::WrongVersion:
        return "error 11, a user file of another version";
    case store_err::WrongMagic:
        return "error 12, not a user file";
    default:
        return "error " + std::to_string(storeError) + ": " + SystemReason();
    }
}

std::u16string DataFolder(const std::optional<std::string>& option)
{
    if (option)
        return WithTrailingSeparator(FromUtf8(*option));
    return ProgramFolder() + u"Data\\";
}

template <typename T> bool ParseNumber(const std::optional<std::string>& text, T& out, T max)
{
    if (!text)
        return false;
    uint64_t v = 0;
    const char* end = text->data() + text->size();
    const auto r = std::from_chars(text->data(), end, v);
    if (r.ec != std::errc() || r.ptr != end || v > max)
        return false;
    out = static_cast<T>(v);
    return true;
}

// A user file read for the dump and the export: the header of either format, the profile
// (converted from the previous format) and every live record as a current-format record.
struct LoadedUserFile
{
    std::u16string magic;
    uint32_t version = 0;
    uint32_t headerCount = 0;
    uint32_t creationTime = 0;
    uint32_t lastWriteTime = 0;
    CUserProfile profile;
    std::vector<CResultRecord> records;
};

template <typename Db> void TakeHeader(const Db& db, LoadedUserFile& out)
{
    out.magic = db.Magic();
    out.version = db.Version();
    out.headerCount = db.HeaderRecordCount();
    out.creationTime = db.CreationTime();
    out.lastWriteTime = db.LastWriteTime();
}

bool LoadUserFile(const std::string& file, LoadedUserFile& out, std::string& error)
{
    const std::u16string path = FromUtf8(file);
    CUserData current;
    current.SetConvertPrevious(false);
    if (current.Open(path, CMiniDatabase::OpenMode::ReadOnly)) {
        TakeHeader(current, out);
        out.profile = current.Profile();
        const bool ok = current.ScanForward([&](ByteSpan r, int64_t) {
            out.records.emplace_back();
            out.records.back().Assign(r);
            return true;
        });
        if (!ok)
            error = file + ": " + StoreErrorText(current.LastError());
        return ok;
    }
    if (current.LastError() == store_err::WrongVersion) {
        CUserData_Prev_2 previous;
        if (previous.Open(path, CMiniDatabase::OpenMode::ReadOnly)) {
            TakeHeader(previous, out);
            out.profile = CUserData_Prev_2::ConvertProfile(previous.ProfileBytes());
            uint32_t number = 0;
            const bool ok = previous.ScanForward([&](ByteSpan r, int64_t) {
                out.records.push_back(CUserData_Prev_2::ConvertRecord(r, ++number));
                return true;
            });
            if (!ok)
                error = file + ": " + StoreErrorText(previous.LastError());
            return ok;
        }
    }
    error = file + ": " + StoreErrorText(current.LastError());
    return false;
}

std::string DateText(const LocalDateTime& t)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{t.year},
                  unsigned{t.month}, unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute},
                  unsigned{t.second});
    return buf;
}

std::string TimeText(uint32_t seconds)
{
    return DateText(LocalFromSeconds(seconds));
}

std::string StartText(const CResultRecord& r)
{
    return DateText(r.StartTime());
}

// --- kftool user create

int RunUserCreate(tool::Args& args)
{
    const auto fullName = args.TakeOption("full-name");
    const auto data = args.TakeOption("data");
    if (!args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError(
            "usage: kftool user create ACCOUNT [--full-name NAME] [--data DIR]");
    const std::u16string account(TrimBlanks(FromUtf8(args[0])));
    if (!IsValidAccountName(account))
        return Failure(
            "\"" + args[0] +
            "\" is not a valid account name (it is empty or holds one of \\ / \" : * ? < > |)");
    if (account.size() > kMaxAccountNameLength)
        return Failure("\"" + args[0] + "\" is longer than 31 characters");
    const std::u16string name =
        fullName ? std::u16string(TrimBlanks(FromUtf8(*fullName))) : account;
    if (name.empty() || name.size() > kMaxAccountNameLength)
        return Failure("the full name must have 1 to 31 characters");

    CPump_TypingData pump;
    pump.SetDataFolder(DataFolder(data));
    const std::u16string path = pump.Store().UserFilePath(account);
    if (FileExists(path))
        return Failure("an account named \"" + ToUtf8(account) +
                       "\" exists: " + ToUtf8(DisplayPath(path)));
    CUserProfile profile;
    if (!pump.LoadDefaultProfile(profile))
        return Failure("cannot read the default settings " +
                       ToUtf8(DisplayPath(pump.Store().AccountFolder() + u"DefConfig.ini")) + ": " +
                       SystemReason());
    profile.SetAccountName(account);
    profile.SetFullName(name);
    profile.SetPassword(u"");
    profile.SetAccountCreated(static_cast<uint32_t>(SecondsSince1970()));
    if (!pump.CreateUserFile(account, profile))
        return Failure("cannot create " + ToUtf8(DisplayPath(path)) + ": " + SystemReason());
    std::printf("created %s\n", ToUtf8(DisplayPath(path)).c_str());
    return 0;
}

// --- kftool user dump

void PrintFieldText(const uint8_t* image, const RecordField& f)
{
    std::printf("  %s: %s\n", f.name, ToUtf8(FieldText(image, f)).c_str());
}

void JsonField(tool::JsonWriter& j, const uint8_t* image, const RecordField& f)
{
    j.Key(f.name);
    if (IsNumericField(f))
        j.Number(FieldNumber(image, f));
    else
        j.String(FieldText(image, f));
}

int RunUserDump(tool::Args& args)
{
    const bool json = args.TakeFlag("json");
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool user dump FILE [--json]");
    LoadedUserFile f;
    std::string error;
    if (!LoadUserFile(args[0], f, error))
        return Failure(error);
    if (json) {
        tool::JsonWriter j(stdout);
        j.BeginObject();
        j.Key("magic");
        j.String(f.magic);
        j.Key("version");
        j.Number(f.version);
        j.Key("recordCount");
        j.Number(f.headerCount);
        j.Key("creationTime");
        j.Number(f.creationTime);
        j.Key("lastWriteTime");
        j.Number(f.lastWriteTime);
        j.Key("profile");
        j.BeginObject();
        for (const RecordField& field : CUserProfile::Fields())
            JsonField(j, f.profile.data(), field);
        j.EndObject();
        j.Key("records");
        j.BeginArray();
        for (const CResultRecord& r : f.records) {
            j.BeginObject();
            for (const RecordField& field : CResultRecord::Fields())
                JsonField(j, r.data(), field);
            j.EndObject();
        }
        j.EndArray();
        j.EndObject();
        j.Finish();
        return 0;
    }
    std::printf("magic: %s\n", ToUtf8(f.magic).c_str());
    std::printf("version: %u%s\n", f.version,
                f.version == CUserData_Prev_2::kVersion ? " (previous format, shown converted)"
                                                        : "");
    std::printf("records: %u (%zu live)\n", f.headerCount, f.records.size());
    std::printf("created: %u (%s)\n", f.creationTime, TimeText(f.creationTime).c_str());
    std::printf("last write: %u (%s)\n", f.lastWriteTime, TimeText(f.lastWriteTime).c_str());
    std::printf("profile:\n");
    for (const RecordField& field : CUserProfile::Fields())
        PrintFieldText(f.profile.data(), field);
    for (size_t i = 0; i < f.records.size(); ++i) {
        std::printf("record %zu:\n", i);
        for (const RecordField& field : CResultRecord::Fields())
            PrintFieldText(f.records[i].data(), field);
    }
    return 0;
}

// --- kftool user add-result

int RunUserAddResult(tool::Args& args)
{
    const auto kind = args.TakeOption("kind");
    const auto mode = args.TakeOption("mode");
    const auto time = args.TakeOption("time");
    const auto hits = args.TakeOption("hits");
    const auto correct = args.TakeOption("correct");
    const auto course = args.TakeOption("course");
    const auto lesson = args.TakeOption("lesson");
    constexpr const char* kUsage = "usage: kftool user add-result FILE --kind K --mode M --time MS "
                                   "--hits P --correct C [--course TEXT] [--lesson TEXT]";
    uint8_t k = 0, m = 0;
    uint32_t ms = 0, p = 0, c = 0;
    if (!args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 1 ||
        !ParseNumber<uint8_t>(kind, k, 255) || !ParseNumber<uint8_t>(mode, m, 255) ||
        !ParseNumber<uint32_t>(time, ms, 0xFFFFFFFFu) ||
        !ParseNumber<uint32_t>(hits, p, 0xFFFFFFFFu) ||
        !ParseNumber<uint32_t>(correct, c, 0xFFFFFFFFu))
        return tool::UsageError(kUsage);
    if (c > p)
        return tool::UsageError("--correct cannot exceed --hits");

    CPump_TypingData pump;
    const std::u16string path = FromUtf8(args[0]);
    if (!pump.Store().AttachUserFile(path))
        return Failure(args[0] + ": " + StoreErrorText(pump.Store().UserFile().LastError()));
    CResultRecord r;
    r.SetRecordNumber(pump.Store().UserFile().Count() + 1);
    r.SetStartTime(LocalNow());
    r.SetTypingTime(ms);
    r.SetDeskMode(m);
    r.SetEndReason(5); // finished
    r.SetExerciseKind(k);
    if (course)
        r.SetCourseName(FromUtf8(*course));
    if (lesson)
        r.SetLessonName(FromUtf8(*lesson));
    r.SetCharsTyped(p);
    r.SetCharsCorrect(c);
    if (!pump.AppendResult(r))
        return Failure("cannot append to " + args[0] + ": " + SystemReason());
    const uint32_t count = pump.Store().UserFile().Count();
    pump.Store().CloseUserFile();
    std::printf("appended record %u\n", count - 1);
    return 0;
}

// --- kftool user export

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + "\"";
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (ch < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", ch);
                out += buf;
            } else {
                out += static_cast<char>(ch);
            }
        }
    }
    return out + "\"";
}

std::string Fixed2(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

int RunUserExport(tool::Args& args)
{
    const bool csv = args.TakeFlag("csv");
    const bool json = args.TakeFlag("json");
    if (!args.CheckNoUnknownOptions() || args.Count() != 1 || csv == json)
        return tool::UsageError("usage: kftool user export FILE --csv|--json");
    LoadedUserFile f;
    std::string error;
    if (!LoadUserFile(args[0], f, error))
        return Failure(error);
    // The history page's rule: an error factor of 0 counts as 5.
    const uint32_t factor = f.profile.ErrorFactor() == 0 ? 5 : f.profile.ErrorFactor();
    static constexpr const char* kColumns[] = {"start",   "kind",      "mode",    "end_reason",
                                               "course",  "lesson",    "time_ms", "hits",
                                               "correct", "gross_cpm", "net_cpm", "accuracy"};
    if (csv) {
        for (size_t i = 0; i < std::size(kColumns); ++i)
            std::printf("%s%s", i ? "," : "", kColumns[i]);
        std::printf("\n");
    } else {
        std::printf("[");
    }
    for (size_t n = 0; n < f.records.size(); ++n) {
        const CResultRecord& r = f.records[n];
        const ResultFigures fig = ComputeResultFigures(r, factor);
        const std::string values[] = {StartText(r),
                                      std::to_string(r.ExerciseKind()),
                                      std::to_string(r.DeskMode()),
                                      std::to_string(r.EndReason()),
                                      ToUtf8(r.CourseName()),
                                      ToUtf8(r.LessonName()),
                                      std::to_string(r.TypingTime()),
                                      std::to_string(r.CharsTyped()),
                                      std::to_string(r.CharsCorrect()),
                                      Fixed2(fig.grossSpeed),
                                      Fixed2(fig.netSpeed),
                                      Fixed2(fig.accuracy)};
        if (csv) {
            for (size_t i = 0; i < std::size(values); ++i)
                std::printf("%s%s", i ? "," : "", CsvField(values[i]).c_str());
            std::printf("\n");
            continue;
        }
        std::printf("%s\n  {", n ? "," : "");
        for (size_t i = 0; i < std::size(values); ++i) {
            // Texts are quoted; the figures are JSON numbers.
            const bool text = i == 0 || i == 4 || i == 5;
            std::printf("%s\"%s\": %s", i ? ", " : "", kColumns[i],
                        text ? JsonString(values[i]).c_str() : values[i].c_str());
        }
        std::printf("}");
    }
    if (!csv)
        std::printf("%s]\n", f.records.empty() ? "" : "\n");
    return 0;
}

} // namespace

KF_TOOL_COMMAND("user create", "ACCOUNT [--full-name NAME] [--data DIR]", RunUserCreate);
KF_TOOL_COMMAND("user dump", "FILE [--json]", RunUserDump);
KF_TOOL_COMMAND(
    "user add-result",
    "FILE --kind K --mode M --time MS --hits P --correct C [--course TEXT] [--lesson TEXT]",
    RunUserAddResult);
KF_TOOL_COMMAND("user export", "FILE --csv|--json", RunUserExport);

} // namespace kf
