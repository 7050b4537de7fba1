// qv_record: stands in for a program whose calls a test wants to see (icacls, under Wine, which
// keeps no access lists): appends its command line, without its own name, as one line to the
// file that the variable QV_RECORD names, and ends with 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    // The program's name ends at the first blank or tab outside its quotes.
    const std::string line = GetCommandLineA();
    const size_t name = line.find_first_of(" \t", line[0] == '"' ? line.find('"', 1) : 0);
    const size_t args = line.find_first_not_of(" \t", name);
    const char* record = std::getenv("QV_RECORD");
    FILE* file = record != nullptr ? std::fopen(record, "ab") : nullptr;
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%s\n", args == std::string::npos ? "" : line.c_str() + args);
    std::fclose(file);
    return 0;
}
