// What the end-to-end drivers share: starting and finding the
// configurator, reading and writing its controls, input, and focus checks.
#pragma once

#include "check.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace adsl::test {

constexpr char caption[] =
    "Tamsel\xBF\xED\xB4\xF8\xC1\xAC\xBD\xD3\xD7\xD4\xC6\xF4\xB6\xAF\xC5\xE4\xD6\xC3\xC6\xF7"; // Tamsel宽带连接自启动配置器
constexpr DWORD unset_exit_code = 0xDEADBEEF;
inline constexpr COLORREF violet = RGB(144, 0, 255);
inline constexpr COLORREF white = RGB(255, 255, 255);

// Child-window identifiers of the controls, in creation order.
enum Child : int {
    box1 = 100,    // 编辑框1
    label1 = 110,  // 标签1
    box2 = 120,    // 编辑框2
    box3 = 130,    // 编辑框3
    label2 = 140,  // 标签2
    label3 = 150,  // 标签3
    button1 = 160, // 按钮1 确定
    button2 = 170, // 按钮2 重置
    button3 = 180, // 按钮3 取消
};

inline std::string program_path;

inline std::string windows_path(const char* path)
{
    std::string out = path;
    if (!out.empty() && out[0] == '/') {
        out = "Z:" + out;
    }
    for (char& c : out) {
        if (c == '/') {
            c = '\\';
        }
    }
    return out;
}

inline void pause_ms(DWORD ms) { Sleep(ms); }

// Polls `condition` every 20 ms for up to `ms` milliseconds.
template <typename Condition>
inline bool wait_for(Condition condition, DWORD ms = 5000)
{
    for (DWORD waited = 0;; waited += 20) {
        if (condition()) {
            return true;
        }
        if (waited >= ms) {
            return false;
        }
        Sleep(20);
    }
}

inline std::string window_text(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return "<no answer>";
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    text.resize(copied);
    return text;
}

inline void set_text(HWND window, const char* text)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &result);
}

inline std::string class_of(HWND window)
{
    char name[64] = "<none>";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// One running copy of the configurator.
struct Configurator {
    KernelHandle process;
    DWORD process_id = 0;
    DWORD thread_id = 0;
    HWND window = nullptr;

    HWND child(int identifier) const { return GetDlgItem(window, identifier); }
    bool running() const { return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; }

    // The exit code once the process has ended within `ms`, else the marker.
    DWORD exit_code(DWORD ms = 10000) const
    {
        DWORD code = unset_exit_code;
        if (WaitForSingleObject(process.get(), ms) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.get(), &code);
        }
        return code;
    }

    HWND focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(thread_id, &info)) {
            return nullptr;
        }
        return info.hwndFocus;
    }

    ~Configurator()
    {
        if (process.get() != nullptr && running()) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 5000);
        }
    }
};

struct WindowSearch {
    DWORD process_id;
    HWND found;
};

inline BOOL CALLBACK match_window(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process_id && IsWindowVisible(window) && window_text(window) == caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND find_visible_window(DWORD process_id)
{
    WindowSearch search{process_id, nullptr};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts a copy and waits until its window, found by caption, is visible.
// `folder` is the working directory it is started in (the driver's own
// when nullptr).
inline bool start_at(int line, Configurator& configurator, const char* program = nullptr, const char* folder = nullptr)
{
    const std::string path = program != nullptr ? std::string(program) : program_path;
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const BOOL started =
        CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &info);
    ok_at(line, started, "expected %s started, got %s (error %lu)\n", path.c_str(),
          started ? "started" : "not started", started ? 0UL : GetLastError());
    if (!started) {
        return false;
    }
    CloseHandle(info.hThread);
    configurator.process = KernelHandle(info.hProcess);
    configurator.process_id = info.dwProcessId;
    wait_for([&] { return (configurator.window = find_visible_window(info.dwProcessId)) != nullptr; }, 20000);
    ok_at(line, configurator.window != nullptr, "expected a visible window captioned %s, got %p\n",
          show(caption).c_str(), static_cast<void*>(configurator.window));
    if (configurator.window == nullptr) {
        return false;
    }
    configurator.thread_id = GetWindowThreadProcessId(configurator.window, nullptr);
    // Its start-up focus settles once the window has been activated.
    wait_for([&] { return configurator.focus() != nullptr; }, 3000);
    return true;
}
#define start(...) start_at(__LINE__, __VA_ARGS__)

// ---- Input ----------------------------------------------------------------

inline void send_keys(std::initializer_list<WORD> held, WORD key)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD vk : held) {
        add(vk, false);
    }
    add(key, false);
    add(key, true);
    for (auto it = held.end(); it != held.begin();) {
        add(*--it, true);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void press(WORD key) { send_keys({}, key); }

// Brings the configurator to the front, as a click on it would.
inline bool bring_to_front(int line, const Configurator& configurator)
{
    SetForegroundWindow(configurator.window);
    const bool front = wait_for([&] { return GetForegroundWindow() == configurator.window; }, 3000);
    ok_at(line, front, "expected the configurator %p in front, got %p\n", static_cast<void*>(configurator.window),
          static_cast<void*>(GetForegroundWindow()));
    return front;
}

inline void type_text(const char* ascii)
{
    for (const char* c = ascii; *c != '\0'; ++c) {
        const SHORT scan = VkKeyScanA(*c);
        if (HIBYTE(scan) & 1) {
            send_keys({VK_SHIFT}, LOBYTE(scan));
        } else {
            press(LOBYTE(scan));
        }
    }
}

// Lets the configurator take the input sent so far: a message sent to its
// window is answered only after the messages ahead of it.
inline void settle(const Configurator& configurator)
{
    DWORD_PTR result = 0;
    pause_ms(60);
    SendMessageTimeoutA(configurator.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    pause_ms(60);
}

inline const char* child_name(int identifier)
{
    switch (identifier) {
    case box1: return "box 1";
    case box2: return "box 2";
    case box3: return "box 3";
    case label1: return "label 1";
    case label2: return "label 2";
    case label3: return "label 3";
    case button1: return "button 1";
    case button2: return "button 2";
    case button3: return "button 3";
    default: return "no control";
    }
}

inline const char* name_of(const Configurator& configurator, HWND window)
{
    if (window == nullptr) {
        return "nothing";
    }
    if (window == configurator.window) {
        return "the window";
    }
    return child_name(GetDlgCtrlID(window));
}

inline void check_focus_at(int line, const Configurator& configurator, int expected)
{
    HWND focus = nullptr;
    wait_for([&] { return (focus = configurator.focus()) == configurator.child(expected); }, 2000);
    ok_at(line, focus == configurator.child(expected), "expected the focus in %s, got %s\n", child_name(expected),
          name_of(configurator, focus));
}
#define check_focus(...) check_focus_at(__LINE__, __VA_ARGS__)

} // namespace adsl::test
