// Auto-start registration against the Run key of the test's Wine prefix.
#include "config/dial_script.h"
#include "runtime/autostart.h"
#include "support/bytes.h"
#include "support/win32_probes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace adsl {
namespace {

using test::delete_run_value;
using test::read_run_value;
using test::RunValue;
using test::show;

constexpr char test_value[] = "adsl-autostart-test";
constexpr char neighbour_value[] = "adsl-autostart-neighbour";

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        first_ = std::string(temp) + "adsl-reg-first.bat";
        second_ = std::string(temp) + "adsl-reg-second.bat";
        for (const std::string* file : {&first_, &second_}) {
            HANDLE h = CreateFileA(file->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE) << *file;
            CloseHandle(h);
        }
        // A neighbour that must never change.
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, std::string(run_key_path).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, neighbour_value, 0, REG_SZ, reinterpret_cast<const BYTE*>("keep"), 5);
        RegCloseKey(key);
    }

    void TearDown() override
    {
        delete_run_value(test_value);
        delete_run_value(neighbour_value);
        DeleteFileA(first_.c_str());
        DeleteFileA(second_.c_str());
    }

    void expect_neighbour_kept()
    {
        const RunValue neighbour = read_run_value(neighbour_value);
        EXPECT_TRUE(neighbour.present && neighbour.data == std::string("keep", 5))
            << "neighbour value changed: " << show(neighbour.data);
    }

    std::string first_;
    std::string second_;
};

TEST_F(Registration, CreatesAndReplacesTheValue)
{
    EXPECT_EQ(register_autostart(test_value, first_), 1) << "first registration";
    RunValue value = read_run_value(test_value);
    EXPECT_TRUE(value.present) << "value missing after registration";
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data, first_ + '\0') << "expected " << show(first_ + '\0') << ", got " << show(value.data);

    EXPECT_EQ(register_autostart(test_value, second_), 1) << "second registration";
    value = read_run_value(test_value);
    EXPECT_EQ(value.data, second_ + '\0') << "the second command line replaces the first: got " << show(value.data);
    expect_neighbour_kept();
}

TEST_F(Registration, TheScriptEntryHoldsTwentyNineBytes)
{
    // The real entry: the script must exist for it to be written.
    const std::string script(script_path);
    const bool had_script = GetFileAttributesA(script.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!had_script) {
        HANDLE h = CreateFileA(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot make " << script << ", error " << GetLastError();
        CloseHandle(h);
    }
    EXPECT_EQ(register_autostart(test_value, script_path), 1);
    const RunValue value = read_run_value(test_value);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data.size(), 29u) << "data " << show(value.data);
    EXPECT_EQ(value.data, script + '\0');
    if (!had_script) {
        DeleteFileA(script.c_str());
    }
}

TEST_F(Registration, CommandLinesThatNameNoFileWriteNothing)
{
    const std::string cases[] = {
        first_ + ".missing",
        first_ + " /switch",
        "",
    };
    for (const std::string& command_line : cases) {
        SystemFailure failure;
        EXPECT_EQ(register_autostart(test_value, command_line, 0, &failure), 0)
            << "command line " << show(command_line);
        EXPECT_FALSE(read_run_value(test_value).present) << "a value was written for " << show(command_line);
        EXPECT_EQ(failure.code, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND)) << show(command_line);
    }
    EXPECT_EQ(register_autostart(test_value, first_, 1), 0) << "type 1 is not a type of this program";
    EXPECT_FALSE(read_run_value(test_value).present) << "type 1 wrote a value";
    expect_neighbour_kept();
}

TEST_F(Registration, NeverDeletesAValue)
{
    ASSERT_EQ(register_autostart(test_value, first_), 1);
    EXPECT_EQ(register_autostart(test_value, ""), 0);
    EXPECT_EQ(register_autostart(test_value, first_ + ".missing"), 0);
    const RunValue value = read_run_value(test_value);
    EXPECT_EQ(value.data, first_ + '\0') << "a failed registration changed the value: " << show(value.data);
}

} // namespace
} // namespace adsl
