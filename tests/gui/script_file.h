// The dial-up script in the test's prefix, prepared and read by the drivers
// outside the program.
#pragma once

#include "../support/win32_probes.h"

#include <windows.h>

#include <string>

namespace adsl::test {

inline constexpr char script[] = "C:\\Windows\\system32\\adsl.bat";

// What script_bytes() answers when there is no file.
inline const std::string no_file = "<no file>";

// The script's bytes, or no_file.
inline std::string script_bytes() { return file_bytes(script, no_file); }

// Removes the script, or a directory in its place.
inline void remove_script()
{
    SetFileAttributesA(script, FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(script)) {
        RemoveDirectoryA(script);
    }
}

// Makes the script hold exactly `bytes`.
inline void put_script(const std::string& bytes)
{
    remove_script();
    HANDLE h = CreateFileA(script, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (h != INVALID_HANDLE_VALUE) {
        if (!bytes.empty()) {
            WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        }
        CloseHandle(h);
    }
}

} // namespace adsl::test
