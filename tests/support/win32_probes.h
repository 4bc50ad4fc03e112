// What the Windows tests look at from outside the services: a file's bytes
// and a value of the machine-wide Run key (its 64-bit view).
#pragma once

#include <windows.h>

#include <string>

namespace adsl::test {

inline constexpr char run_key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The file's bytes, or `missing` when it cannot be opened.
inline std::string file_bytes(const char* path, const std::string& missing)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return missing;
    }
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) {
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    }
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

struct RunValue {
    bool present = false;
    DWORD type = 0xFFFF;
    std::string data = "<unread>";
};

inline RunValue read_run_value(const char* name)
{
    RunValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, run_key, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        return value;
    }
    char buffer[1024];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
        value.present = true;
        value.data.assign(buffer, size);
    }
    RegCloseKey(key);
    return value;
}

inline void delete_run_value(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, run_key, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
}

} // namespace adsl::test
