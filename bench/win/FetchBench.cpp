// qv_fetch_bench: fetches pages through the program's own fetch path and the real WinINet, and
// prints, for each address, the bytes received, the median time of the runs and the most
// private memory the process held above its level before the fetch.
//
//   qv_fetch_bench RUNS URL...
//
// Output, one line per address: url bytes median_seconds peak_private_bytes
#include <windows.h>
//
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "connectivity/PingInet.h"
#include "win32/Win32Internet.h"
#include "win32/Win32Ui.h"
#include "tests/doubles/FakePlatform.h"

namespace {

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_fetch_bench RUNS URL...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    qv::win32::Win32Ui ui;
    qv::Win32Internet real(ui);
    for (int a = 2; a < argc; ++a) {
        const std::string url = argv[a];
        std::vector<double> seconds;
        size_t peak = 0;
        int64_t bytes = 0;
        for (int r = 0; r < runs; ++r) {
            qv::test::TestApp t;
            t.InitPaths();
            t.internet.passThrough = &real;
            const size_t before = PrivateBytes();
            t.ui.onPump = [&] {
                peak = std::max(peak, PrivateBytes() - std::min(PrivateBytes(), before));
            };
            const auto start = std::chrono::steady_clock::now();
            qv::FetchPage(t.app.connectivityContext, url);
            seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            bytes = t.app.traffic.TotalBytesDownloaded;
        }
        std::sort(seconds.begin(), seconds.end());
        std::printf("%s %lld %.4f %zu\n", url.c_str(), static_cast<long long>(bytes),
                    seconds[seconds.size() / 2], peak);
        std::fflush(stdout);
    }
    return 0;
}
