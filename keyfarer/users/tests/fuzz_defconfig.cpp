// Arbitrary bytes as "DefConfig.ini": a profile made from it keeps every option inside its
// range, whatever the file says.
#include "users/defaultprofile.h"

#include "platform/path.h"
#include "platform/utf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A memory file system where there is one: every default written back is flushed.
    static const std::string path =
        std::string(kf::DirectoryExists(u"/dev/shm") ? "/dev/shm" : "/tmp") +
        "/kf-fuzz-defconfig-" + std::to_string(::getpid()) + ".ini";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    kf::CUserProfile p;
    if (!kf::LoadDefaultProfile(kf::FromUtf8(path), p))
        return 0;
    Require(p.SinglePass() >= 1 && p.SinglePass() < p.SingleFullmark());
    Require(p.SingleFullmark() >= 1 && p.SingleFullmark() <= 400);
    Require(p.PassAccuracy() >= 1 && p.PassAccuracy() <= 100);
    Require(p.ErrorFactor() >= 1 && p.ErrorFactor() <= 20);
    Require(p.TrainTime() >= 1 && p.TrainTime() <= 60);
    Require(p.TestTime() >= 1 && p.TestTime() <= 60);
    Require(p.ReviewDuration() >= 1 && p.ReviewDuration() <= 60);
    Require(p.DataGenerateType() <= 2);
    Require(p.DataGenerateSize() >= 1 && p.DataGenerateSize() <= 4096);
    Require(p.StdDisplaySize() <= 0xFF);
    Require(p.FontSize() >= 8 && p.FontSize() <= 99);
    Require(p.LessonFontSize() >= 8 && p.LessonFontSize() <= 99);
    Require(p.IntercharacterSpacing() <= 20);
    Require(p.InterrowSpacing() >= 10 && p.InterrowSpacing() <= 40);
    Require(p.TabString().size() <= 4 && p.SpaceString().size() <= 4);
    Require(p.FontName().size() <= 32);
    Require(p.LastCourse().size() <= 129 && p.LastLesson().size() <= 129);
    for (size_t i = 0; i < 3; ++i)
        Require(p.NewUserFlag(i) == 1);
    // The file now holds every key: a second reading gives the same profile.
    kf::CUserProfile again;
    Require(kf::LoadDefaultProfile(kf::FromUtf8(path), again) && again == p);
    return 0;
}
