#include "tests/app/Program.h"

namespace qv::test {
namespace {

// The window's lines: found open at the start or when it opens, ended when it closes, when the
// program quits or is closed by Windows, or before a shutdown; a failed page counts in the end
// line. "&NightReport" writes the page and the CSV into the temporary folder and opens the
// page; the window still open is reported with the program's own counts. A log that cannot be
// read, a folder that cannot be written and a page that cannot be opened are each one message
// box and one failure line.
TEST(NightReport, WindowLinesAndThePage) {
    const std::string ping = "SrvPing=1 PingInterval=60 @7/03:00:00 start +61 ";
    const std::string ended = "Free Usage Time Ended : 1,5 KB in 1 Pages, ";
    const std::string page = "C:\\Users\\me\\Temp\\NightReport.html";
    const std::string night =
        "|Last 1 night: 1,5 KB, 100,0% online, 0 outages, 0 reboots, 0 helped";
    // A failure of the report: its line and its box.
    auto fails = [](const std::string& what) {
        return "03:00:00 " + kOpened + "|03:01:01 " + what + "|box Quorvane: " + what;
    };
    const std::pair<std::string, std::string> rows[] = {
        {"SrvPing=1 PingInterval=60 @7/07:58:30 start +130",
         "07:58:30 " + kOpened + "|08:00:30 " + ended + "0 Failed.|" + kMaySleep},
        {"SrvPing=1 PingInterval=60 @7/01:59:10 start +120",
         "02:00:10 " + kOpened},  // opens at the 02:00 minute
        {ping + "down +60 unload", "03:00:00 " + kOpened +
                                       "|03:02:00 Unable to open : http://www.msn.com/|03:02:01 " +
                                       ended + "1 Failed.|" + kMaySleep + "|remove|StopSockets"},
        // Windows ends the program with the computer: the request goes with it.
        {ping + "shutdown", "03:00:00 " + kOpened + "|03:01:01 " + ended + "0 Failed."},
        {"SrvPing=1 start +61 shutdown", ""},  // outside the window: no line
        {ping + "menu104", "03:00:00 " + kOpened + "|open " + page + night},
        {ping + "nolog menu104", fails("Unable to read the log for the night report : C:\\Program "
                                       "Files\\Quorvane\\Quorvane.log")},
        {ping + "readonly menu104", fails("Unable to write the night report : " + page)},
        {ping + "nobrowser menu104",
         fails("Unable to open the night report : " + page) + "|open " + page + night},
    };
    for (const auto& [script, want] : rows) {
        Program p;
        const std::string got = p.Play(script), html = p.t.files.files[page];
        const size_t last = html.find("Last ");  // the nights' summary
        EXPECT_EQ(got + (html.empty() ? "" : "|" + html.substr(last, html.find('.', last) - last)),
                  want)
            << script;
    }
}

}  // namespace
}  // namespace qv::test
