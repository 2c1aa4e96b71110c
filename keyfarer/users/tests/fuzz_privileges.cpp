// Arbitrary bytes as "privilege.cfg": a record loads exactly when it has 102 bytes and the
// magic, and a loaded record obeys the dependencies between its choices.
#include "content/privileges.h"

#include "platform/path.h"
#include "platform/utf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path =
        std::string(kf::DirectoryExists(u"/dev/shm") ? "/dev/shm" : "/tmp") +
        "/kf-fuzz-privileges-" + std::to_string(::getpid()) + ".cfg";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    kf::Bytes bytes;
    const bool loaded = kf::LoadPrivilegesFile(kf::FromUtf8(path), bytes);
    if (loaded != kf::CPrivileges::IsValidImage(kf::ByteSpan(data, size)))
        std::abort();
    if (!loaded)
        return 0;
    if (bytes.size() != kf::CPrivileges::kSize)
        std::abort();
    kf::CPrivileges p;
    if (!p.Load(bytes))
        std::abort();
    if ((p.ChooseTestCategory() && !p.ChooseTest()) || (p.ChooseCourse() && !p.ChooseLesson()))
        std::abort();
    if (p.StartMode() > 3)
        std::abort();
    return 0;
}
