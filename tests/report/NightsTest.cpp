#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "report/Nights.h"
#include "report/ReportPage.h"
#include "report/ReportText.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::report {
namespace {

// A log from "dd hh:mm:ss message" rows of December 2026, each line in the house layout with
// the given separators and CR LF.
std::string Log(const std::vector<std::string>& rows, const std::string& date = "/",
                const std::string& time = ":") {
    std::string log;
    for (const std::string& row : rows) {
        if (row.size() < 12 || row[2] != ' ') {
            log += row + "\r\n";  // garbage as it stands
            continue;
        }
        log += row.substr(0, 2) + date + "12" + date + "2026 " + row.substr(3, 2) + time +
               row.substr(6, 2) + time + row.substr(9, 2) + " >   " + row.substr(12) + "\r\n";
    }
    return log;
}

NightsRead Read(const std::string& log, const std::optional<OpenWindowNow>& now = {},
                size_t piece = 7) {
    test::TextReader reader(log, piece);
    return ReadNights([&](char* b, size_t n) { return reader.Read(b, n); }, now);
}

const std::string kStart = "Dastrel's Quorvane Helper Started.";
const std::string kOpen = "Free Usage Time Started.";
const std::string kFail = "Unable to open : http://a.example/";
const std::string kReboot = "No Connectivity Since last 3 Minutes - Rebooting Modem.";
const std::string kRebooted = "Modem Rebooted Successfully.";

std::string Golden(const std::string& name) {
    std::ifstream file(QV_SOURCE_DIR "/tests/report/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Logs as they come against the whole page and the whole CSV of their nights (files beside this
// test), read with no window open or, where a row says so, with the window of the 7th open
// since 02:00 at 03:00.
TEST(NightsTest, LogsTellTheirNightsInTheWholePageAndCsv) {
    struct Row {
        std::string log, decimal, name;
        bool open = false;
    };
    const Row rows[] = {
        // Each reboot with what the modem's web port told after it, the last after the window;
        // a reboot outside the window takes no verdict from them.
        {Log({"07 02:00:00 " + kOpen, "07 02:10:00 " + kFail, "07 02:10:00 " + kReboot,
              "07 02:10:09 " + kRebooted, "07 02:10:30 Modem Restarted in 30 Secs.",
              "07 02:10:40 Modem Restarted in 31 Seconds.", "07 02:20:00 " + kFail,
              "07 02:20:00 " + kReboot, "07 02:20:09 " + kRebooted,
              "07 02:25:09 Modem did not Restart.",
              "07 02:26:00 No Connectivity - Reboot Limit Reached, Next Reboot after 03:26.",
              "07 02:59:00 " + kRebooted,
              "07 03:00:00 Free Usage Time Ended : 0 KB in 0 Pages, 2 Failed.",
              "07 03:04:00 Modem did not Come Back.", "07 03:05:00 Modem Restarted in x Seconds.",
              "07 12:00:00 " + kRebooted, "07 12:00:45 Modem Restarted in 45 Seconds."}),
         ".", "verdicts"},
        // An older log: failures, reboots and traffic lines only, two nights.
        {Log({"05 01:00:00 " + kStart, "05 03:00:00 " + kFail, "05 03:01:00 " + kFail,
              "05 03:02:00 " + kFail, "05 03:02:00 " + kReboot, "05 03:02:30 " + kRebooted,
              "05 03:30:00 " + kFail,
              "05 04:00:00 Total Data Downloaded for Connectivity : 300 KB.",
              "06 02:10:00 " + kFail,
              "06 03:00:00 Total Data Downloaded for Connectivity : 1E+03 KB."}),
         ".", "older-log"},
        // Another region's separators; a restart inside the window goes on with it, and the
        // next window's traffic counts from the restart's zero.
        {Log({"07 02:00:00 " + kOpen, "07 02:10:00 " + kFail, "07 02:20:00 " + kStart,
              "07 02:20:00 " + kOpen, "07 02:30:00 Auto Disable NIC Command Issued.",
              "07 08:00:00 Free Usage Time Ended : 12,25 KB in 7 Pages, 0 Failed.",
              "08 02:00:00 " + kOpen, "08 02:30:00 Total Data Downloaded for Connectivity : 5 KB."},
             ". ", "."),
         ",", "restart"},
        // Asleep and not running: neither online nor an outage. A sleep ends the outage it fell
        // in; without its line it began after the last line. A quit line before the start
        // leaves the night as its end line left it.
        {Log({"07 02:00:00 " + kOpen, "07 02:10:00 " + kFail,
              "07 02:11:00 Computer Going to Sleep.", "07 02:41:00 Computer Woke Up.",
              "07 02:41:10 " + kFail, "07 02:42:00 Connectivity Restored after 1 Failed Pages.",
              "07 02:50:00 " + kFail, "07 02:55:00 Computer Woke Up.",
              "07 03:00:00 Free Usage Time Ended : 1 KB in 2 Pages, 3 Failed.",
              "07 03:00:00 Dastrel's Quorvane Helper Quitting.", "07 03:30:00 " + kStart,
              "07 03:30:00 " + kOpen, "07 03:40:00 " + kStart,
              "07 03:40:00 Auto Disable NIC Command Issued.", "07 03:45:00 " + kFail}),
         ".", "asleep"},
        // Garbage, unknown and malformed lines are skipped; a torn last line is ignored.
        {"\x01garbage\r\n\r\n07/12/2026 02:00:00 >   " + kOpen + "\r\n" +
             Log({"07 02:01:00 Something this report does not know.", "32 02:02:00 " + kFail,
                  "07 24:02:00 " + kFail, "07 02:60:00 " + kFail, "07 02:02:60 " + kFail,
                  "07 02:03:00 Free Usage Time Ended : x KB in 1 Pages, 0 Failed.",
                  "07 02:04:00 " + kFail, "07 02:04:30 Connectivity Restored after 1 Failed Pages!",
                  "not a line at all, though long enough"}) +
             "07/12/2026 02:05:00 >   " + kFail,
         ".", "garbage"},
        // One night with a comma for the decimal point, what the web port told after each
        // reboot, a sleep and a time the program did not run.
        {Log({"06 22:00:00 " + kOpen, "06 22:30:00 Computer Going to Sleep.",
              "06 23:00:00 Computer Woke Up.", "06 23:50:00 " + kFail, "06 23:53:00 " + kReboot,
              "06 23:53:40 " + kRebooted, "06 23:54:10 Modem Restarted in 30 Seconds.",
              "06 23:55:00 Connectivity Restored after 3 Failed Pages.", "07 00:20:00 " + kStart,
              "07 00:20:00 " + kOpen, "07 01:00:00 " + kFail, "07 01:02:00 " + kRebooted,
              "07 01:07:02 Modem did not Restart.",
              "07 05:59:00 Free Usage Time Ended : 2048,5 KB in 1400 Pages, 12 Failed.",
              "07 05:59:00 Auto ShutDown Command Issued."}),
         ",", "one-night", true},
        // The browser's sample log: a partial night, a card switch, a shutdown, three reboots
        // and their verdicts in one outage.
        {Golden("three-nights.log"), ".", "three-nights", true},
        // A night cut short, one without outages and one still open.
        {Log({"05 02:00:00 " + kOpen, "05 02:40:00 " + kFail, "06 02:00:00 " + kOpen,
              "06 08:00:00 Free Usage Time Ended : 0 KB in 5 Pages, 0 Failed.",
              "07 02:00:00 " + kOpen, "07 02:30:00 " + kFail}),
         ".", "cut-quiet-live", true},
    };
    for (const Row& row : rows) {
        std::optional<OpenWindowNow> now;
        if (row.open)
            now = OpenWindowNow{LocalSeconds(2026, 12, 7, 3, 0, 0), 10, 99, 1};
        const NightsRead read = Read(row.log, now);
        EXPECT_FALSE(read.failed) << row.name;
        EXPECT_EQ(ReportPage(read.nights, row.decimal), Golden(row.name + ".html")) << row.name;
        EXPECT_EQ(OutagesCsv(read.nights), Golden(row.name + ".csv")) << row.name;
    }
}

// The texts a reader sees, at the edges of their units and of the calendar.
TEST(NightsTest, TextsReadAsAReaderWould) {
    const std::pair<std::string, std::string> rows[] = {
        {DateText(LocalSeconds(2024, 2, 29, 23, 59, 59)), "2024-02-29"},
        {DateText(LocalSeconds(2026, 3, 31, 12, 0, 0)), "2026-03-31"},
        {DateText(LocalSeconds(2100, 3, 1, 0, 0, 0) - 1) + " " +
             DateText(LocalSeconds(2100, 3, 1, 0, 0, 0)),
         "2100-02-28 2100-03-01"},
        {LengthText(4 * 60 + 30) + " " + LengthText(26 * 3600), "0:04:30 26:00:00"},
        {TrafficText(1536, ".") + " " + TrafficText(102441, ".") + " " + TrafficText(1048576, ".") +
             " " + TrafficText(1024.0 * 1024 * 100.04, "."),
         "1.5 MB 100.0 MB 1.0 GB 100.0 GB"},
    };
    for (const auto& [got, expected] : rows)
        EXPECT_EQ(got, expected);
}

// Only the last fourteen nights are kept, and a night lists its first 500 outages and tells how
// many more it had: what is held does not grow with the log.
TEST(NightsTest, KeepsTheLastFourteenNightsAndFiveHundredOutagesANight) {
    std::vector<std::string> rows;
    char at[16];
    for (int day = 1; day <= 31; ++day) {
        std::snprintf(at, sizeof at, "%02d 02:00:00 ", day);
        rows.push_back(at + kOpen);
        for (int i = 0, s = 2 * 3600 + 5; day == 31 && i < 501; ++i, s += 30) {
            std::snprintf(at, sizeof at, "31 %02d:%02d:%02d ", s / 3600, s / 60 % 60, s % 60);
            rows.push_back(at + kFail);
            std::snprintf(at, sizeof at, "31 %02d:%02d:%02d ", s / 3600, s / 60 % 60, s % 60 + 10);
            rows.push_back(at + std::string("Connectivity Restored after 1 Failed Pages."));
        }
        std::snprintf(at, sizeof at, "%02d 08:00:00 ", day);
        rows.push_back(at + std::string("Free Usage Time Ended : 1 KB in 1 Pages, 0 Failed."));
    }
    NightsRead read = Read(Log(rows), std::nullopt, 4096);
    ASSERT_EQ(read.nights.size(), kReportNights);
    EXPECT_EQ(DateText(read.nights.front().begin) + " " + DateText(read.nights.back().begin) + " " +
                  std::to_string(read.nights.back().outageCount) + " " +
                  std::to_string(read.nights.back().outages.size()),
              "2026-12-18 2026-12-31 501 500");
    EXPECT_NE(ReportPage(read.nights, ".").find("<p class=\"note\">And 1 more outage.</p>"),
              std::string::npos);
}

}  // namespace
}  // namespace qv::report
