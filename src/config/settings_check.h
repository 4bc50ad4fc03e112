// The check that the save makes before it writes anything: refuses the
// values that the dial-up script cannot carry unchanged, or that would make
// cmd run something nobody typed.
#pragma once

#include "runtime/text.h"

#include <string_view>

namespace adsl {

enum class SettingsField {
    none,
    connection_name,
    user_name,
    password,
};

struct SettingsCheck {
    SettingsField refused = SettingsField::none; // none: the values are accepted
    Text message;                                // why, in Chinese, naming the box
};

// Scans each value by characters (a byte of 0x80 or above takes the next
// byte with it, so a trail byte is never one of the ASCII characters
// below) and answers the first refusal:
// - in every value: a double quote, a percent sign, a control character,
//   an incomplete two-byte character at the end;
// - in the connection name: nothing at all, a final backslash;
// - in the user name and the password: a blank, & | < > ^;
// - a user name without a password, or a password without a user name.
SettingsCheck check_settings(std::string_view connection_name, std::string_view user_name,
                             std::string_view password);

} // namespace adsl
