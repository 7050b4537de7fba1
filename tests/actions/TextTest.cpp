#include <gtest/gtest.h>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "actions/NumberText.h"
#include "actions/Text.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

std::string Joined(const Strings& parts) {
    return parts.empty() ? "" : "[" + Join(parts, "][") + "]";
}

TEST(TextTest, NumbersPartsReplacementsFilesAndLogLines) {
    FakeFiles files;
    files.files = {{"a", "one\rtwo\r\nthree"}, {"b", ""}, {"c", "x\ny\r\n\r\n"}, {"d", "0123456"}};
    files.folders.insert("C:\\dir");
    files.windowsDirectory = std::string("C:\\WINDOWS\0junk", 15);
    const std::string written = std::to_string(WriteTextFile(files, "d", "abc")) +
                                std::to_string(WriteTextFile(files, "C:\\dir", "abc"));
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {TwoDigits(0) + TwoDigits(9) + TwoDigits(10) + TwoDigits(25) + TwoDigits(-3), "000910250-3"},
        {TwoDigits(7.5, ",") + " " + TimeText(7.5, 0), "07,5 07.5:00"},
        {GeneralNumberText(0.9765625) + " " + GeneralNumberText(1.0 / 3), "0.9765625 0.333333333333333"},
        {GeneralNumberText(123456789012345.0) + " " + GeneralNumberText(1e15), "123456789012345 1E+15"},
        {GeneralNumberText(2.5, ",") + " " + GeneralNumberText(-0.0), "2,5 0"},
        // Past 2^31 bytes the count goes on.
        {KilobytesText(0) + " " + KilobytesText(1536) + " " + KilobytesText(5368709120LL), "0 1.5 5242880"},
        {Joined(SplitText("", ',')) + Joined(SplitText(",", ',')), "[][]"},
        {Joined(SplitText("a,,b", ',')) + Joined(SplitText(" 2 , 8 ", ',')), "[a][][b][ 2 ][ 8 ]"},
        // Left to right without rescanning what was put in.
        {ReplaceAll("a\\\\\\b", "\\\\", "\\") + ReplaceAll("abc", "", "x"), "a\\\\babc"},
        {Joined(TextLines("one\rtwo\r\n\r\nthree")) + Joined(TextLines("x\ny\r")), "[one][two][][three][x\ny]"},
        {ReadTextFile(files, "a") + ReadTextFile(files, "b") + ReadTextFile(files, "c") + ReadTextFile(files, "none"), "one\r\ntwo\r\nthree\r\nx\ny\r\n\r\n"},
        {std::to_string(FileExists(files, "a")) + std::to_string(FileExists(files, "C:\\dir")) + std::to_string(FileExists(files, "none")) + std::to_string(FileExists(files, "")), "1000"},
        {written + files.files["d"] + " " + WindowsDirectory(files), "10abc3456 c:\\windows"},
        {LogLine({987, 1, 2, 3, 4, 5}, ".", "-", "  padded  "), "02.01.0987 03-04-05 >     padded  \r\n"},
    };
    // clang-format on
    for (const auto& [got, want] : rows)
        EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace qv::test
