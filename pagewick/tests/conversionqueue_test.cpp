#include "core/conversionqueue.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(ConversionQueueTest, FormatColumn)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/in/a.pdf", "PDF"}, {"/in/b.PdF", "PDF"}, {"/in/notes.txt", "TXT"}, {"/in/notapdf", "PDF"},
        {"ab", "AB"},         {"", ""},             {"/in/é.pdé", "PDé"},     {"/in/ünï", "üNï"}};
    for (const auto& [path, format] : cases)
        EXPECT_EQ(FormatOf(path), format) << path;
}

class Recorder : public QueueListener
{
public:
    std::string log;
    void QueueAboutToInsert(int p) override { log += "+" + std::to_string(p); }
    void QueueInserted() override { log += "."; }
    void QueueAboutToRemove(int p) override { log += "-" + std::to_string(p); }
    void QueueRemoved() override { log += "."; }
    void QueueAboutToClear() override { log += "c"; }
    void QueueCleared() override { log += "."; }
};

TEST(ConversionQueueTest, ChangesArePositionedAndReported)
{
    ConversionQueue queue;
    Recorder recorder;
    queue.SetListener(&recorder);
    queue.Append("/a.pdf");
    queue.Append("/b.txt");
    queue.Append("/a.pdf"); // duplicates are allowed
    queue.RemoveAt(1);
    queue.RemoveAt(5); // nothing there
    queue.RemoveAt(-1);
    ASSERT_EQ(queue.Count(), 2);
    EXPECT_EQ(queue.At(0).path, "/a.pdf");
    EXPECT_EQ(queue.At(1).format, "PDF");
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(recorder.log, "+0.+1.+2.-1.c.");
}

TEST(ConversionQueueTest, HoldsAtMost32767Entries)
{
    ConversionQueue queue;
    for (int i = 0; i < ConversionQueue::kMaxEntries; ++i)
        ASSERT_TRUE(queue.Append("/f.pdf"));
    EXPECT_FALSE(queue.Append("/one-too-many.pdf"));
    EXPECT_EQ(queue.Count(), 32767);
}

} // namespace
} // namespace pw
