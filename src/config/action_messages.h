// The texts that the load and save actions show, composed from their parts.
#pragma once

#include "runtime/system_failure.h"
#include "runtime/text.h"

#include <string_view>

namespace adsl {

// "如果您输入的信息有误，配置将不会生效！", shown before the save writes.
extern const std::string_view save_confirmation_text;

// The script exists but cannot be opened: names the path and the reason.
Text compose_unopenable_script_warning(std::string_view path, std::string_view reason);

// The script's text is not a dial-up line this program can read.
Text compose_unreadable_script_warning(std::string_view path);

enum class SaveStep {
    write_new_script,
    replace_script,
    register_autostart,
};

// What failed, the path or key it concerns, the Windows reason, and the
// advice to run as administrator when access was refused.
Text compose_save_failure(SaveStep step, const SystemFailure& failure);

} // namespace adsl
