#include "report/ReportPage.h"

#include <vector>

#include "report/ReportChart.h"
#include "report/ReportText.h"

namespace qv::report {
namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:16px;color:#222;background:#fff}"
    "h1{font-size:20px;margin:0 0 8px}h2{font-size:16px;margin:18px 0 4px}"
    "p{margin:4px 0}.summary{font-weight:bold}.note{color:#666}"
    ".legend{font-size:13px}.chart text{font-size:13px}.chart .hours{font-size:11px;fill:#555}"
    "table{border-collapse:collapse;font-size:13px}"
    "th,td{border:1px solid #bbb;padding:2px 8px;text-align:left;vertical-align:top}"
    "th{background:#eee}.legend span{margin-right:14px}";

struct Totals {
    std::optional<double> kilobytes;
    int64_t online = 0, length = 0, outages = 0, reboots = 0, helped = 0;
};

Totals Sum(const std::deque<Night>& nights) {
    Totals t;
    for (const Night& night : nights) {
        if (night.kilobytes)
            t.kilobytes = t.kilobytes.value_or(0) + *night.kilobytes;
        if (night.OnlineShare()) {
            t.length += night.AwakeLength();
            t.online += night.AwakeLength() - std::min(night.outageSeconds, night.AwakeLength());
        }
        t.outages += night.outageCount;
        t.reboots += night.rebootCount;
        for (const Reboot& reboot : night.reboots)
            t.helped += reboot.helped.value_or(false) ? 1 : 0;
    }
    return t;
}

std::string RestartText(const Reboot& reboot) {
    if (!reboot.restartSeconds)
        return "";
    if (*reboot.restartSeconds == -1)
        return ", did not restart";
    if (*reboot.restartSeconds == -2)
        return ", did not come back";
    return ", restarted in " + std::to_string(*reboot.restartSeconds) + " s";
}

std::string RebootText(const Reboot& reboot) {
    return ClockText(reboot.at) + (reboot.listed ? " listed" : " after no connectivity") +
           (reboot.rebooted ? ", rebooted" : ", failed") + RestartText(reboot);
}

std::string HelpedText(const Reboot& reboot) {
    if (!reboot.helped)
        return "unknown";
    return *reboot.helped ? "helped" : "did not help";
}

std::string EndText(const Night& night, const Outage& outage) {
    if (night.partial)
        return ClockText(outage.end) + " (last failure)";
    return ClockText(outage.end) + (outage.restored ? "" : " (window ended)");
}

std::string Joined(const Night& night, const Outage& outage, std::string (*text)(const Reboot&),
                   const std::string& separator) {
    std::string all;
    for (size_t i : outage.reboots)
        all += (all.empty() ? "" : separator) + text(night.reboots[i]);
    return all;
}

std::string Figures(const Night& night, const std::string& decimal) {
    std::string window = night.partial ? "Window not known, its lines from " : "Window ";
    window += ClockText(night.begin) + " to " + ClockText(night.end) + " (" +
              LengthText(night.Length()) + ")";
    std::string pages =
        night.opened ? CountText(*night.opened, "page") + " opened, " : std::string();
    return "<p>" + window + " &middot; " + PercentText(night.OnlineShare(), decimal) +
           " online &middot; " + pages + std::to_string(night.failed) + " failed &middot; " +
           TrafficText(night.kilobytes, decimal) + "</p>";
}

std::string Note(const Night& night) {
    if (night.partial)
        return "<p class=\"note\">Partial: from a log without the window's lines; the window, "
               "the pages opened and the share online are not known.</p>";
    if (night.live)
        return "<p class=\"note\">The window is still open: the figures so far.</p>";
    if (night.cut)
        return "<p class=\"note\">Partial: the window has no end line (the program stopped "
               "inside it); the figures are those of its lines.</p>";
    return "";
}

std::string OutageTable(const Night& night) {
    if (night.outageCount == 0)
        return "<p>No outages.</p>";
    std::string html =
        "<table><tr><th>Start</th><th>End</th><th>Length</th>"
        "<th>Reboots inside</th><th>Helped</th></tr>";
    for (const Outage& outage : night.outages) {
        html += "<tr><td>" + ClockText(outage.start) + "</td><td>" + EndText(night, outage) +
                "</td><td>" + LengthText(outage.end - outage.start) + "</td><td>" +
                Joined(night, outage, RebootText, "<br>") + "</td><td>" +
                Joined(night, outage, HelpedText, "<br>") + "</td></tr>";
    }
    html += "</table>";
    const int64_t more = night.outageCount - static_cast<int64_t>(night.outages.size());
    if (more > 0)
        html += "<p class=\"note\">And " + CountText(more, "more outage") + ".</p>";
    return html;
}

// The spans asleep and not running, in one line; none when the night had none.
std::string GapsText(const Night& night) {
    std::string text;
    for (const Gap& gap : night.gaps) {
        text += std::string(text.empty() ? "" : ", ") + GapName(gap.kind) + " " +
                ClockText(gap.start) + " to " + ClockText(gap.end);
    }
    return text.empty() ? "" : "<p>Not counted: " + text + ".</p>";
}

// The CSV rows of a night's gaps: the outages' columns, the reboots and their help left empty.
std::string GapRows(const Night& night) {
    std::string csv;
    for (const Gap& gap : night.gaps) {
        csv += DateText(night.begin) + "," + DateText(gap.start) + " " + ClockText(gap.start) +
               "," + DateText(gap.end) + " " + ClockText(gap.end) + "," +
               LengthText(gap.end - gap.start) + ",,," + GapName(gap.kind) + "\r\n";
    }
    return csv;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

std::string ReportPage(const std::deque<Night>& nights, const std::string& decimal) {
    const Totals t = Sum(nights);
    std::optional<double> share;
    if (t.length > 0)
        share = static_cast<double>(t.online) / static_cast<double>(t.length);
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
        "<title>Quorvane Helper - Night Report</title><style>";
    html += kStyle;
    html += "</style></head><body><h1>Quorvane Helper - Night Report</h1>";
    html += "<p class=\"summary\">Last " + CountText(static_cast<int64_t>(nights.size()), "night") +
            ": " + TrafficText(t.kilobytes, decimal) + ", " + PercentText(share, decimal) +
            " online, " + CountText(t.outages, "outage") + ", " + CountText(t.reboots, "reboot") +
            ", " + std::to_string(t.helped) + " helped.</p>";
    html += NightChart(nights, decimal);
    html += "<p class=\"legend\"><span style=\"color:" + std::string(kOnlineColour) +
            "\">&#9632; online</span><span style=\"color:" + kOutageColour +
            "\">&#9632; outage</span><span>&#9660; reboot after no connectivity</span>"
            "<span>&#9679; listed reboot</span><span style=\"color:#1a56db\">blue: rebooted"
            "</span><span>black: reboot failed</span><span style=\"color:#8e44ad\">&#9670; "
            "network card</span><span>&#9632; shutdown</span><span style=\"color:" +
            kAsleepColour + "\">&#9632; asleep</span><span style=\"color:" + kNotRunningColour +
            "\">&#9632; not running</span></p>";
    for (auto it = nights.rbegin(); it != nights.rend(); ++it) {
        html += "<h2>Night of " + DateText(it->begin) + "</h2>";
        html += Figures(*it, decimal) + Note(*it) + GapsText(*it) + OutageTable(*it);
    }
    html += "<p class=\"note\">The outages are also in " + std::string(kReportCsvName) +
            " beside this page.</p></body></html>\n";
    return html;
}

std::string OutagesCsv(const std::deque<Night>& nights) {
    std::string csv = "Night,Start,End,Length,Reboots inside,Helped,Kind\r\n";
    for (auto it = nights.rbegin(); it != nights.rend(); ++it) {
        for (const Outage& outage : it->outages) {
            csv += DateText(it->begin) + "," + DateText(outage.start) + " " +
                   ClockText(outage.start) + "," + DateText(outage.end) + " " +
                   EndText(*it, outage) + "," + LengthText(outage.end - outage.start) + "," +
                   CsvField(Joined(*it, outage, RebootText, "; ")) + "," +
                   CsvField(Joined(*it, outage, HelpedText, "; ")) + ",outage\r\n";
        }
        csv += GapRows(*it);
    }
    return csv;
}

}  // namespace qv::report
