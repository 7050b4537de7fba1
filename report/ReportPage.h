#pragma once
#include <deque>
#include <string>

#include "report/Nights.h"

namespace qv::report {

// The name of the outages' CSV file, which is written beside the page.
inline constexpr const char* kReportPageName = "NightReport.html";
inline constexpr const char* kReportCsvName = "NightReport.csv";

// The whole report as one page that needs nothing outside itself (HTML, inline CSS and SVG,
// no script): a summary line over the nights, the chart, then each night newest first with its
// figures and its table of outages. `decimal` is the regional decimal separator.
std::string ReportPage(const std::deque<Night>& nights, const std::string& decimal);

// The same outages, one row each, newest night first, as a CSV file (RFC 4180, CR LF).
std::string OutagesCsv(const std::deque<Night>& nights);

}  // namespace qv::report
