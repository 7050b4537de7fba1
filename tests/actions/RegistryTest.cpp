#include <gtest/gtest.h>

#include "actions/Registry.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Values = std::map<std::string, std::string>;

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { t.InitPaths(); }
    test::TestApp t;
};

TEST_F(RegistryTest, TheRunValueHoldsTheUnquotedPathWithItsSwitchUnderTheBaseName) {
    ASSERT_TRUE(AddToStartup(t.app.os.registry, t.app.paths));
    ASSERT_TRUE(
        AddToStartup(t.app.os.registry, t.app.paths));  // a second save writes the same value again
    EXPECT_EQ(t.registry.runValues,
              (Values{{"Quorvane", "C:\\Program Files\\Quorvane\\Quorvane.Exe /S"}}));

    // A renamed program adds its own value and removes only its own.
    t.process.exePath = "C:\\Tools\\Other.exe";
    t.InitPaths();
    ASSERT_TRUE(AddToStartup(t.app.os.registry, t.app.paths));
    EXPECT_EQ(t.registry.runValues.size(), 2u);
    RemoveFromStartup(t.app.os.registry, t.app.paths);
    EXPECT_EQ(t.registry.runValues,
              (Values{{"Quorvane", "C:\\Program Files\\Quorvane\\Quorvane.Exe /S"}}));
}

TEST_F(RegistryTest, FailuresAreReportedOnlyByTheResult) {
    RemoveFromStartup(t.app.os.registry, t.app.paths);  // no value: nothing to report
    t.registry.denyWrites = true;
    EXPECT_FALSE(AddToStartup(t.app.os.registry, t.app.paths));
    EXPECT_TRUE(t.registry.runValues.empty());
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(t.app.IconState, 0);
}

}  // namespace
}  // namespace qv
