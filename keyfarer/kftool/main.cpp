// kftool: runs one subcommand of the registry (see toolcommand.h).
#include "toolcommand.h"

#include "platform/codepage.h"
#include "platform/path.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void PrintHelp(FILE* out)
{
    std::vector<kf::tool::Command> commands = kf::tool::Commands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
    std::fprintf(out, "usage: kftool COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : commands)
        std::fprintf(out, "  kftool %s %s\n", c.name, c.usage);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    // Run from an installation tree, kftool reads 8-bit texts in that installation's code page.
    kf::LoadAnsiCodePageSetting(kf::ProgramFolder() + u"SysDat\\Platform.ini");
    if (words.empty() || words[0] == "help" || words[0] == "--help" || words[0] == "-h") {
        PrintHelp(words.empty() ? stderr : stdout);
        return words.empty() ? 64 : 0;
    }
    // Two-word commands ("ini read", "user dump") win over one-word ones.
    const kf::tool::Command* found = nullptr;
    size_t used = 0;
    for (const auto& c : kf::tool::Commands()) {
        std::string name = c.name;
        if (words.size() >= 2 && name == words[0] + " " + words[1]) {
            found = &c;
            used = 2;
            break;
        }
        if (name == words[0] && used < 1) {
            found = &c;
            used = 1;
        }
    }
    if (!found) {
        std::fprintf(stderr, "kftool: unknown command \"%s\"\n", words[0].c_str());
        PrintHelp(stderr);
        return 64;
    }
    kf::tool::Args args(std::vector<std::string>(words.begin() + static_cast<std::ptrdiff_t>(used), words.end()));
    return found->run(args);
}
