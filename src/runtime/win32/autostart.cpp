// Auto-start registration under HKEY_LOCAL_MACHINE's Run key.
#include "runtime/autostart.h"

#include "runtime/files.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/system_failure_win32.h"
#include "runtime/win32/wow64.h"

namespace adsl {

int register_autostart(std::string_view name, std::string_view command_line, int type, SystemFailure* failure)
{
    if (type != 0) {
        return 0;
    }
    // The entry must name an existing file; an argument after the path
    // makes the whole command line name none.
    if (command_line.empty() || !file_exists(command_line)) {
        record_failure(failure, command_line, ERROR_FILE_NOT_FOUND);
        return 0;
    }
    const Text key_path = Text::copy_of(run_key_path);
    const Text value_name = Text::copy_of(name);
    const Text data = Text::copy_of(command_line);

    RegistryKey key;
    LONG status = 0;
    if (running_under_wow64()) {
        // Logon reads the 64-bit view; a 32-bit process would write the
        // 32-bit one.
        status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.get(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                               key.receive());
    } else {
        status = RegOpenKeyA(HKEY_LOCAL_MACHINE, key_path.get(), key.receive());
    }
    if (status != ERROR_SUCCESS) {
        record_failure(failure, run_key_path, static_cast<DWORD>(status));
        return 0;
    }
    status = RegSetValueExA(key.get(), value_name.get(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.get()),
                            static_cast<DWORD>(data.length() + 1));
    if (status != ERROR_SUCCESS) {
        record_failure(failure, run_key_path, static_cast<DWORD>(status));
        return 0;
    }
    return 1;
}

} // namespace adsl
