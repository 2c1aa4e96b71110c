// kftool subcommands on the privileges file "privilege.cfg":
//
//   kftool privileges make OUT [--deny NAME ...]
//       writes a record that grants every function and option group (StartMode 3, which
//       follows each user's own start-up option), less the bits named by --deny (StartMode
//       denied becomes 0, which behaves the same);
//   kftool privileges dump FILE
//       prints every bit as NAME=VALUE in byte and bit order; a bit that the program clears
//       after loading (a category choice without test choice, a course choice without lesson
//       choice) is marked.
//
// Bit names: AllowGames AllowReview AllowTests AllowLessons AllowStatistics AllowOptions
// ShowRankPage ShowHistoryPage (byte 96); EditTypingOptions EditAppearance EditGameOptions
// EditViewOptions EditEstimate EditSpeedUnit EditKeyboardLayout EditPersonalOptions (97);
// SwitchKeySound SwitchMusic AllowDiploma AllowStatPrint ChooseCourse ChooseLesson (98);
// ChooseTestCategory ChooseTest AlwaysSaveTests StartMode AllowChangePassword ShowAccountList
// AllowNewUsers (99). Exit codes: 0 done, 1 the file cannot be read or written or is not a
// privileges file, 64 usage (also an unknown bit name).
#include "kftool/toolcommand.h"

#include "content/privileges.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/utf.h"

#include <cstdio>
#include <string>

namespace kf {
namespace {

std::string BitNames()
{
    std::string names;
    for (const CPrivileges::Bit& b : CPrivileges::Bits())
        names += std::string(names.empty() ? "" : " ") + b.name;
    return names;
}

int RunPrivilegesMake(tool::Args& args)
{
    const std::vector<std::string> denied = args.TakeOptions("deny");
    if (!args.Error().empty() || !args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool privileges make OUT [--deny NAME ...]");
    CPrivileges p = CPrivileges::GrantAll();
    for (const std::string& name : denied) {
        const CPrivileges::Bit* bit = CPrivileges::FindBit(name);
        if (!bit)
            return tool::UsageError("unknown privilege \"" + name +
                                    "\"; the names are: " + BitNames());
        p.Set(*bit, false);
    }
    if (!WriteFileAtomic(FromUtf8(args[0]), p.bytes())) {
        std::fprintf(stderr, "kftool: cannot write %s: %s\n", args[0].c_str(),
                     ToUtf8(ErrorMessageText(GetLastError())).c_str());
        return 1;
    }
    return 0;
}

int RunPrivilegesDump(tool::Args& args)
{
    if (!args.CheckNoUnknownOptions() || args.Count() != 1)
        return tool::UsageError("usage: kftool privileges dump FILE");
    Bytes bytes;
    if (!LoadPrivilegesFile(FromUtf8(args[0]), bytes)) {
        const uint32_t code = GetLastError();
        std::fprintf(stderr, "kftool: %s: %s\n", args[0].c_str(),
                     code == err::InvalidData
                         ? "not a privileges file (shorter than 102 bytes or without the "
                           "KY_PRIVILEGE magic)"
                         : ToUtf8(ErrorMessageText(code)).c_str());
        return 1;
    }
    CPrivileges raw;
    raw.Assign(bytes);
    CPrivileges used = raw;
    used.EnforceDependencies();
    for (const CPrivileges::Bit& b : CPrivileges::Bits()) {
        const unsigned v = raw.Value(b);
        if (v != used.Value(b))
            std::printf("%s=%u (used as %u)\n", b.name, v, used.Value(b));
        else
            std::printf("%s=%u\n", b.name, v);
    }
    return 0;
}

} // namespace

KF_TOOL_COMMAND("privileges make", "OUT [--deny NAME ...]", RunPrivilegesMake);
KF_TOOL_COMMAND("privileges dump", "FILE", RunPrivilegesDump);

} // namespace kf
