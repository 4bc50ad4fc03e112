#include "config/settings_check.h"

namespace adsl {
namespace {

// The boxes' names as their labels show them (without the layout blanks).
constexpr std::string_view connection_label = "\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6"; // 连接名称
constexpr std::string_view user_label = "\xD3\xC3\xBB\xA7\xC3\xFB";               // 用户名
constexpr std::string_view password_label = "\xC3\xDC\xC2\xEB";                    // 密码

// 不能包含字符“ … ”：拨号脚本无法原样保存它。
constexpr std::string_view forbidden_before = "\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC\xD7\xD6\xB7\xFB\xA1\xB0";
constexpr std::string_view forbidden_after =
    "\xA1\xB1\xA3\xBA\xB2\xA6\xBA\xC5\xBD\xC5\xB1\xBE\xCE\xDE\xB7\xA8\xD4\xAD\xD1\xF9\xB1\xA3\xB4\xE6\xCB\xFC\xA1\xA3";
// 不能包含控制字符（如制表符或换行符）。
constexpr std::string_view control_message =
    "\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC\xBF\xD8\xD6\xC6\xD7\xD6\xB7\xFB\xA3\xA8\xC8\xE7\xD6\xC6\xB1\xED\xB7\xFB\xBB\xF2"
    "\xBB\xBB\xD0\xD0\xB7\xFB\xA3\xA9\xA1\xA3";
// 不能包含空格：拨号脚本用空格分隔用户名和密码。
constexpr std::string_view blank_message =
    "\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC\xBF\xD5\xB8\xF1\xA3\xBA\xB2\xA6\xBA\xC5\xBD\xC5\xB1\xBE\xD3\xC3\xBF\xD5\xB8\xF1"
    "\xB7\xD6\xB8\xF4\xD3\xC3\xBB\xA7\xC3\xFB\xBA\xCD\xC3\xDC\xC2\xEB\xA1\xA3";
// 的末尾有不完整的双字节字符。
constexpr std::string_view incomplete_message =
    "\xB5\xC4\xC4\xA9\xCE\xB2\xD3\xD0\xB2\xBB\xCD\xEA\xD5\xFB\xB5\xC4\xCB\xAB\xD7\xD6\xBD\xDA\xD7\xD6\xB7\xFB\xA1\xA3";
// 请输入连接名称。
constexpr std::string_view empty_connection_message =
    "\xC7\xEB\xCA\xE4\xC8\xEB\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6\xA1\xA3";
// 连接名称不能以反斜杠“\”结尾：它会使连接名称的右引号失效。
constexpr std::string_view final_backslash_message =
    "\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6\xB2\xBB\xC4\xDC\xD2\xD4\xB7\xB4\xD0\xB1\xB8\xDC\xA1\xB0\\\xA1\xB1\xBD\xE1\xCE"
    "\xB2\xA3\xBA\xCB\xFC\xBB\xE1\xCA\xB9\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6\xB5\xC4\xD3\xD2\xD2\xFD\xBA\xC5\xCA\xA7\xD0"
    "\xA7\xA1\xA3";
// 已填写用户名时，必须同时填写密码。
constexpr std::string_view missing_password_message =
    "\xD2\xD1\xCC\xEE\xD0\xB4\xD3\xC3\xBB\xA7\xC3\xFB\xCA\xB1\xA3\xAC\xB1\xD8\xD0\xEB\xCD\xAC\xCA\xB1\xCC\xEE\xD0\xB4"
    "\xC3\xDC\xC2\xEB\xA1\xA3";
// 已填写密码时，必须同时填写用户名。
constexpr std::string_view missing_user_message =
    "\xD2\xD1\xCC\xEE\xD0\xB4\xC3\xDC\xC2\xEB\xCA\xB1\xA3\xAC\xB1\xD8\xD0\xEB\xCD\xAC\xCA\xB1\xCC\xEE\xD0\xB4\xD3\xC3"
    "\xBB\xA7\xC3\xFB\xA1\xA3";

// What `cmd` treats specially outside double quotes.
constexpr std::string_view outside_quote_specials = "&|<>^";

SettingsCheck refuse(SettingsField field, Text message)
{
    SettingsCheck check;
    check.refused = field;
    check.message = std::move(message);
    return check;
}

// The first fault of one value, or an accepted check.
SettingsCheck check_value(SettingsField field, std::string_view label, std::string_view value, bool outside_quotes)
{
    std::size_t i = 0;
    while (i < value.size()) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (c >= 0x80) {
            if (i + 1 == value.size()) {
                return refuse(field, join({label, incomplete_message}));
            }
            i += 2;
            continue;
        }
        if (c < 0x20) {
            return refuse(field, join({label, control_message}));
        }
        const bool forbidden = c == '"' || c == '%' ||
                               (outside_quotes && outside_quote_specials.find(static_cast<char>(c)) !=
                                                      std::string_view::npos);
        if (forbidden) {
            const char character[1] = {static_cast<char>(c)};
            return refuse(field, join({label, forbidden_before, std::string_view(character, 1), forbidden_after}));
        }
        if (outside_quotes && c == ' ') {
            return refuse(field, join({label, blank_message}));
        }
        i += 1;
    }
    return {};
}

// Whether the last character is a backslash of its own (not a trail byte).
bool ends_in_backslash(std::string_view value)
{
    std::size_t i = 0;
    bool last_is_backslash = false;
    while (i < value.size()) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        last_is_backslash = c == '\\';
        i += c >= 0x80 ? 2 : 1;
    }
    return last_is_backslash;
}

} // namespace

SettingsCheck check_settings(std::string_view connection_name, std::string_view user_name, std::string_view password)
{
    if (connection_name.empty()) {
        return refuse(SettingsField::connection_name, to_text(empty_connection_message));
    }
    SettingsCheck check = check_value(SettingsField::connection_name, connection_label, connection_name, false);
    if (check.refused != SettingsField::none) {
        return check;
    }
    if (ends_in_backslash(connection_name)) {
        return refuse(SettingsField::connection_name, to_text(final_backslash_message));
    }
    check = check_value(SettingsField::user_name, user_label, user_name, true);
    if (check.refused != SettingsField::none) {
        return check;
    }
    check = check_value(SettingsField::password, password_label, password, true);
    if (check.refused != SettingsField::none) {
        return check;
    }
    if (!user_name.empty() && password.empty()) {
        return refuse(SettingsField::password, to_text(missing_password_message));
    }
    if (user_name.empty() && !password.empty()) {
        return refuse(SettingsField::user_name, to_text(missing_user_message));
    }
    return {};
}

} // namespace adsl
