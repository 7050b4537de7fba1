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
    const std::string ping = "SrvPing=1 PingInterval=60 ";
    const std::pair<std::string, std::string> rows[] = {
        {ping + "@7/07:58:30 start +130",
         "07:58:30 " + kOpened + "|08:00:30 Free Usage Time Ended : 1,5 KB in 1 Pages, 0 Failed.|" +
             kMaySleep},
        {ping + "@7/01:59:10 start +120", "02:00:10 " + kOpened},  // opens at the 02:00 minute
        {ping + "@7/03:00:00 start +61 down +60 exit",
         "03:00:00 " + kOpened +
             "|03:02:00 Unable to open : http://www.msn.com/|03:02:01 "
             "UnloadSettingsDialog|remove|Free Usage Time Ended : 1,5 KB in 1 Pages, 1 Failed.|" +
             kMaySleep + "|Dastrel's Quorvane Helper Quitting.|remove|StopSockets|ended"},
        {ping + "@7/03:00:00 start +61 down +60 unload",
         "03:00:00 " + kOpened +
             "|03:02:00 Unable to open : http://www.msn.com/|03:02:01 Free Usage Time Ended : 1,5 "
             "KB in 1 Pages, 1 Failed.|" +
             kMaySleep + "|remove|StopSockets"},
        // Windows ends the program with the computer: the request goes with it.
        {ping + "@7/03:00:00 start +61 down +60 shutdown",
         "03:00:00 " + kOpened +
             "|03:02:00 Unable to open : http://www.msn.com/|03:02:01 Free Usage Time Ended : 1,5 "
             "KB in 1 Pages, 1 Failed."},
        {ping + "start +61 shutdown", ""},  // outside the window: no line
        {ping + "@7/03:00:00 start +61 menu104",
         "03:00:00 " + kOpened +
             "|open C:\\Users\\me\\Temp\\NightReport.html|Last 1 night: 1,5 KB, 100,0% online, 0 "
             "outages, 0 reboots, 0 helped"},
        {ping + "@7/03:00:00 start +61 nolog menu104",
         "03:00:00 " + kOpened +
             "|03:01:01 Unable to read the log for the night report : C:\\Program "
             "Files\\Quorvane\\Quorvane.log|box Quorvane: Unable to read the log for the night "
             "report : C:\\Program Files\\Quorvane\\Quorvane.log"},
        {ping + "@7/03:00:00 start +61 readonly menu104",
         "03:00:00 " + kOpened +
             "|03:01:01 Unable to write the night report : "
             "C:\\Users\\me\\Temp\\NightReport.html|box Quorvane: Unable to write the night report "
             ": C:\\Users\\me\\Temp\\NightReport.html"},
        {ping + "@7/03:00:00 start +61 nobrowser menu104",
         "03:00:00 " + kOpened +
             "|03:01:01 Unable to open the night report : "
             "C:\\Users\\me\\Temp\\NightReport.html|box Quorvane: Unable to open the night report "
             ": C:\\Users\\me\\Temp\\NightReport.html|open "
             "C:\\Users\\me\\Temp\\NightReport.html|Last 1 night: 1,5 KB, 100,0% online, 0 "
             "outages, 0 reboots, 0 helped"},
    };
    for (const auto& [script, want] : rows) {
        Program p;
        std::string page = p.Play(script);
        for (const auto& [path, text] : p.t.files.files) {
            if (path.ends_with(".html"))
                page += "|" + text.substr(text.find("Last "),
                                          text.find('.', text.find("Last ")) - text.find("Last "));
        }
        EXPECT_EQ(page, want) << script;
    }
}

}  // namespace
}  // namespace qv::test
