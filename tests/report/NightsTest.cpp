#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "report/Nights.h"
#include "report/ReportPage.h"
#include "report/ReportText.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::report {
namespace {

NightsRead Read(const std::string& log, const std::optional<OpenWindowNow>& now = {},
                size_t piece = 7) {
    test::TextReader reader(log, piece);
    return ReadNights([&](char* b, size_t n) { return reader.Read(b, n); }, now);
}

std::string Golden(const std::string& name) {
    return test::WholeFile(QV_SOURCE_DIR "/tests/report/" + name);
}

// Logs as they come (NAME.log beside this test) against the whole page and the whole CSV of their
// nights (NAME.html, NAME.csv), read with no window open or, where a row says so, with the window
// of the 7th open since 02:00 at 03:00.
TEST(NightsTest, LogsTellTheirNightsInTheWholePageAndCsv) {
    const std::tuple<std::string, std::string, bool> rows[] = {
        // Each reboot with what the modem's web port told after it, the last after the window;
        // a reboot outside the window takes no verdict from them.
        {".", "verdicts", false},
        // An older log: failures, reboots and traffic lines only, two nights.
        {".", "older-log", false},
        // Another region's separators; a restart inside the window goes on with it, and the
        // next window's traffic counts from the restart's zero.
        {",", "restart", false},
        // Asleep and not running: neither online nor an outage. A sleep ends the outage it fell
        // in; without its line it began after the last line. A quit line before the start
        // leaves the night as its end line left it.
        {".", "asleep", false},
        // Garbage, unknown and malformed lines are skipped; a torn last line is ignored.
        {".", "garbage", false},
        // One night with a comma for the decimal point, what the web port told after each
        // reboot, a sleep and a time the program did not run.
        {",", "one-night", true},
        // The browser's sample log: a partial night, a card switch, a shutdown, three reboots
        // and their verdicts in one outage.
        {".", "three-nights", true},
        // A night cut short, one without outages and one still open.
        {".", "cut-quiet-live", true},
    };
    const OpenWindowNow window{LocalSeconds(2026, 12, 7, 3, 0, 0), 10, 99, 1};
    for (const auto& [decimal, name, open] : rows) {
        const NightsRead read =
            Read(Golden(name + ".log"), open ? std::optional(window) : std::nullopt);
        EXPECT_FALSE(read.failed) << name;
        EXPECT_EQ(ReportPage(read.nights, decimal), Golden(name + ".html")) << name;
        EXPECT_EQ(OutagesCsv(read.nights), Golden(name + ".csv")) << name;
    }
}

// The texts a reader sees, at the edges of their units and of the calendar.
TEST(NightsTest, TextsReadAsAReaderWould) {
    const std::pair<std::string, std::string> rows[] = {
        {DateText(LocalSeconds(2024, 2, 29, 23, 59, 59)), "2024-02-29"},
        {DateText(LocalSeconds(2027, 1, 31, 12, 0, 0)), "2027-01-31"},
        {DateText(LocalSeconds(2100, 3, 1, 0, 0, 0) - 1) + " " +
             DateText(LocalSeconds(2100, 3, 1, 0, 0, 0)),
         "2100-02-28 2100-03-01"},
        {LengthText(4 * 60 + 30) + " " + LengthText(26 * 3600), "0:04:30 26:00:00"},
        {TrafficText(1024, ".") + " " + TrafficText(102441, ".") + " " + TrafficText(1048576, ".") +
             " " + TrafficText(1024.0 * 1024 * 100.54, "."),
         "1.0 MB 100.0 MB 1.0 GB 100.5 GB"},
    };
    for (const auto& [got, expected] : rows)
        EXPECT_EQ(got, expected);
}

// Only the last fourteen nights are kept, and a night lists its first 500 outages (and reboots)
// and tells how many more it had: what is held does not grow with the log.
TEST(NightsTest, KeepsTheLastFourteenNightsAndFiveHundredOutagesANight) {
    std::string log;
    char at[32];
    auto line = [&](int day, int s, const std::string& message) {
        std::snprintf(at, sizeof at, "%02d/12/2026 %02d:%02d:%02d >   ", day, s / 3600, s / 60 % 60,
                      s % 60);
        log += at + message + "\r\n";
    };
    for (int day = 1; day <= 31; ++day) {
        line(day, 2 * 3600, "Free Usage Time Started.");
        for (int i = 0, s = 2 * 3600 + 5; day == 31 && i < 501; ++i, s += 30) {
            line(31, s, "Unable to open : http://a.example/");
            line(31, s + 5, "Modem Rebooted Successfully.");
            line(31, s + 10, "Connectivity Restored after 1 Failed Pages.");
        }
        line(day, 8 * 3600, "Free Usage Time Ended : 1 KB in 1 Pages, 0 Failed.");
    }
    const NightsRead read = Read(log, std::nullopt, 4096);
    EXPECT_EQ(DateText(read.nights.front().begin) + " " + DateText(read.nights.back().begin) + " " +
                  std::to_string(read.nights.back().outageCount) + " " +
                  std::to_string(read.nights.back().outages.size()) + " " +
                  std::to_string(read.nights.back().reboots.size()),
              "2026-12-18 2026-12-31 501 500 500");
    EXPECT_NE(ReportPage(read.nights, ".").find("<p class=\"note\">And 1 more outage.</p>"),
              std::string::npos);
}

}  // namespace
}  // namespace qv::report
