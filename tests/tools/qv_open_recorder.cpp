// Stands in for the user's browser in the end-to-end runs: registered as the program that opens
// .html files, it appends the command line it was started with to the file that QV_OPENED
// names, and ends.
#include <windows.h>

#include <cstdio>

int main() {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QV_OPENED", path, sizeof path);
    std::FILE* file = n == 0 || n >= sizeof path ? nullptr : std::fopen(path, "ab");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%s\r\n", GetCommandLineA());
    return std::fclose(file) == 0 ? 0 : 1;
}
