// The load and save actions' messages, as a person reads them.
#include "config/action_messages.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)

namespace adsl {
namespace {

using test::gbk_to_utf8;

SystemFailure failure_of(std::string_view subject, unsigned long code, std::string_view reason)
{
    SystemFailure failure;
    failure.subject = to_text(subject);
    failure.code = code;
    failure.reason = to_text(reason);
    return failure;
}

TEST(ActionMessages, ReadAsIntended)
{
    const std::string path = "C:\\Windows\\system32\\adsl.bat";
    const Text confirmation = to_text(save_confirmation_text);
    const Text unopenable = compose_unopenable_script_warning(path, "Access denied.");
    const Text unreadable = compose_unreadable_script_warning(path);
    const Text write_failed =
        compose_save_failure(SaveStep::write_new_script, failure_of(path + ".7.tmp", 5, "Access denied."));
    const Text replace_failed =
        compose_save_failure(SaveStep::replace_script, failure_of(path, 32, "In use."));
    const Text register_failed = compose_save_failure(
        SaveStep::register_autostart, failure_of("Software\\Microsoft\\Windows\\CurrentVersion\\Run", 2, "Not found."));
    struct Case {
        const char* name;
        std::string_view gbk;
        std::string utf8;
    } const cases[] = {
        {"confirmation", confirmation.view(), "如果您输入的信息有误，配置将不会生效！"},
        {"unopenable script", unopenable.view(),
         "无法打开拨号脚本：\r\n" + path + "\r\n\r\nAccess denied.\r\n\r\n程序将以空白设置打开，保存时将替换该脚本。"},
        {"unreadable script", unreadable.view(),
         "拨号脚本的内容不是可识别的拨号命令行：\r\n" + path + "\r\n\r\n程序将以空白设置打开，保存时将替换该脚本。"},
        {"write refused", write_failed.view(),
         "无法写入新的拨号脚本：\r\n" + path + ".7.tmp\r\n\r\nAccess denied.\r\n\r\n请以管理员身份运行本程序。"},
        {"replace failed", replace_failed.view(), "无法替换拨号脚本：\r\n" + path + "\r\n\r\nIn use."},
        {"registration failed", register_failed.view(),
         "无法登记开机自动运行项：\r\nHKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n\r\n"
         "Not found."},
    };
    for (const Case& c : cases) {
        const std::string got = gbk_to_utf8(c.gbk);
        EXPECT_EQ(got, c.utf8) << c.name << ": expected\n" << c.utf8 << "\ngot\n" << got;
    }
}

} // namespace
} // namespace adsl

#endif
