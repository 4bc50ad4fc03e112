// Drives the configurator's four actions end to end: what the load makes
// of a script, what the save writes and registers, what it refuses, how it
// fails, and what reset, cancel and closing leave behind.
//
//   actions_driver GROUP PROGRAM RASDIAL_RECORDER
//
// The driver prepares the script and the Run value in the prefix itself,
// starts the configurator, answers its boxes and looks at the results.
#include "driver_support.h"
#include "script_file.h"

#include <string>
#include <vector>

using namespace adsl::test;

namespace {

constexpr char entry[] = "adsl.bat";
constexpr char info_title[] = "\xD0\xC5\xCF\xA2\xA3\xBA"; // 信息：
constexpr char error_title[] = "\xB4\xED\xCE\xF3";        // 错误
// 如果您输入的信息有误，配置将不会生效！
constexpr char confirmation[] = "\xC8\xE7\xB9\xFB\xC4\xFA\xCA\xE4\xC8\xEB\xB5\xC4\xD0\xC5\xCF\xA2\xD3\xD0\xCE\xF3"
                                "\xA3\xAC\xC5\xE4\xD6\xC3\xBD\xAB\xB2\xBB\xBB\xE1\xC9\xFA\xD0\xA7\xA3\xA1";
constexpr int box_text_id = 0xFFFF; // Wine's message box text control

std::string recorder_path;

// ---- The prefix's script and Run value ------------------------------------

RunValue run_value() { return read_run_value(entry); }

void remove_run_value() { delete_run_value(entry); }

void put_run_value(const char* data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, run_key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                       static_cast<DWORD>(strlen(data) + 1));
        RegCloseKey(key);
    }
}

// ---- The configurator and its boxes ----------------------------------------

struct DialogSearch {
    DWORD process_id;
    const char* title;
    HWND found;
};

BOOL CALLBACK match_dialog(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && IsWindowVisible(window) && class_of(window) == "#32770" &&
        window_text(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A message box of the configurator with that title, within `ms`.
HWND wait_for_box(const Configurator& configurator, const char* title, DWORD ms = 8000)
{
    DialogSearch search{configurator.process_id, title, nullptr};
    wait_for(
        [&] {
            search.found = nullptr;
            EnumWindows(match_dialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || !configurator.running();
        },
        ms);
    return search.found;
}

std::string box_text(HWND box) { return window_text(GetDlgItem(box, box_text_id)); }

void press_ok(HWND box) { PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }

// Starts a copy without waiting for its window: a load warning comes first.
bool launch_at(int line, Configurator& configurator)
{
    std::string command = "\"" + program_path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessA(program_path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &info);
    ok_at(line, started, "expected the configurator started, got error %lu\n", started ? 0UL : GetLastError());
    if (!started) {
        return false;
    }
    CloseHandle(info.hThread);
    configurator.process = KernelHandle(info.hProcess);
    configurator.process_id = info.dwProcessId;
    return true;
}
#define launch(...) launch_at(__LINE__, __VA_ARGS__)

bool wait_for_window_at(int line, Configurator& configurator)
{
    wait_for([&] { return (configurator.window = find_visible_window(configurator.process_id)) != nullptr; },
             20000);
    ok_at(line, configurator.window != nullptr, "expected the configurator's window, got none\n");
    if (configurator.window == nullptr) {
        return false;
    }
    configurator.thread_id = GetWindowThreadProcessId(configurator.window, nullptr);
    wait_for([&] { return configurator.focus() != nullptr; }, 3000);
    return true;
}
#define wait_for_window(...) wait_for_window_at(__LINE__, __VA_ARGS__)

struct Boxes {
    std::string connection, user, password;
};

Boxes boxes_of(const Configurator& configurator)
{
    return {window_text(configurator.child(box1)), window_text(configurator.child(box2)),
            window_text(configurator.child(box3))};
}

void check_boxes_at(int line, const Configurator& configurator, const Boxes& expected)
{
    const Boxes got = boxes_of(configurator);
    ok_at(line, got.connection == expected.connection, "connection box: expected %s, got %s\n",
          show(expected.connection).c_str(), show(got.connection).c_str());
    ok_at(line, got.user == expected.user, "user box: expected %s, got %s\n", show(expected.user).c_str(),
          show(got.user).c_str());
    ok_at(line, got.password == expected.password, "password box: expected %s, got %s\n",
          show(expected.password).c_str(), show(got.password).c_str());
}
#define check_boxes(...) check_boxes_at(__LINE__, __VA_ARGS__)

void fill_boxes(const Configurator& configurator, const Boxes& values)
{
    set_text(configurator.child(box1), values.connection.c_str());
    set_text(configurator.child(box2), values.user.c_str());
    set_text(configurator.child(box3), values.password.c_str());
}

void click(const Configurator& configurator, int button) { PostMessageA(configurator.child(button), BM_CLICK, 0, 0); }

// Starts a copy with no warning expected and waits for its window.
bool start_quietly_at(int line, Configurator& configurator)
{
    return launch_at(line, configurator) && wait_for_window_at(line, configurator);
}
#define start_quietly(...) start_quietly_at(__LINE__, __VA_ARGS__)

// Cancels and checks that the copy ended with 0.
void cancel_at(int line, Configurator& configurator)
{
    click(configurator, button3);
    const DWORD code = configurator.exit_code();
    ok_at(line, code == 0, "expected exit code 0 after cancel, got 0x%lx\n", code);
}
#define cancel(...) cancel_at(__LINE__, __VA_ARGS__)

// Saves: answers the confirmation with OK and waits for the end.
DWORD save_confirmed_at(int line, Configurator& configurator)
{
    click(configurator, button1);
    HWND box = wait_for_box(configurator, info_title);
    ok_at(line, box != nullptr, "expected the confirmation box, got none\n");
    if (box == nullptr) {
        return unset_exit_code;
    }
    const std::string text = box_text(box);
    ok_at(line, text == confirmation, "confirmation: expected %s, got %s\n", show(confirmation).c_str(),
          show(text).c_str());
    press_ok(box);
    return configurator.exit_code();
}
#define save_confirmed(...) save_confirmed_at(__LINE__, __VA_ARGS__)

std::string saved_script(const Boxes& v)
{
    return "@echo off\r\nRasdial \"" + v.connection + "\" " + v.user + " " + v.password + "\r\n";
}

// ---- Groups -----------------------------------------------------------------

void load_group()
{
    struct Case {
        const char* name;
        std::string bytes;
        Boxes expected;
    } const cases[] = {
        {"saved by the program", "@echo off\r\nRasdial \"ADSL\" user01 secret\r\n", {"ADSL", "user01", "secret"}},
        {"GBK values", "@echo off\r\nRasdial \"\xBF\xED\xB4\xF8\" \xD3\xC3\xBB\xA7 \xC3\xDC\xC2\xEB\r\n",
         {"\xBF\xED\xB4\xF8", "\xD3\xC3\xBB\xA7", "\xC3\xDC\xC2\xEB"}},
        {"no final line end", "@echo off\r\nRasdial \"N\" u p", {"N", "u", "p"}},
        {"further lines", "@echo off\r\nRasdial \"N\" u p\r\nexit\r\npause\r\n", {"N", "u", "p"}},
        {"any first line", "rem hello\r\nRasdial \"N\" u p\r\n", {"N", "u", "p"}},
        {"empty credentials", "@echo off\r\nRasdial \"N\"  \r\n", {"N", "", ""}},
    };
    for (const Case& c : cases) {
        current_group = c.name;
        put_script(c.bytes);
        Configurator configurator;
        if (!start_quietly(configurator)) {
            continue;
        }
        check_boxes(configurator, c.expected);
        cancel(configurator);
        ok(script_bytes() == c.bytes, "script after cancel: expected %s, got %s\n", show(c.bytes).c_str(),
           show(script_bytes()).c_str());
    }

    current_group = "no script";
    remove_script();
    {
        Configurator configurator;
        if (start_quietly(configurator)) {
            check_boxes(configurator, {"", "", ""});
            cancel(configurator);
            ok(script_bytes() == no_file, "expected no script after cancel, got %s\n", show(script_bytes()).c_str());
        }
    }

    current_group = "script others may only read";
    const std::string readable = "@echo off\r\nRasdial \"N\" u p\r\n";
    put_script(readable);
    {
        HANDLE reader = CreateFileA(script, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        Configurator configurator;
        if (start_quietly(configurator)) {
            check_boxes(configurator, {"N", "u", "p"});
            cancel(configurator);
        }
        CloseHandle(reader);
    }
}

void unloadable_group()
{
    enum Kind { bytes, directory, held };
    struct Case {
        const char* name;
        Kind kind;
        std::string bytes;
    } const cases[] = {
        {"empty file", bytes, ""},
        {"one line", bytes, "@echo off\r\n"},
        {"bare line feeds", bytes, "@echo off\nRasdial \"N\" u p\n"},
        {"no quotes", bytes, "@echo off\r\nRasdial N u p\r\n"},
        {"one quote", bytes, "@echo off\r\nRasdial \"N u p\r\n"},
        {"nothing after the second quote", bytes, "@echo off\r\nRasdial \"N\"\r\n"},
        {"a single word after it", bytes, "@echo off\r\nRasdial \"N\"word\r\n"},
        {"zero byte before line 2", bytes, std::string("@echo off\0\r\nRasdial \"N\" u p\r\n", 29)},
        {"a directory of that name", directory, ""},
        {"held open without sharing", held, "@echo off\r\nRasdial \"N\" u p\r\n"},
    };
    for (const Case& c : cases) {
        current_group = c.name;
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (c.kind == directory) {
            remove_script();
            CreateDirectoryA(script, nullptr);
        } else {
            put_script(c.bytes);
        }
        if (c.kind == held) {
            holder = CreateFileA(script, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        }
        Configurator configurator;
        if (launch(configurator)) {
            HWND box = wait_for_box(configurator, info_title);
            ok(box != nullptr, "expected a warning titled %s, got none\n", show(info_title).c_str());
            if (box != nullptr) {
                const std::string text = box_text(box);
                ok(text.find(script) != std::string::npos, "expected the warning to name %s, got %s\n", script,
                   show(text).c_str());
                ok(find_visible_window(configurator.process_id) == nullptr,
                   "expected the window hidden while the warning is up\n");
                press_ok(box);
            }
            if (wait_for_window(configurator)) {
                check_boxes(configurator, {"", "", ""});
                cancel(configurator);
            }
        }
        if (holder != INVALID_HANDLE_VALUE) {
            CloseHandle(holder);
        }
        if (c.kind == directory) {
            const DWORD attributes = GetFileAttributesA(script);
            ok(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
               "expected the directory kept, got attributes 0x%lx\n", attributes);
            RemoveDirectoryA(script);
        } else {
            ok(script_bytes() == c.bytes, "script: expected %s, got %s\n", show(c.bytes).c_str(),
               show(script_bytes()).c_str());
        }
    }
}

// Runs the script with cmd, as logon would, with our Rasdial stand-in.
std::vector<std::string> run_script()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string record = std::string(temp) + "rasdial-record.txt";
    DeleteFileA(record.c_str());
    CopyFileA(recorder_path.c_str(), "C:\\Windows\\system32\\Rasdial.exe", FALSE);
    SetEnvironmentVariableA("RASDIAL_RECORD", record.c_str());
    std::string command = std::string("cmd.exe /c ") + script;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<std::string> arguments;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        arguments.push_back("<cmd did not start>");
        return arguments;
    }
    WaitForSingleObject(info.hProcess, 20000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    HANDLE h = CreateFileA(record.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        arguments.push_back("<Rasdial was not run>");
        return arguments;
    }
    std::string lines(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, lines.data(), static_cast<DWORD>(lines.size()), &got, nullptr);
    CloseHandle(h);
    std::size_t start = 0;
    for (std::size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
        arguments.push_back(lines.substr(start, end - start));
    }
    return arguments;
}

void save_group()
{
    const Boxes cases[] = {
        {"ADSL", "user01", "secret"},
        {"My Net & (home)!", "a!b", "(p)"},
        {"\xBF\xED\xB4\xF8\xD7\x5C\xC8\x5E\xB1\x7C", "\xD3\xC3\xBB\xA7\xD7\x7C", "\xC3\xDC\xC2\xEB\xC8\x5E"},
        {"ADSL", "", ""},
    };
    for (const Boxes& values : cases) {
        current_group = "save";
        remove_script();
        remove_run_value();
        Configurator configurator;
        if (!start_quietly(configurator)) {
            continue;
        }
        fill_boxes(configurator, values);
        const DWORD code = save_confirmed(configurator);
        ok(code == 0, "expected exit code 0 after the save of %s, got 0x%lx\n", show(values.connection).c_str(),
           code);
        const std::string expected = saved_script(values);
        ok(script_bytes() == expected, "script: expected %s, got %s\n", show(expected).c_str(),
           show(script_bytes()).c_str());
        const RunValue value = run_value();
        ok(value.present && value.type == REG_SZ, "expected a REG_SZ Run value, got present %d type %lu\n",
           value.present, value.type);
        ok(value.data == std::string(script, sizeof script), "Run value: expected %s (%u bytes), got %s (%u bytes)\n",
           show(std::string(script, sizeof script)).c_str(), static_cast<unsigned>(sizeof script),
           show(value.data).c_str(), static_cast<unsigned>(value.data.size()));

        std::vector<std::string> expected_arguments{values.connection};
        if (!values.user.empty()) {
            expected_arguments.push_back(values.user);
            expected_arguments.push_back(values.password);
        }
        const std::vector<std::string> got = run_script();
        std::string got_list;
        for (const std::string& a : got) {
            got_list += show(a) + " ";
        }
        ok(got == expected_arguments, "Rasdial received %s\n", got_list.c_str());
    }
    // The saved values come back at the next start.
    current_group = "save, then start again";
    {
        Configurator configurator;
        if (start_quietly(configurator)) {
            check_boxes(configurator, {"ADSL", "", ""});
            cancel(configurator);
        }
    }
}

void refusal_group()
{
    struct Case {
        const char* name;
        Boxes values;
        int box;
    } const cases[] = {
        {"quote in the connection name", {"a\"b", "u", "p"}, box1},
        {"percent in the connection name", {"100%", "u", "p"}, box1},
        {"tab in the connection name", {"a\tb", "u", "p"}, box1},
        {"empty connection name", {"", "u", "p"}, box1},
        {"final backslash", {"net\\", "u", "p"}, box1},
        {"quote in the user name", {"N", "a\"b", "p"}, box2},
        {"blank in the user name", {"N", "a b", "p"}, box2},
        {"& in the user name", {"N", "a&calc", "p"}, box2},
        {"> in the user name", {"N", "u>x", "p"}, box2},
        {"percent in the password", {"N", "u", "%PATH%"}, box3},
        {"blank in the password", {"N", "u", "p q"}, box3},
        {"| in the password", {"N", "u", "a|b"}, box3},
        {"< in the password", {"N", "u", "<p"}, box3},
        {"^ in the password", {"N", "u", "p^"}, box3},
        {"user name without password", {"N", "u", ""}, box3},
        {"password without user name", {"N", "", "p"}, box2},
    };
    const std::string old_script = "@echo off\r\nRasdial \"Old\" ou op\r\n";
    put_script(old_script);
    put_run_value("C:\\old\\value.bat");
    Configurator configurator;
    current_group = "refusals";
    if (!start_quietly(configurator)) {
        return;
    }
    for (const Case& c : cases) {
        current_group = c.name;
        fill_boxes(configurator, c.values);
        click(configurator, button1);
        HWND box = wait_for_box(configurator, info_title);
        ok(box != nullptr, "expected a warning, got none\n");
        if (box == nullptr) {
            break;
        }
        const std::string text = box_text(box);
        ok(text != confirmation && !text.empty(), "expected a refusal, got %s\n", show(text).c_str());
        press_ok(box);
        wait_for([&] { return wait_for_box(configurator, info_title, 0) == nullptr; }, 3000);
        check_focus(configurator, c.box);
        ok(configurator.running() && IsWindowVisible(configurator.window), "expected the window still open\n");
        ok(script_bytes() == old_script, "script: expected %s, got %s\n", show(old_script).c_str(),
           show(script_bytes()).c_str());
        const RunValue value = run_value();
        ok(value.data == std::string("C:\\old\\value.bat", 17), "Run value changed to %s\n",
           show(value.data).c_str());
    }
    current_group = "refusals";
    cancel(configurator);
}

// Whether MoveFileEx here refuses to replace a read-only file, as Windows
// does (Wine run as root replaces it).
bool read_only_files_are_kept()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string target = std::string(temp) + "adsl-readonly-probe.txt";
    const std::string source = target + ".new";
    for (const std::string* path : {&target, &source}) {
        SetFileAttributesA(path->c_str(), FILE_ATTRIBUTE_NORMAL);
        HANDLE h = CreateFileA(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const BOOL replaced = MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(target.c_str());
    DeleteFileA(source.c_str());
    return !replaced;
}

void failure_group()
{
    const Boxes values{"ADSL", "u", "p"};
    struct Case {
        const char* name;
        int setup; // 0: a directory at the script's path, 1: the Run key removed, 2: a read-only script
    } const cases[] = {
        {"script path is a directory", 0},
        {"Run key removed", 1},
        {"read-only script", 2},
    };
    const std::string old_script = "@echo off\r\nRasdial \"Old\" ou op\r\n";
    for (const Case& c : cases) {
        current_group = c.name;
        if (c.setup == 2 && !read_only_files_are_kept()) {
            std::printf("%s: skipped: this system replaces read-only files\n", c.name);
            continue;
        }
        remove_script();
        remove_run_value();
        if (c.setup == 0) {
            CreateDirectoryA(script, nullptr);
        } else if (c.setup == 1) {
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, run_key, KEY_WOW64_64KEY, 0);
        } else {
            put_script(old_script);
            SetFileAttributesA(script, FILE_ATTRIBUTE_READONLY);
        }
        Configurator configurator;
        // The directory makes the load warn first.
        if (!launch(configurator)) {
            continue;
        }
        if (c.setup == 0) {
            HWND warning = wait_for_box(configurator, info_title);
            ok(warning != nullptr, "expected the load's warning\n");
            if (warning != nullptr) {
                press_ok(warning);
            }
        }
        if (!wait_for_window(configurator)) {
            continue;
        }
        if (c.setup == 2) {
            check_boxes(configurator, {"Old", "ou", "op"}); // a read-only script loads
        }
        fill_boxes(configurator, values);
        click(configurator, button1);
        HWND box = wait_for_box(configurator, info_title);
        ok(box != nullptr, "expected the confirmation\n");
        if (box != nullptr) {
            press_ok(box);
        }
        HWND error = wait_for_box(configurator, error_title);
        ok(error != nullptr, "expected an error titled %s (program running: %d)\n", show(error_title).c_str(),
           configurator.running());
        if (error != nullptr) {
            const std::string text = box_text(error);
            const char* subject = c.setup == 1 ? run_key : script;
            ok(text.find(subject) != std::string::npos, "expected the error to name %s, got %s\n", subject,
               show(text).c_str());
            press_ok(error);
        }
        pause_ms(300);
        ok(configurator.running(), "expected the window to stay open after the failure\n");
        if (c.setup == 0) {
            const DWORD attributes = GetFileAttributesA(script);
            ok(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
               "expected the directory kept, got 0x%lx\n", attributes);
        } else if (c.setup == 1) {
            const std::string expected = saved_script(values);
            ok(script_bytes() == expected, "the script is written before the registration: got %s\n",
               show(script_bytes()).c_str());
        } else {
            ok(script_bytes() == old_script, "the read-only script changed: got %s\n", show(script_bytes()).c_str());
        }
        cancel(configurator);
        if (c.setup == 0) {
            RemoveDirectoryA(script);
        } else if (c.setup == 2) {
            remove_script();
        } else {
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, run_key, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                            &key, nullptr);
            RegCloseKey(key);
        }
        // No temporary file is left beside the script.
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("C:\\Windows\\system32\\adsl.bat.*.tmp", &found);
        ok(search == INVALID_HANDLE_VALUE, "expected no temporary file left, found %s\n",
           search == INVALID_HANDLE_VALUE ? "" : found.cFileName);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
        }
    }
}

void reset_group()
{
    const std::string old_script = "@echo off\r\nRasdial \"Old\" ou op\r\n";
    current_group = "reset, then cancel";
    put_script(old_script);
    remove_run_value();
    {
        Configurator configurator;
        if (start_quietly(configurator)) {
            check_boxes(configurator, {"Old", "ou", "op"});
            click(configurator, button2);
            settle(configurator);
            check_boxes(configurator, {"", "", ""});
            ok(configurator.running(), "expected the window open after reset\n");
            cancel(configurator);
        }
    }
    ok(script_bytes() == old_script, "script: expected %s, got %s\n", show(old_script).c_str(),
       show(script_bytes()).c_str());
    ok(!run_value().present, "a Run value appeared\n");

    current_group = "close";
    {
        Configurator configurator;
        if (start_quietly(configurator)) {
            PostMessageA(configurator.window, WM_CLOSE, 0, 0);
            const DWORD code = configurator.exit_code();
            ok(code == 0, "expected exit code 0 after closing, got 0x%lx\n", code);
        }
    }
    ok(script_bytes() == old_script, "script after close: got %s\n", show(script_bytes()).c_str());
}

// Clicks the button at its centre with the mouse, as a user would.
void mouse_click(const Configurator& configurator, int button)
{
    RECT rect{};
    GetWindowRect(configurator.child(button), &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void modal_group()
{
    struct Case {
        const char* name;
        int answer; // 0: OK, 1: Esc, 2: the close box
    } const cases[] = {
        {"confirmation answered with OK", 0},
        {"confirmation answered with Esc", 1},
        {"confirmation closed", 2},
    };
    for (const Case& c : cases) {
        current_group = c.name;
        remove_script();
        Configurator configurator;
        if (!start_quietly(configurator)) {
            continue;
        }
        const Boxes values{"ADSL", "u", "p"};
        fill_boxes(configurator, values);
        click(configurator, button1);
        HWND box = wait_for_box(configurator, info_title);
        ok(box != nullptr, "expected the confirmation\n");
        if (box == nullptr) {
            continue;
        }
        ok(!IsWindowEnabled(configurator.window), "expected the window disabled while the box is up\n");
        if (c.answer == 0) {
            // Clicks on 重置 and 取消 reach nothing while the box is up.
            mouse_click(configurator, button2);
            mouse_click(configurator, button3);
            pause_ms(300);
            ok(configurator.running(), "取消 ended the program behind the box\n");
            press_ok(box);
        } else if (c.answer == 1) {
            SetForegroundWindow(box);
            pause_ms(100);
            press(VK_ESCAPE);
        } else {
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
        const DWORD code = configurator.exit_code();
        ok(code == 0, "expected exit code 0, got 0x%lx\n", code);
        const std::string expected = saved_script(values);
        ok(script_bytes() == expected, "script: expected %s, got %s\n", show(expected).c_str(),
           show(script_bytes()).c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::printf("usage: actions_driver GROUP PROGRAM RASDIAL_RECORDER\n");
        return 2;
    }
    const std::string group = argv[1];
    program_path = windows_path(argv[2]);
    recorder_path = windows_path(argv[3]);
    if (group == "load") {
        load_group();
    } else if (group == "unloadable") {
        unloadable_group();
    } else if (group == "save") {
        save_group();
    } else if (group == "refusal") {
        refusal_group();
    } else if (group == "failure") {
        failure_group();
    } else if (group == "reset") {
        reset_group();
    } else if (group == "modal") {
        modal_group();
    } else {
        std::printf("unknown group %s\n", group.c_str());
        return 2;
    }
    remove_script();
    remove_run_value();
    current_group = argv[1];
    return summary();
}
