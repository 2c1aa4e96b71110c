// kftool subcommands on the string file, settings files and the text file reader.
#include "kftool/toolcommand.h"

#include "content/profilesettings.h"
#include "content/resstring.h"
#include "platform/lasterror.h"
#include "platform/profile.h"
#include "platform/textfile.h"
#include "platform/utf.h"

#include <cstdio>

namespace kf {
namespace {

void PrintUtf8(FILE* out, std::u16string_view text)
{
    const std::string s = ToUtf8(text);
    std::fwrite(s.data(), 1, s.size(), out);
}

// kftool strings FILE KEY [DEFAULT]: 0 found, 1 default used, 2 the file cannot be used.
int RunStrings(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() < 2 || args.Count() > 3)
        return tool::UsageError("usage: kftool strings FILE KEY [DEFAULT]");
    const std::u16string path = FromUtf8(args[0]);
    CResString table;
    if (!table.LoadStringFile(path)) {
        PrintUtf8(stderr, StringFileOpenFailedText(path));
        std::fputc('\n', stderr);
        return 2;
    }
    std::u16string probe;
    if (!table.LookupString(probe, u"type", u"")) {
        PrintUtf8(stderr, StringFileInvalidText(path));
        std::fputc('\n', stderr);
        return 2;
    }
    std::u16string value;
    const bool found = table.LookupString(value, FromUtf8(args[1]), args.Count() == 3 ? FromUtf8(args[2]) : u"");
    PrintUtf8(stdout, value);
    return found ? 0 : 1;
}

// kftool ini read FILE SECTION KEY DEFAULT: the settings convention, default written back.
int RunIniRead(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 4)
        return tool::UsageError("usage: kftool ini read FILE SECTION KEY DEFAULT");
    const std::u16string value = ReadProfileText(FromUtf8(args[0]), FromUtf8(args[1]),
                                                 FromUtf8(args[2]), FromUtf8(args[3]), 32768);
    PrintUtf8(stdout, value);
    return 0;
}

// kftool ini write FILE SECTION KEY VALUE
int RunIniWrite(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 4)
        return tool::UsageError("usage: kftool ini write FILE SECTION KEY VALUE");
    if (!WriteProfileText(FromUtf8(args[0]), FromUtf8(args[1]), FromUtf8(args[2]), FromUtf8(args[3]))) {
        std::fprintf(stderr, "kftool: cannot write %s: ", args[0].c_str());
        PrintUtf8(stderr, ErrorMessageText(GetLastError()));
        std::fputc('\n', stderr);
        return 1;
    }
    return 0;
}

// kftool text FILE: what the text file reader decodes, as UTF-8.
int RunText(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool text FILE");
    std::u16string text;
    if (!ReadTextFile(FromUtf8(args[0]), text)) {
        std::fprintf(stderr, "kftool: cannot read %s: ", args[0].c_str());
        PrintUtf8(stderr, ErrorMessageText(GetLastError()));
        std::fputc('\n', stderr);
        return 1;
    }
    PrintUtf8(stdout, text);
    return 0;
}

KF_TOOL_COMMAND("strings", "FILE KEY [DEFAULT]", RunStrings);
KF_TOOL_COMMAND("ini read", "FILE SECTION KEY DEFAULT", RunIniRead);
KF_TOOL_COMMAND("ini write", "FILE SECTION KEY VALUE", RunIniWrite);
KF_TOOL_COMMAND("text", "FILE", RunText);

} // namespace
} // namespace kf
