// A worker process for the reliability tests of the user files: it appends records or
// converts a file the way the program does, and reports on stdout, so that the tests can run
// several at once, kill them at any moment and look at what they leave behind.
//
//   userfileworker append FILE COUNT TAG   appends COUNT records (shared with other writers)
//                                          and prints "TAG I" after each one is stored
//   userfileworker hold FILE COUNT TAG     the same as the only writer of the file
//   userfileworker convert FILE STEP       opens FILE for writing, converting a previous-format
//                                          file; ends the process at once (exit 42) when the
//                                          conversion reaches STEP (0 to 4; -1 never)
#include "users/resultrecord.h"
#include "users/userdata.h"

#include "platform/utf.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

int g_crashStep = -1;

bool CrashAt(kf::CUserData::ConversionStep step)
{
    if (static_cast<int>(step) == g_crashStep)
        ::_exit(42);
    return true;
}

void Say(const std::string& line)
{
    const std::string text = line + "\n";
    // One write per line, unbuffered: a line printed is a record stored.
    if (::write(1, text.data(), text.size()) < 0)
        ::_exit(3);
}

// The record the tests expect from worker tag and number i.
kf::CResultRecord MakeRecord(uint32_t tag, uint32_t i)
{
    kf::CResultRecord r;
    r.SetRecordNumber(tag * 1000000 + i);
    r.SetExerciseKind(30);
    r.SetDeskMode(3);
    r.SetEndReason(5);
    r.SetTypingTime(1000 + i);
    r.SetCharsTyped(i);
    r.SetCharsCorrect(i);
    r.SetLessonName(kf::FromUtf8("w" + std::to_string(tag) + "-" + std::to_string(i)));
    return r;
}

int Append(const char* file, uint32_t count, uint32_t tag, bool shared)
{
    kf::CUserData db;
    if (!db.Open(kf::FromUtf8(file), shared ? kf::CMiniDatabase::OpenMode::SharedWrite
                                            : kf::CMiniDatabase::OpenMode::Write))
        return 2;
    for (uint32_t i = 0; i < count; ++i) {
        if (!db.Append(MakeRecord(tag, i).bytes()))
            return 4;
        Say(std::to_string(tag) + " " + std::to_string(i));
    }
    return db.Close() ? 0 : 5;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 64;
    const std::string mode = argv[1];
    if (mode == "append" || mode == "hold") {
        if (argc != 5)
            return 64;
        return Append(argv[2], static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)),
                      static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)), mode == "append");
    }
    if (mode == "convert") {
        g_crashStep = std::atoi(argv[3]);
        kf::CUserData::SetConversionHookForTesting(CrashAt);
        kf::CUserData db;
        if (!db.Open(kf::FromUtf8(argv[2]), false))
            return 2;
        Say(std::to_string(db.Count()));
        return 0;
    }
    return 64;
}
