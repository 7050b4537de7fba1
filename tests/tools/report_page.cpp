// Writes the night report of a log file: report_page LOG PAGE CSV. The browser test renders
// the page it writes.
#include <fstream>
#include <iostream>

#include "report/Nights.h"
#include "report/ReportPage.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: report_page LOG PAGE CSV\n";
        return 2;
    }
    std::ifstream log(argv[1], std::ios::binary);  // one that cannot be read reports no night
    qv::report::NightsRead read = qv::report::ReadNights(
        [&](char* buffer, size_t size) -> int64_t {
            log.read(buffer, static_cast<std::streamsize>(size));
            return log.bad() ? -1 : static_cast<int64_t>(log.gcount());
        },
        std::nullopt);
    std::ofstream(argv[2], std::ios::binary) << qv::report::ReportPage(read.nights, ".");
    std::ofstream(argv[3], std::ios::binary) << qv::report::OutagesCsv(read.nights);
    return read.failed ? 1 : 0;
}
