#include "report/ReportChart.h"

#include <algorithm>
#include <cstdio>

#include "report/ReportText.h"

namespace qv::report {
namespace {

constexpr int kWidth = 960;
constexpr int kBarLeft = 190;
constexpr int kBarWidth = 600;
constexpr int kTrafficLeft = 805;
constexpr int kRowHeight = 54;
constexpr int kBarTop = 18;  // within a row
constexpr int kBarHeight = 16;

std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

// The x of a moment on the night's bar.
double X(const Night& night, int64_t at) {
    const double length = static_cast<double>(std::max<int64_t>(night.Length(), 1));
    const double share =
        static_cast<double>(std::clamp(at - night.begin, int64_t{0}, night.Length())) / length;
    return kBarLeft + share * kBarWidth;
}

std::string Rect(double x, double y, double w, double h, const std::string& fill,
                 const std::string& title) {
    return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(w) +
           "\" height=\"" + Number(h) + "\" fill=\"" + fill + "\"><title>" + title +
           "</title></rect>";
}

std::string RebootMark(const Night& night, const Reboot& reboot, double top) {
    const double x = X(night, reboot.at);
    const std::string fill = reboot.rebooted ? "#1a56db" : "#000000";
    const std::string title = ClockText(reboot.at) +
                              (reboot.listed ? " listed reboot" : " reboot after no connectivity") +
                              (reboot.rebooted ? ", rebooted" : ", failed");
    if (reboot.listed)
        return "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(top + 5) + "\" r=\"5\" fill=\"" +
               fill + "\"><title>" + title + "</title></circle>";
    return "<path d=\"M" + Number(x - 6) + " " + Number(top) + "h12l-6 10z\" fill=\"" + fill +
           "\"><title>" + title + "</title></path>";
}

std::string OtherMark(const Night& night, const Mark& mark, double top) {
    const double x = X(night, mark.at);
    if (mark.kind == MarkKind::Shutdown)
        return Rect(x - 5, top, 10, 10, "#000000", ClockText(mark.at) + " shutdown");
    return "<path d=\"M" + Number(x) + " " + Number(top) + "l5 5-5 5-5-5z\" fill=\"#8e44ad\">" +
           "<title>" + ClockText(mark.at) + " network card switched</title></path>";
}

// The spans asleep and not running, grey over the bar.
std::string Gaps(const Night& night, double top) {
    std::string svg;
    for (const Gap& gap : night.gaps) {
        const double x = X(night, gap.start);
        const double w = std::max(2.0, X(night, gap.end) - x);
        svg += Rect(std::min(x, kBarLeft + kBarWidth - w), top, w, kBarHeight,
                    gap.kind == GapKind::Asleep ? kAsleepColour : kNotRunningColour,
                    std::string(GapName(gap.kind)) + " " + ClockText(gap.start) + " to " +
                        ClockText(gap.end));
    }
    return svg;
}

std::string Label(double x, double y, const std::string& text, const std::string& extra = "") {
    return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\"" + extra + ">" + text + "</text>";
}

}  // namespace

const char* GapName(GapKind kind) {
    return kind == GapKind::Asleep ? "asleep" : "not running";
}

std::string NightChart(const std::deque<Night>& nights, const std::string& decimal) {
    const int height = std::max<int>(1, static_cast<int>(nights.size())) * kRowHeight + 8;
    std::string svg = "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(kWidth) + "\" height=\"" + std::to_string(height) +
                      "\" viewBox=\"0 0 " + std::to_string(kWidth) + " " + std::to_string(height) +
                      "\">";
    double rowTop = 4;
    for (auto it = nights.rbegin(); it != nights.rend(); ++it, rowTop += kRowHeight) {
        const Night& night = *it;
        const double barTop = rowTop + kBarTop;
        svg += Label(0, barTop + 12, DateText(night.begin) + (night.partial ? " (partial)" : ""));
        svg += Label(0, barTop + 27, ClockText(night.begin) + " - " + ClockText(night.end),
                     " class=\"hours\"");
        svg += Rect(kBarLeft, barTop, kBarWidth, kBarHeight,
                    night.partial ? kPartialColour : kOnlineColour,
                    night.partial ? "from its failures and reboots" : "online");
        for (const Outage& outage : night.outages) {
            const double x = X(night, outage.start);
            const double w = std::max(2.0, X(night, outage.end) - x);
            svg += Rect(std::min(x, kBarLeft + kBarWidth - w), barTop, w, kBarHeight, kOutageColour,
                        "outage " + ClockText(outage.start) + " to " + ClockText(outage.end));
        }
        svg += Gaps(night, barTop);
        for (const Reboot& reboot : night.reboots)
            svg += RebootMark(night, reboot, barTop - 12);
        for (const Mark& mark : night.marks)
            svg += OtherMark(night, mark, barTop + kBarHeight + 2);
        svg += Label(kTrafficLeft, barTop + 12, TrafficText(night.kilobytes, decimal));
    }
    return svg + "</svg>";
}

}  // namespace qv::report
