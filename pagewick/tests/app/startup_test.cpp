// Starting the window program: the paths named on its command line, the one-copy rule, and
// the hand-over of a second start's files to the copy already open.
#include "app/instancechannel.h"
#include "app/startpaths.h"
#include "helpers/qtsupport.h"
#include "platform/singleinstance.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pw {
namespace {

TEST(StartupPathsTest, PathsAreMadeAbsoluteAndOptionsSetAside)
{
    QStringList ignored;
    const QStringList paths = StartupPaths(
        {"a.pdf", "/abs/b.pdf", "sub/../c d.pdf", "--geometry", "-", "--", "-dash.pdf", ""},
        "/home/ann/in", &ignored);
    EXPECT_EQ(paths, (QStringList{"/home/ann/in/a.pdf", "/abs/b.pdf", "/home/ann/in/c d.pdf",
                                  "/home/ann/in/-", "/home/ann/in/-dash.pdf"}));
    EXPECT_EQ(ignored, QStringList{"--geometry"});
    EXPECT_TRUE(StartupPaths({}, "/x").isEmpty());
}

TEST(SingleInstanceTest, OneCopyPerInstallationUntilItEnds)
{
    test::TempFolder runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const std::string key = SingleInstance::KeyFor("/opt/pagewick");
    EXPECT_EQ(key, SingleInstance::KeyFor("/opt/pagewick"));
    EXPECT_NE(key, SingleInstance::KeyFor("/opt/pagewick2"));
    {
        SingleInstance first;
        ASSERT_TRUE(first.Acquire(key));
        SingleInstance second;
        EXPECT_FALSE(second.Acquire(key));
        SingleInstance other;
        EXPECT_TRUE(other.Acquire(SingleInstance::KeyFor("/opt/pagewick2")));
    }
    SingleInstance later; // the first copy has ended: the next one runs
    EXPECT_TRUE(later.Acquire(key));
}

// The test holds the installation's lock and listens like the first copy; the staged program,
// started a second time with files, hands them over and ends.
class SecondStartTest : public ::testing::Test
{
protected:
    SecondStartTest()
    {
        test::App();
        ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        std::filesystem::copy_file(PW_STAGE_DIR "/pagewick", program / "pagewick");
        key = SingleInstance::KeyFor(std::filesystem::canonical(program.Path()).string());
    }

    test::ProgramRun StartSecond(const std::vector<std::string>& args)
    {
        return test::RunProgram(program / "pagewick", args, work.Path(),
                                {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime.Path()});
    }

    test::TempFolder runtime;
    test::TempFolder program;
    test::TempFolder work;
    std::string key;
};

TEST_F(SecondStartTest, HandsItsFilesToTheFirstCopy)
{
    SingleInstance first;
    ASSERT_TRUE(first.Acquire(key));
    InstanceChannel channel(QString::fromStdString(key));
    ASSERT_TRUE(channel.Listen());
    QSignalSpy received(&channel, &InstanceChannel::PathsReceived);

    const test::ProgramRun run = StartSecond({"one.pdf", "folder", "/abs/two é.pdf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(received.count() == 1 || received.wait(3000));
    const QString cwd = QString::fromStdString(std::filesystem::canonical(work.Path()).string());
    EXPECT_EQ(received.at(0).at(0).toStringList(),
              (QStringList{cwd + "/one.pdf", cwd + "/folder", QString::fromUtf8("/abs/two é.pdf")}));

    // Without files the second start just ends.
    EXPECT_EQ(StartSecond({}).exitCode, 0);
    QTest::qWait(100);
    EXPECT_EQ(received.count(), 1);
}

TEST_F(SecondStartTest, FilesNobodyTookAreNamedNotLost)
{
    SingleInstance first; // holds the lock but never listens: a copy that hangs
    ASSERT_TRUE(first.Acquire(key));
    const test::ProgramRun run = StartSecond({"kept.pdf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("did not take the files"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("/kept.pdf"), std::string::npos) << run.err;
}

} // namespace
} // namespace pw
