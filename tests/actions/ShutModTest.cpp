#include <gtest/gtest.h>

#include "actions/ShutMod.h"
#include "app/App.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

TEST(ShutDownTest, LogsTheTrafficTotalWhenBytesWereFetchedThenShutsDownOnce) {
    struct Row {
        int64_t bytes;
        const char* separator;
        std::vector<std::string> log;
    } rows[] = {
        {0, ".", {}},  // nothing fetched: no traffic line, the shutdown all the same
        {512, ".", {"Total Data Downloaded for Connectivity : 0.5 KB."}},
        {1536, ",", {"Total Data Downloaded for Connectivity : 1,5 KB."}},
    };
    for (const Row& row : rows) {
        TestApp t;
        t.InitPaths();
        t.clock.decimalSeparator = row.separator;
        t.app.traffic.TotalBytesDownloaded = row.bytes;
        size_t linesAtShutdown = 99;
        t.power.onShutDown = [&] { linesAtShutdown = t.LogMessages().size(); };
        ShutDownPC(t.app.shutdownControl);
        EXPECT_EQ(t.LogMessages(), row.log) << row.bytes;
        EXPECT_EQ(linesAtShutdown, row.log.size()) << row.bytes;  // the line comes first
        EXPECT_EQ(t.power.shutdowns, 1) << row.bytes;
    }
}

}  // namespace
}  // namespace qv::test
