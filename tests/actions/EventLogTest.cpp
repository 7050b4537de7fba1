#include <gtest/gtest.h>

#include "actions/Text.h"
#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

TEST(LogLine, FollowsTheFixedLayout) {
    LocalTime t{2026, 12, 5, 19, 42, 28};
    EXPECT_EQ(LogLine(t, "/", ":", "Modem Rebooted Successfully."),
              "05/12/2026 19:42:28 >   Modem Rebooted Successfully.\r\n");
    LocalTime early{987, 1, 2, 3, 4, 5};
    EXPECT_EQ(LogLine(early, ".", "-", ""), "02.01.0987 03-04-05 >   \r\n");
    EXPECT_EQ(LogLine(t, "/", ":", "  padded  ").substr(24), "  padded  \r\n");
}

class EventLogTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    test::TestApp t;
};

TEST_F(EventLogTest, WriteLogRefreshesTheTrayThenAppendsInCallOrder) {
    t.app.IconState = 5;
    EXPECT_TRUE(t.app.log.WriteLog("first"));
    EXPECT_TRUE(t.app.log.WriteLog("second"));
    ASSERT_EQ(t.tray.calls.size(), 2u);
    EXPECT_EQ(t.tray.calls[0].op, test::FakeTray::Op::Change);
    EXPECT_EQ(t.tray.calls[0].picture, Picture::Yellow);
    EXPECT_EQ(t.files.files.at("C:\\Program Files\\Quorvane\\Quorvane.log"),
              "05/12/2026 19:42:28 >   first\r\n05/12/2026 19:42:28 >   second\r\n");
}

TEST_F(EventLogTest, UnwritableLogDropsTheLineButStillRefreshesTheTray) {
    t.files.readOnlyFolders.insert("C:\\Program Files\\Quorvane");
    EXPECT_FALSE(t.app.log.WriteLog("lost"));
    EXPECT_EQ(t.tray.calls.size(), 1u);
    EXPECT_TRUE(t.files.files.empty());
}

TEST_F(EventLogTest, WriteLogToCleansDoubleBackslashesAndLeavesTheTrayAlone) {
    std::string path = "C:\\\\debug.log";
    EXPECT_TRUE(t.app.log.WriteLogTo(path, "x : 0"));
    EXPECT_EQ(path, "C:\\debug.log");
    EXPECT_EQ(t.files.files.at("C:\\debug.log"), "05/12/2026 19:42:28 >   x : 0\r\n");
    EXPECT_TRUE(t.tray.calls.empty());
}

TEST_F(EventLogTest, ReadTextFileEndsEveryLineWithCrLf) {
    t.files.files["a"] = "one\rtwo\r\nthree";
    t.files.files["b"] = "";
    t.files.files["c"] = "x\ny\r\n\r\n";
    EXPECT_EQ(ReadTextFile(t.app.os.files, "a"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(ReadTextFile(t.app.os.files, "b"), "");
    EXPECT_EQ(ReadTextFile(t.app.os.files, "c"), "x\ny\r\n\r\n");
    EXPECT_EQ(ReadTextFile(t.app.os.files, "missing"), "");
}

TEST_F(EventLogTest, FileHelpersAnswerWithoutFailingOutward) {
    t.files.files["C:\\f.txt"] = "";
    t.files.folders.insert("C:\\dir");
    EXPECT_TRUE(FileExists(t.app.os.files, "C:\\f.txt"));
    EXPECT_FALSE(FileExists(t.app.os.files, "C:\\dir"));
    EXPECT_FALSE(FileExists(t.app.os.files, "C:\\none"));
    EXPECT_FALSE(FileExists(t.app.os.files, ""));

    t.files.files["C:\\long.txt"] = "0123456789";
    EXPECT_TRUE(WriteTextFile(t.app.os.files, "C:\\long.txt", "abc"));
    EXPECT_EQ(t.files.files["C:\\long.txt"], "abc3456789");
    EXPECT_FALSE(WriteTextFile(t.app.os.files, "C:\\dir", "abc"));

    t.files.windowsDirectory = std::string("C:\\WINDOWS\0junk", 15);
    EXPECT_EQ(WindowsDirectory(t.app.os.files), "c:\\windows");
}

}  // namespace
}  // namespace qv
