// The Run value through the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "actions/Registry.h"
#include "app/App.h"
#include "platform/win32/Win32Registry.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using win32::Win32Registry;

struct RegistryApp {
    Win32Registry registry;
    test::TestApp doubles;
    Platform platform = doubles.Compose({.registry = &registry});
    App app{platform};
    RegistryApp() {
        app.SetActions(doubles.actions);
        app.paths.ExeBaseName = "QuorvaneRunTest" + std::to_string(GetCurrentProcessId());
        app.paths.ExePath = "C:\\Program Files\\Quorvane Test\\" + app.paths.ExeBaseName + ".Exe";
    }
};

// The Run value's type and bytes, or false when there is none.
bool ReadRunValue(const std::string& name, DWORD& type, std::string& bytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Win32Registry::kRunSubKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return false;
    char data[512] = {};
    DWORD size = sizeof data;
    LONG rc =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    bytes.assign(data, size);
    return true;
}

TEST(RunValue, IsWrittenAndDeletedInTheMachineHive) {
    RegistryApp r;
    const std::string& name = r.app.paths.ExeBaseName;
    ASSERT_TRUE(AddToStartup(r.app.os.registry, r.app.paths));
    ASSERT_TRUE(AddToStartup(r.app.os.registry, r.app.paths));  // written again over itself
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(ReadRunValue(name, type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // The unquoted path, the switch and the counted NUL.
    EXPECT_EQ(bytes, r.app.paths.ExePath + " /S" + std::string(1, '\0'));

    RemoveFromStartup(r.app.os.registry, r.app.paths);
    EXPECT_FALSE(ReadRunValue(name, type, bytes));
    EXPECT_FALSE(r.registry.DeleteRunValue(name));  // nothing left to delete
}

TEST(RunValue, AKeyThatCannotBeOpenedFailsBothCalls) {
    const std::string missing = "SOFTWARE\\QuorvaneNoSuchKey";
    EXPECT_FALSE(Win32Registry::WriteRegString(HKEY_LOCAL_MACHINE, missing, "v", "x"));
    EXPECT_FALSE(Win32Registry::DeleteRegValue(HKEY_LOCAL_MACHINE, missing, "v"));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, missing.c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);  // and nothing made it
}

}  // namespace
}  // namespace qv
