// Auto-start registration: a named command line under the machine-wide
// Run key, which Windows runs at every logon.
#pragma once

#include "runtime/system_failure.h"

#include <string_view>

namespace adsl {

// The key under HKEY_LOCAL_MACHINE; it must exist and is never created.
inline constexpr std::string_view run_key_path = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes the REG_SZ value `name` = `command_line` when `command_line` names
// an existing file. Type 0 is the machine-wide Run key, the only type.
// Answers 1 when written, else 0. Never deletes a value.
int register_autostart(std::string_view name, std::string_view command_line, int type = 0,
                       SystemFailure* failure = nullptr);

} // namespace adsl
