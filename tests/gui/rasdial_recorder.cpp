// Stands in for Windows' Rasdial when a test runs the dial-up script with
// cmd: records the arguments it receives, one a line, as GBK bytes, in the
// file named by the environment variable RASDIAL_RECORD.
#include <windows.h>
#include <shellapi.h>

#include <string>

int main()
{
    wchar_t record[MAX_PATH];
    if (GetEnvironmentVariableW(L"RASDIAL_RECORD", record, MAX_PATH) == 0) {
        return 2;
    }
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return 3;
    }
    std::string lines;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(936, 0, arguments[i], -1, nullptr, 0, nullptr, nullptr);
        std::string bytes(size > 0 ? size : 1, '\0');
        WideCharToMultiByte(936, 0, arguments[i], -1, bytes.data(), size, nullptr, nullptr);
        bytes.resize(bytes.size() - 1);
        lines += bytes + "\n";
    }
    LocalFree(arguments);
    HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 4;
    }
    DWORD written = 0;
    WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
