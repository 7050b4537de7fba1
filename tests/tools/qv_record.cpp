// qv_record: stands in for a program whose calls a test wants to see (icacls, under Wine, which
// keeps no access lists): appends its command line, without its own name, as one line to the
// file that the variable QV_RECORD names, and ends with 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    std::string line = GetCommandLineA();
    size_t i = 0;
    if (!line.empty() && line[0] == '"')
        i = line.find('"', 1) == std::string::npos ? line.size() : line.find('"', 1) + 1;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t')
        ++i;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    const char* record = std::getenv("QV_RECORD");
    FILE* file = record != nullptr ? std::fopen(record, "ab") : nullptr;
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%s\n", line.c_str() + i);
    std::fclose(file);
    return 0;
}
