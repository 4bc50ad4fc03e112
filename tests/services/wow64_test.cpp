// A 32-bit build on 64-bit Windows: the script must land in the native
// System32, where the Run entry is resolved at logon, and the entry in the
// 64-bit view of the Run key.
#include "config/dial_script.h"
#include "runtime/autostart.h"
#include "runtime/files.h"
#include "runtime/win32/wow64.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace adsl {
namespace {

bool exists_where_32_bit_programs_look(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; // redirection on
}

bool exists_in_native_folder(const char* path)
{
    const RedirectionOff native_paths;
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

TEST(Wow64, ScriptAndEntryGoWhereLogonLooks)
{
    if (!running_under_wow64()) {
        GTEST_SKIP() << "not a 32-bit process on 64-bit Windows";
    }
    const std::string script(script_path);
    ASSERT_FALSE(exists_in_native_folder(script.c_str())) << "a script is already there; the test would lose it";

    const FileNumber number = open_file(script_path, OpenMode::rewrite);
    ASSERT_NE(number, 0u) << "cannot create " << script;
    EXPECT_TRUE(write_line(number, script_first_line));
    close_file(number);
    EXPECT_TRUE(exists_in_native_folder(script.c_str())) << "the script is not in the native System32";
    EXPECT_FALSE(exists_where_32_bit_programs_look("C:\\Windows\\SysWOW64\\adsl.bat"))
        << "the script went to SysWOW64";
    EXPECT_TRUE(file_exists(script_path)) << "the exists test looks in another folder than open";

    constexpr char value_name[] = "adsl-autostart-wow64-test";
    EXPECT_EQ(register_autostart(value_name, script_path), 1);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(run_key_path).c_str(), 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, &key),
              ERROR_SUCCESS);
    char data[64] = "(unread)";
    DWORD size = sizeof data;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, value_name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS)
        << "the value is not in the 64-bit view";
    EXPECT_EQ(std::string(data), script) << "value in the 64-bit view";
    RegDeleteValueA(key, value_name);
    RegCloseKey(key);

    EXPECT_TRUE(remove_file(script_path)) << "cannot remove the test's script";
}

} // namespace
} // namespace adsl
