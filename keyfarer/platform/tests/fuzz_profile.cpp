// An arbitrary file read and rewritten through the profile functions: lookups must not
// crash, and a write must keep every line that it did not change.
#include "platform/profile.h"
#include "platform/utf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/kf-fuzz-profile-" + std::to_string(::getpid()) + ".ini";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const std::u16string file = kf::FromUtf8(path);
    kf::GetPrivateProfileString(u"General", u"Tag", u"", 260, file);
    kf::GetPrivateProfileInt(u"Estimate", u"Single_Pass", 60, file);
    for (const auto& name : kf::GetPrivateProfileSectionNames(file))
        kf::GetPrivateProfileSection(name, file);
    kf::WritePrivateProfileString(u"General", u"Tag", u"KFDEFCFG", file);
    if (kf::GetPrivateProfileString(u"General", u"Tag", u"", 260, file) != u"KFDEFCFG")
        std::abort();
    kf::DeletePrivateProfileSection(u"General", file);
    return 0;
}
