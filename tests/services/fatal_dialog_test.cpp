// The fatal error dialog seen from outside: a probe program is started, its
// box titled "错误" is found and read, OK is pressed, and the exit code, the
// end-of-run routine and the open file are checked.
#include "runtime/fatal.h"
#include "support/bytes.h"
#include "support/fatal_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace adsl {
namespace {

using test::show;

constexpr char dialog_title[] = "\xB4\xED\xCE\xF3"; // 错误
constexpr int message_text_id = 0xFFFF;           // Wine's message box text control

std::string probe_path()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    return path.substr(0, path.find_last_of('\\') + 1) + "fatal_probe.exe";
}

struct FindBox {
    DWORD process;
    HWND box;
};

BOOL CALLBACK find_box(HWND window, LPARAM parameter)
{
    FindBox* search = reinterpret_cast<FindBox*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[64] = "(none)";
    GetWindowTextA(window, title, sizeof title);
    if (owner == search->process && std::string(title) == dialog_title && IsWindowVisible(window)) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

HWND wait_for_box(DWORD process, HANDLE handle)
{
    for (int tries = 0; tries < 200; ++tries) {
        FindBox search{process, nullptr};
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (search.box != nullptr) {
            return search.box;
        }
        if (WaitForSingleObject(handle, 50) == WAIT_OBJECT_0) {
            return nullptr; // ended without a box
        }
    }
    return nullptr;
}

std::string window_text(HWND window)
{
    char text[2048] = "(unread)";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

struct Case {
    const char* mode;
    bool shows_dialog;
    std::string expected_text;
    DWORD exit_code;
    bool end_routine_runs;
};

TEST(FatalErrorDialog, ShowsItsTextAndEndsTheProgram)
{
    const Case cases[] = {
        {"code1", true, test::fatal_dialog_text(run_time_error_message(RunTimeError::index_above_count), 1),
         0xFFFFFFFF, false},
        {"code4", true, test::fatal_dialog_text(run_time_error_message(RunTimeError::index_below_one), 4),
         0xFFFFFFFF, false},
        {"oom", true, test::fatal_dialog_text(test::out_of_memory_message(1024), 0), 0xFFFFFFFF, false},
        {"end", false, "", 0, true},
    };
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const std::string file = std::string(temp) + "adsl-probe-" + c.mode + ".bat";
        const std::string marker = std::string(temp) + "adsl-probe-" + c.mode + ".ended";
        DeleteFileA(marker.c_str());
        HANDLE made = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(made, INVALID_HANDLE_VALUE) << file;
        CloseHandle(made);

        std::string command = "\"" + probe_path() + "\" " + c.mode + " \"" + file + "\" \"" + marker + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process))
            << command << ", error " << GetLastError();

        HWND box = wait_for_box(process.dwProcessId, process.hProcess);
        if (c.shows_dialog) {
            ASSERT_NE(box, nullptr) << "no box titled \"错误\" appeared";
            const std::string text = window_text(GetDlgItem(box, message_text_id));
            EXPECT_EQ(text, c.expected_text) << "expected " << show(c.expected_text) << ", got " << show(text);
            EXPECT_EQ(WaitForSingleObject(process.hProcess, 300), static_cast<DWORD>(WAIT_TIMEOUT))
                << "the program ended before the box was answered";
            HWND ok = GetDlgItem(box, IDOK);
            ASSERT_NE(ok, nullptr) << "the box has no OK button";
            PostMessageA(ok, BM_CLICK, 0, 0);
        } else {
            EXPECT_EQ(box, nullptr) << "an error box appeared";
        }
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0))
            << "the program did not end";
        DWORD exit_code = 0x12345678;
        GetExitCodeProcess(process.hProcess, &exit_code);
        EXPECT_EQ(exit_code, c.exit_code) << "exit code";
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        const bool marker_made = GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(marker_made, c.end_routine_runs) << "end-of-run routine ran?";
        EXPECT_TRUE(DeleteFileA(file.c_str())) << "the open file was not closed: error " << GetLastError();
        DeleteFileA(marker.c_str());
    }
}

} // namespace
} // namespace adsl
