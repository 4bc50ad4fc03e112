#include "config/action_messages.h"

#include "runtime/autostart.h"

namespace adsl {
namespace {

constexpr std::string_view paragraph = "\r\n\r\n";

// 无法打开拨号脚本：
constexpr std::string_view cannot_open = "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xB2\xA6\xBA\xC5\xBD\xC5\xB1\xBE\xA3\xBA";
// 拨号脚本的内容不是可识别的拨号命令行：
constexpr std::string_view not_a_dial_line =
    "\xB2\xA6\xBA\xC5\xBD\xC5\xB1\xBE\xB5\xC4\xC4\xDA\xC8\xDD\xB2\xBB\xCA\xC7\xBF\xC9\xCA\xB6\xB1\xF0\xB5\xC4\xB2\xA6"
    "\xBA\xC5\xC3\xFC\xC1\xEE\xD0\xD0\xA3\xBA";
// 程序将以空白设置打开，保存时将替换该脚本。
constexpr std::string_view opens_empty =
    "\xB3\xCC\xD0\xF2\xBD\xAB\xD2\xD4\xBF\xD5\xB0\xD7\xC9\xE8\xD6\xC3\xB4\xF2\xBF\xAA\xA3\xAC\xB1\xA3\xB4\xE6\xCA\xB1"
    "\xBD\xAB\xCC\xE6\xBB\xBB\xB8\xC3\xBD\xC5\xB1\xBE\xA1\xA3";
// 无法写入新的拨号脚本：
constexpr std::string_view cannot_write = "\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xD0\xC2\xB5\xC4\xB2\xA6\xBA\xC5\xBD\xC5"
                                          "\xB1\xBE\xA3\xBA";
// 无法替换拨号脚本：
constexpr std::string_view cannot_replace = "\xCE\xDE\xB7\xA8\xCC\xE6\xBB\xBB\xB2\xA6\xBA\xC5\xBD\xC5\xB1\xBE\xA3\xBA";
// 无法登记开机自动运行项：
constexpr std::string_view cannot_register =
    "\xCE\xDE\xB7\xA8\xB5\xC7\xBC\xC7\xBF\xAA\xBB\xFA\xD7\xD4\xB6\xAF\xD4\xCB\xD0\xD0\xCF\xEE\xA3\xBA";
// 请以管理员身份运行本程序。
constexpr std::string_view run_as_administrator =
    "\xC7\xEB\xD2\xD4\xB9\xDC\xC0\xED\xD4\xB1\xC9\xED\xB7\xDD\xD4\xCB\xD0\xD0\xB1\xBE\xB3\xCC\xD0\xF2\xA1\xA3";

} // namespace

// 如果您输入的信息有误，配置将不会生效！
const std::string_view save_confirmation_text =
    "\xC8\xE7\xB9\xFB\xC4\xFA\xCA\xE4\xC8\xEB\xB5\xC4\xD0\xC5\xCF\xA2\xD3\xD0\xCE\xF3\xA3\xAC\xC5\xE4\xD6\xC3\xBD\xAB"
    "\xB2\xBB\xBB\xE1\xC9\xFA\xD0\xA7\xA3\xA1";

Text compose_unopenable_script_warning(std::string_view path, std::string_view reason)
{
    return join({cannot_open, "\r\n", path, paragraph, reason, paragraph, opens_empty});
}

Text compose_unreadable_script_warning(std::string_view path)
{
    return join({not_a_dial_line, "\r\n", path, paragraph, opens_empty});
}

Text compose_save_failure(SaveStep step, const SystemFailure& failure)
{
    std::string_view what = cannot_write;
    std::string_view hive;
    switch (step) {
    case SaveStep::write_new_script:
        break;
    case SaveStep::replace_script:
        what = cannot_replace;
        break;
    case SaveStep::register_autostart:
        what = cannot_register;
        hive = "HKEY_LOCAL_MACHINE\\";
        break;
    }
    const std::string_view advice = is_access_denied(failure) ? run_as_administrator : std::string_view();
    return join({what, "\r\n", hive, failure.subject.view(), paragraph, failure.reason.view(),
                 advice.empty() ? std::string_view() : paragraph, advice});
}

} // namespace adsl
