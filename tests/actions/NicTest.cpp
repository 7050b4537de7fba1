#include <gtest/gtest.h>

#include "actions/Nic.h"
#include "app/App.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

const std::string kEnable = "c:\\windows\\EnbNic.bat";
const std::string kDisable = "c:\\windows\\DisNic.bat";

TEST(NicBatches, AreWrittenAtStartWithTheirExactBytesAndThenLeftAlone) {
    test::TestApp t;
    t.InitPaths();
    WriteNicBatches(t.app.nicControl);
    EXPECT_EQ(t.files.files[kEnable], "Devcon enable =Net\r\nRem Devcon enable =Modem\r\n");
    EXPECT_EQ(t.files.files[kDisable], "Devcon disable =Net\r\nRem Devcon disable =Modem\r\n");

    // The user's edit survives the next start's write.
    t.files.files[kEnable] = "Devcon enable =Net\r\n";
    WriteNicBatches(t.app.nicControl);
    EXPECT_EQ(t.files.files[kEnable], "Devcon enable =Net\r\n");
}

TEST(NicBatches, AMissingFileIsWrittenAgainBeforeItRuns) {
    test::TestApp t;
    t.InitPaths();
    DisableNIC(t.app.nicControl);
    EXPECT_EQ(t.files.files[kDisable].size(), 48u);
    EXPECT_EQ(t.files.files[kEnable].size(), 46u);
    EnableNIC(t.app.nicControl);
    using Start = std::pair<std::string, ShowCommand>;
    EXPECT_EQ(t.process.started, (std::vector<Start>{{kDisable, ShowCommand::MinimizedFocused},
                                                     {kEnable, ShowCommand::MinimizedFocused}}));
    EXPECT_TRUE(t.LogMessages().empty());
}

TEST(NicBatches, AreReportedMissingWhenTheWindowsDirectoryIsReadOnly) {
    test::TestApp t;
    t.files.readOnlyFolders = {"c:\\windows"};
    t.InitPaths();
    EnableNIC(t.app.nicControl);
    EnableNIC(t.app.nicControl);
    DisableNIC(t.app.nicControl);
    EXPECT_EQ(t.LogMessages(),
              (std::vector<std::string>{"File Missing : " + kEnable, "File Missing : " + kEnable,
                                        "File Missing : " + kDisable}));
    EXPECT_EQ(t.app.IconState, 5);
    EXPECT_TRUE(t.process.started.empty());
}

}  // namespace
}  // namespace qv
