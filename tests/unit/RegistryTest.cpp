#include <gtest/gtest.h>

#include "actions/Registry.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Items = std::vector<std::string>;

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    const test::FakeRegistry::Value* RunValue(const std::string& name) {
        auto it = t.registry.values.find({RegistryRoot::LocalMachine, kRunSubKey, name});
        return it == t.registry.values.end() ? nullptr : &it->second;
    }
    test::TestApp t;
};

TEST_F(RegistryTest, AddToStartupWritesTheUnquotedPathWithItsSwitch) {
    ASSERT_TRUE(AddToStartup(t.app.os.registry, t.app.paths));
    const std::string open = std::string("Open ") + kRunSubKey + " 0 63";
    EXPECT_EQ(t.registry.calls, (Items{open, "Set Quorvane", "Close"}));
    const auto* value = RunValue("Quorvane");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, kRegSz);
    const std::string data = "C:\\Program Files\\Quorvane\\Quorvane.Exe /S";
    EXPECT_EQ(value->data, data + '\0');  // the NUL is counted
    EXPECT_EQ(value->data.size(), data.size() + 1);

    // A second save writes the same value again; a renamed program adds its own.
    ASSERT_TRUE(AddToStartup(t.app.os.registry, t.app.paths));
    t.process.exePath = "C:\\Tools\\Other.exe";
    t.InitPaths();
    ASSERT_TRUE(AddToStartup(t.app.os.registry, t.app.paths));
    EXPECT_EQ(t.registry.values.size(), 2u);
    RemoveFromStartup(t.app.os.registry, t.app.paths);
    EXPECT_EQ(RunValue("Other"), nullptr);
    EXPECT_NE(RunValue("Quorvane"), nullptr);
    EXPECT_EQ(t.registry.OpenKeys(), 0u);
}

TEST_F(RegistryTest, DeletingAMissingValueFailsQuietly) {
    EXPECT_FALSE(DeleteRunValue(t.app.os.registry, "Quorvane"));
    RemoveFromStartup(t.app.os.registry, t.app.paths);
    EXPECT_EQ(t.registry.OpenKeys(), 0u);
    ASSERT_TRUE(SetRunValue(t.app.os.registry, "Quorvane", "x"));
    EXPECT_TRUE(DeleteRunValue(t.app.os.registry, "Quorvane"));
    EXPECT_TRUE(t.registry.values.empty());
}

TEST_F(RegistryTest, FailuresAreReportedOnlyByTheResult) {
    t.registry.denyWrites = true;
    EXPECT_FALSE(AddToStartup(t.app.os.registry, t.app.paths));
    EXPECT_EQ(t.registry.calls.back(), "Close");  // closed although the write failed

    t.registry = test::FakeRegistry();
    t.registry.failOpen = true;
    EXPECT_FALSE(WriteRegString(t.app.os.registry, RegistryRoot::CurrentUser, "Software\\X", "v", "d"));
    EXPECT_FALSE(DeleteRegValue(t.app.os.registry, RegistryRoot::CurrentUser, "Software\\X", "v"));
    // Without a key the calls fail on their own and there is nothing to close.
    EXPECT_EQ(t.registry.calls,
              (Items{"Open Software\\X 0 63", "Set v", "Open Software\\X 0 63", "Delete v"}));
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(t.app.IconState, 0);
}

}  // namespace
}  // namespace qv
