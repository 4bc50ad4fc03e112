// Drives the configurator from outside, as a user would, and inspects it
// through Win32.
//
//   gui_driver GROUP PROGRAM [ARGUMENT...]
//
// PROGRAM is the configurator's executable (a Unix path is taken through
// Wine's Z: drive). Each group starts its own copies and ends them.
#include "driver_support.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace adsl::test;

namespace {

// ---- Pixels -----------------------------------------------------------------

// The colour on the screen at a point of the window's client area.
COLORREF client_pixel(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The pixels of a client rectangle that `wanted` picks, and their
// bounding box.
struct Extent {
    int count = 0;
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

template <typename Wanted>
Extent find_pixels(HWND window, RECT area, Wanted wanted)
{
    POINT origin{area.left, area.top};
    ClientToScreen(window, &origin);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    Extent extent;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (wanted(GetPixel(memory, x, y))) {
                ++extent.count;
                extent.box.left = std::min<LONG>(extent.box.left, area.left + x);
                extent.box.top = std::min<LONG>(extent.box.top, area.top + y);
                extent.box.right = std::max<LONG>(extent.box.right, area.left + x + 1);
                extent.box.bottom = std::max<LONG>(extent.box.bottom, area.top + y + 1);
            }
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return extent;
}

// Smoothed text blends its colour into the background: a label's pixels
// are violet, yellow, or blends of the two, which keep red at 144 or more
// and never come near white (blue and green both high).
bool yellowish(COLORREF c) { return GetGValue(c) >= 128 && GetRValue(c) >= 200 && GetBValue(c) <= 160; }
bool between_violet_and_yellow(COLORREF c)
{
    return GetRValue(c) >= 140 && !(GetGValue(c) >= 200 && GetBValue(c) >= 200);
}
bool darkish(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }

RECT child_rect(const Configurator& configurator, int identifier)
{
    RECT rect{};
    GetWindowRect(configurator.child(identifier), &rect);
    MapWindowPoints(nullptr, configurator.window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// ---- Groups -----------------------------------------------------------------

// placement WIDTH HEIGHT LEFT TOP: the screen is WIDTH x HEIGHT and the
// window's outer rectangle starts at LEFT, TOP, 280 x 208.
void test_placement(int argc, char** argv)
{
    if (argc < 4) {
        ok(false, "expected WIDTH HEIGHT LEFT TOP after the program, got %d arguments\n", argc);
        return;
    }
    const int width = std::atoi(argv[0]), height = std::atoi(argv[1]);
    const int left = std::atoi(argv[2]), top = std::atoi(argv[3]);
    ok(GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height,
       "expected a %dx%d screen, got %dx%d\n", width, height, GetSystemMetrics(SM_CXSCREEN),
       GetSystemMetrics(SM_CYSCREEN));
    Configurator configurator;
    if (!start(configurator)) {
        return;
    }
    RECT outer{-1, -1, -1, -1};
    GetWindowRect(configurator.window, &outer);
    ok(outer.left == left && outer.top == top && outer.right - outer.left == 280 && outer.bottom - outer.top == 208,
       "expected the window at (%d,%d) sized 280x208, got (%ld,%ld) sized %ldx%ld\n", left, top, outer.left,
       outer.top, outer.right - outer.left, outer.bottom - outer.top);
}

struct ControlCase {
    int identifier;
    const char* window_class; // nullptr: the program's own class
    int left, top, width, height;
    const char* text;
    DWORD required_style;
    DWORD forbidden_style;
    DWORD required_extended;
};

constexpr DWORD edit_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD edit_forbidden = WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_UPPERCASE |
                                 ES_LOWERCASE | ES_CENTER | ES_RIGHT | ES_NOHIDESEL;
constexpr DWORD button_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD label_forbidden = WS_TABSTOP | WS_BORDER | WS_DISABLED;

const std::array<ControlCase, 9> control_cases{{
    {box1, "Edit", 72, 8, 192, 24, "", edit_style, edit_forbidden | ES_PASSWORD, WS_EX_CLIENTEDGE},
    {label1, nullptr, 8, 8, 56, 24, "\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6" /* 连接名称 */, WS_CHILD | WS_VISIBLE,
     label_forbidden, 0},
    {box2, "Edit", 72, 48, 192, 24, "", edit_style, edit_forbidden | ES_PASSWORD, WS_EX_CLIENTEDGE},
    {box3, "Edit", 72, 88, 192, 24, "", edit_style | ES_PASSWORD, edit_forbidden, WS_EX_CLIENTEDGE},
    {label2, nullptr, 8, 48, 56, 24, "\xD3\xC3 \xBB\xA7 \xC3\xFB" /* 用 户 名 */, WS_CHILD | WS_VISIBLE,
     label_forbidden, 0},
    {label3, nullptr, 8, 88, 56, 24, "\xC3\xDC    \xC2\xEB" /* 密    码 */, WS_CHILD | WS_VISIBLE, label_forbidden,
     0},
    {button1, "Button", 8, 136, 64, 32, "\xC8\xB7\xB6\xA8" /* 确定 */, button_style, 0, 0},
    {button2, "Button", 104, 136, 64, 32, "\xD6\xD8\xD6\xC3" /* 重置 */, button_style, 0, 0},
    {button3, "Button", 200, 136, 64, 32, "\xC8\xA1\xCF\xFB" /* 取消 */, button_style, 0, 0},
}};

void check_control_at(int line, const Configurator& configurator, const ControlCase& expected)
{
    HWND control = configurator.child(expected.identifier);
    const char* name = child_name(expected.identifier);
    ok_at(line, control != nullptr, "expected %s as child %d, got %p\n", name, expected.identifier,
          static_cast<void*>(control));
    if (control == nullptr) {
        return;
    }
    const std::string window_class = class_of(control);
    if (expected.window_class != nullptr) {
        ok_at(line, _stricmp(window_class.c_str(), expected.window_class) == 0, "%s: expected class %s, got %s\n",
              name, expected.window_class, window_class.c_str());
    } else {
        const bool own = _stricmp(window_class.c_str(), "Static") != 0 && _stricmp(window_class.c_str(), "Edit") != 0 &&
                         _stricmp(window_class.c_str(), "Button") != 0;
        ok_at(line, own, "%s: expected a class of the program's own, got %s\n", name, window_class.c_str());
    }
    const RECT rect = child_rect(configurator, expected.identifier);
    ok_at(line,
          rect.left == expected.left && rect.top == expected.top && rect.right - rect.left == expected.width &&
              rect.bottom - rect.top == expected.height,
          "%s: expected (%d,%d) sized %dx%d, got (%ld,%ld) sized %ldx%ld\n", name, expected.left, expected.top,
          expected.width, expected.height, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    const std::string text = window_text(control);
    ok_at(line, text == expected.text, "%s: expected text %s, got %s\n", name, show(expected.text).c_str(),
          show(text).c_str());
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    ok_at(line, (style & expected.required_style) == expected.required_style,
          "%s: expected style bits 0x%08lx, got style 0x%08lx\n", name, expected.required_style, style);
    ok_at(line, (style & expected.forbidden_style) == 0, "%s: expected none of 0x%08lx, got style 0x%08lx\n", name,
          expected.forbidden_style, style);
    const auto extended = static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE));
    ok_at(line, (extended & expected.required_extended) == expected.required_extended &&
                    (extended & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == 0,
          "%s: expected extended style 0x%08lx only of the edges, got 0x%08lx\n", name, expected.required_extended,
          extended);
    if (expected.window_class != nullptr && _stricmp(expected.window_class, "Button") == 0) {
        ok_at(line, (style & BS_TYPEMASK) == BS_PUSHBUTTON, "%s: expected a plain push button, got type %lu\n",
              name, style & BS_TYPEMASK);
    }
}

// The window, its styles and its nine controls as built, and its colours.
void test_window(int, char**)
{
    Configurator configurator;
    if (!start(configurator)) {
        return;
    }
    HWND window = configurator.window;
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    struct StyleCase {
        const char* name;
        DWORD bit;
        bool wanted;
    };
    const StyleCase style_cases[] = {
        {"caption", WS_CAPTION, true},          {"system menu", WS_SYSMENU, true},
        {"clip children", WS_CLIPCHILDREN, true}, {"visible", WS_VISIBLE, true},
        {"minimise box", WS_MINIMIZEBOX, false}, {"maximise box", WS_MAXIMIZEBOX, false},
        {"sizing border", WS_THICKFRAME, false}, {"popup", WS_POPUP, false},
    };
    for (const StyleCase& c : style_cases) {
        ok(((style & c.bit) == c.bit) == c.wanted, "window style %s: expected %s, got style 0x%08lx\n", c.name,
           c.wanted ? "set" : "clear", style);
    }
    const auto extended = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    ok((extended & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) == 0, "expected neither topmost nor tool window, got 0x%08lx\n",
       extended);
    ok(GetWindow(window, GW_OWNER) == nullptr, "expected no owner, got %p\n",
       static_cast<void*>(GetWindow(window, GW_OWNER)));

    for (const ControlCase& c : control_cases) {
        check_control_at(__LINE__, configurator, c);
    }

    const auto mask_of = [&](int identifier) {
        DWORD_PTR mask = 0xFFFF;
        SendMessageTimeoutA(configurator.child(identifier), EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 2000, &mask);
        return mask;
    };
    ok(mask_of(box3) == '*', "password box: expected the mask '*', got 0x%lx\n", static_cast<unsigned long>(mask_of(box3)));
    ok(mask_of(box1) == 0, "box 1: expected no mask, got 0x%lx\n", static_cast<unsigned long>(mask_of(box1)));
    DWORD_PTR limit = 0;
    SendMessageTimeoutA(configurator.child(box1), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 2000, &limit);
    ok(limit > 0xFFFF, "box 1: expected no length limit but the system's, got limit %lu\n",
       static_cast<unsigned long>(limit));

    // Colours, read from the screen.
    const auto check_pixel = [&](int line, const char* where, int x, int y, COLORREF expected) {
        const COLORREF got = client_pixel(window, x, y);
        ok_at(line, got == expected, "%s at (%d,%d): expected colour 0x%06lx, got 0x%06lx\n", where, x, y,
              static_cast<unsigned long>(expected), static_cast<unsigned long>(got));
    };
    check_pixel(__LINE__, "window background", 68, 40, violet);
    check_pixel(__LINE__, "window background below the buttons", 140, 172, violet);
    check_pixel(__LINE__, "label 1 corner", 9, 9, violet);
    check_pixel(__LINE__, "box 2 inside", 150, 60, white);
    for (int label : {label1, label2, label3}) {
        const RECT area = child_rect(configurator, label);
        const Extent text = find_pixels(window, area, yellowish);
        ok(text.count > 20, "%s: expected yellow text pixels, got %d\n", child_name(label), text.count);
        if (text.count > 0) {
            const int dx = (text.box.left + text.box.right) - (area.left + area.right);
            const int dy = (text.box.top + text.box.bottom) - (area.top + area.bottom);
            ok(std::abs(dx) <= 4 && std::abs(dy) <= 4,
               "%s: expected the text centred, got its box (%ld,%ld)-(%ld,%ld) in (%ld,%ld)-(%ld,%ld)\n",
               child_name(label), text.box.left, text.box.top, text.box.right, text.box.bottom, area.left, area.top,
               area.right, area.bottom);
        }
        const Extent other = find_pixels(window, area, [](COLORREF c) { return !between_violet_and_yellow(c); });
        ok(other.count == 0,
           "%s: expected only violet, yellow and their blends, got %d other pixels in (%ld,%ld)-(%ld,%ld)\n",
           child_name(label), other.count, other.box.left, other.box.top, other.box.right, other.box.bottom);
    }
    // Box 1's text is black and its line in the vertical middle of the box.
    set_text(configurator.child(box1), "WWWW");
    settle(configurator);
    const RECT box = child_rect(configurator, box1);
    const Extent black = find_pixels(window, RECT{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, darkish);
    ok(black.count > 20, "box 1: expected black text pixels, got %d\n", black.count);
    if (black.count > 0) {
        const int dy = (black.box.top + black.box.bottom) - (box.top + box.bottom);
        ok(std::abs(dy) <= 4, "box 1: expected its text line in the middle, got rows %ld-%ld in %ld-%ld\n",
           black.box.top, black.box.bottom, box.top, box.bottom);
    }
}

// Focus at start, the Tab order both ways, keys that do nothing, the focus
// kept over a switch to another window and back.
void test_keys(int, char**)
{
    Configurator configurator;
    if (!start(configurator)) {
        return;
    }
    // As it comes up, before anything else is done to it.
    check_focus(configurator, box1);
    if (!bring_to_front(__LINE__, configurator)) {
        return;
    }

    const int forward[] = {box2, box3, button1, button2, button3, box1};
    for (int expected : forward) {
        press(VK_TAB);
        check_focus(configurator, expected);
    }
    const int backward[] = {button3, button2, button1, box3, box2, box1};
    for (int expected : backward) {
        send_keys({VK_SHIFT}, VK_TAB);
        check_focus(configurator, expected);
    }

    // Enter, Esc and F1 change nothing, in a box or on any button.
    set_text(configurator.child(box1), "abc");
    struct Place {
        int control;
        int tabs; // from box 1
    };
    const Place places[] = {{box1, 0}, {box3, 2}, {button1, 3}, {button2, 4}, {button3, 5}};
    const struct {
        const char* name;
        WORD key;
    } keys[] = {{"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"F1", VK_F1}};
    for (const Place& place : places) {
        for (const auto& key : keys) {
            SetForegroundWindow(configurator.window);
            // Back to box 1 the way a user would: Shift+Tab until there.
            for (int i = 0; i < 6 && configurator.focus() != configurator.child(box1); ++i) {
                send_keys({VK_SHIFT}, VK_TAB);
                settle(configurator);
            }
            for (int i = 0; i < place.tabs; ++i) {
                press(VK_TAB);
            }
            check_focus(configurator, place.control);
            press(key.key);
            settle(configurator);
            pause_ms(100);
            ok(configurator.running() && IsWindowVisible(configurator.window),
               "%s on %s: expected the program running with its window, got %s\n", key.name,
               child_name(place.control),
               !configurator.running() ? "the program ended"
                                       : (IsWindowVisible(configurator.window) ? "both" : "no window"));
            if (!configurator.running()) {
                return;
            }
            const std::string text = window_text(configurator.child(box1));
            ok(text == "abc", "%s on %s: expected box 1 still \"abc\", got %s\n", key.name, child_name(place.control),
               show(text).c_str());
            check_focus(configurator, place.control);
        }
    }

    // Another window in front, then the configurator again: the focus is
    // back where it was. From button 3: box 1, box 2, box 3.
    for (int i = 0; i < 3; ++i) {
        press(VK_TAB);
    }
    check_focus(configurator, box3);
    HWND other = CreateWindowExA(0, "EDIT", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    SetFocus(other);
    const bool switched = wait_for([&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        return GetForegroundWindow() == other;
    });
    ok(switched, "expected the other window in front, got %p\n", static_cast<void*>(GetForegroundWindow()));
    bring_to_front(__LINE__, configurator);
    check_focus(configurator, box3);
    DestroyWindow(other);
}

// Each way of ending the program, on a copy of its own.
void test_ending(int, char**)
{
    struct EndCase {
        const char* name;
        void (*act)(const Configurator&);
    };
    const EndCase cases[] = {
        {"close button (SC_CLOSE)",
         [](const Configurator& c) { PostMessageA(c.window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](const Configurator& c) { PostMessageA(c.window, WM_CLOSE, 0, 0); }},
        {"Alt+F4",
         [](const Configurator& c) {
             SetForegroundWindow(c.window);
             settle(c);
             send_keys({VK_MENU}, VK_F4);
         }},
        {"click on 3 (cancel)", [](const Configurator& c) { PostMessageA(c.child(button3), BM_CLICK, 0, 0); }},
        {"Space on 3 (cancel)",
         [](const Configurator& c) {
             SetForegroundWindow(c.window);
             settle(c);
             send_keys({VK_SHIFT}, VK_TAB); // box 1 -> button 3
             settle(c);
             press(VK_SPACE);
         }},
    };
    for (const EndCase& c : cases) {
        Configurator configurator;
        if (!start(configurator)) {
            continue;
        }
        c.act(configurator);
        const DWORD code = configurator.exit_code();
        ok(code == 0, "%s: expected exit code 0, got 0x%lx\n", c.name, code);
    }

    // Reset empties the three boxes, by a click and by Space, and the
    // program goes on.
    Configurator configurator;
    if (!start(configurator) || !bring_to_front(__LINE__, configurator)) {
        return;
    }
    const struct {
        const char* name;
        bool by_space;
    } resets[] = {{"click on 2 (reset)", false}, {"Space on 2 (reset)", true}};
    for (const auto& reset : resets) {
        SetForegroundWindow(configurator.window);
        // Typed as a user would, then checked before the reset.
        const char* typed[] = {"name", "user", "secret"};
        for (const char* text : typed) {
            type_text(text);
            press(VK_TAB);
        }
        settle(configurator);
        const int boxes[] = {box1, box2, box3};
        for (int i = 0; i < 3; ++i) {
            const std::string text = window_text(configurator.child(boxes[i]));
            ok(text == typed[i], "%s: expected %s typed into %s, got %s\n", reset.name, typed[i], child_name(boxes[i]),
               show(text).c_str());
        }
        check_focus(configurator, button1);
        if (reset.by_space) {
            press(VK_TAB);
            check_focus(configurator, button2);
            press(VK_SPACE);
        } else {
            PostMessageA(configurator.child(button2), BM_CLICK, 0, 0);
        }
        settle(configurator);
        for (int identifier : boxes) {
            std::string text;
            wait_for([&] { return (text = window_text(configurator.child(identifier))).empty(); }, 2000);
            ok(text.empty(), "%s: expected %s empty, got %s\n", reset.name, child_name(identifier), show(text).c_str());
        }
        ok(configurator.running(), "%s: expected the program running, got it ended with 0x%lx\n", reset.name,
           configurator.exit_code(0));
        // Back to box 1 for the next round.
        while (configurator.running() && configurator.focus() != configurator.child(box1)) {
            press(VK_TAB);
            settle(configurator);
        }
    }
}

// Two copies side by side: two windows, each ending on its own.
void test_copies(int, char**)
{
    Configurator first, second;
    if (!start(first) || !start(second)) {
        return;
    }
    ok(first.window != second.window && first.process_id != second.process_id,
       "expected two windows of two processes, got %p of %lu and %p of %lu\n", static_cast<void*>(first.window),
       first.process_id, static_cast<void*>(second.window), second.process_id);
    PostMessageA(first.window, WM_CLOSE, 0, 0);
    const DWORD first_code = first.exit_code();
    ok(first_code == 0, "first copy: expected exit code 0, got 0x%lx\n", first_code);
    ok(second.running() && IsWindowVisible(second.window), "second copy: expected it still running, got %s\n",
       second.running() ? "its window hidden" : "it ended");
    PostMessageA(second.child(button3), BM_CLICK, 0, 0);
    const DWORD second_code = second.exit_code();
    ok(second_code == 0, "second copy: expected exit code 0, got 0x%lx\n", second_code);
}

// Removes a test folder and everything in it (one level of files and
// folders is all the tests make).
void remove_tree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Starts this driver again, idling in `folder` until it is ended.
KernelHandle start_idler(const std::string& driver, const char* folder)
{
    std::string command = "\"" + driver + "\" idle -";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(driver.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &info)) {
        return KernelHandle();
    }
    CloseHandle(info.hThread);
    Sleep(500); // until its start-up is over
    return KernelHandle(info.hProcess);
}

void end_idler(const KernelHandle& idler)
{
    TerminateProcess(idler.get(), 0);
    WaitForSingleObject(idler.get(), 5000);
}

// The working directory after start-up is the program's folder. A process
// holds its working directory open without sharing deletion, so that
// folder can be neither removed nor renamed while the process runs; a
// folder that merely holds a running program can be renamed. Both facts
// are checked first with an idling copy of this driver.
void test_folder(int, char**)
{
    const std::string root = "C:\\adsl-folder-test";
    const std::string start_folder = root + "\\start";
    const std::string program_folder = root + "\\program";
    const std::string idler_folder = root + "\\idler";
    remove_tree(root);
    for (const std::string& folder : {root, start_folder, program_folder, idler_folder}) {
        const BOOL made = CreateDirectoryA(folder.c_str(), nullptr);
        ok(made, "expected %s made, got %s (error %lu)\n", folder.c_str(), made ? "made" : "not made",
           made ? 0UL : GetLastError());
    }
    char driver_path[MAX_PATH];
    GetModuleFileNameA(nullptr, driver_path, MAX_PATH);
    const std::string idler = idler_folder + "\\gui_driver.exe";
    const std::string program = program_folder + "\\adsl-autostart.exe";
    const BOOL copied =
        CopyFileA(driver_path, idler.c_str(), FALSE) && CopyFileA(program_path.c_str(), program.c_str(), FALSE);
    ok(copied, "expected the two programs copied into %s, got %s (error %lu)\n", root.c_str(),
       copied ? "copied" : "not copied", copied ? 0UL : GetLastError());

    {
        const KernelHandle idling = start_idler(idler, start_folder.c_str());
        ok(idling.get() != nullptr, "expected the idler started, got %s\n",
           idling.get() != nullptr ? "started" : "not started");
        const BOOL removed = RemoveDirectoryA(start_folder.c_str());
        ok(!removed, "the idler's working directory: expected it not removable, got %s\n",
           removed ? "removed" : "kept");
        const BOOL renamed = MoveFileA(idler_folder.c_str(), (idler_folder + "-moved").c_str());
        ok(renamed, "the idler's own folder: expected it renamable, got %s (error %lu)\n",
           renamed ? "renamed" : "kept", renamed ? 0UL : GetLastError());
        if (renamed) {
            MoveFileA((idler_folder + "-moved").c_str(), idler_folder.c_str());
        }
        end_idler(idling);
        if (removed) {
            CreateDirectoryA(start_folder.c_str(), nullptr);
        }
    }

    Configurator configurator;
    if (!start(configurator, program.c_str(), start_folder.c_str())) {
        remove_tree(root);
        return;
    }
    const BOOL removed = RemoveDirectoryA(start_folder.c_str());
    ok(removed, "the folder it was started in: expected it left and removable, got %s (error %lu)\n",
       removed ? "removed" : "kept", removed ? 0UL : GetLastError());
    const BOOL renamed = MoveFileA(program_folder.c_str(), (program_folder + "-moved").c_str());
    ok(!renamed, "the program's folder: expected it held as the working directory, got %s\n",
       renamed ? "it renamed" : "it kept");
    if (renamed) {
        MoveFileA((program_folder + "-moved").c_str(), program_folder.c_str());
    }
    PostMessageA(configurator.window, WM_CLOSE, 0, 0);
    const DWORD code = configurator.exit_code();
    ok(code == 0, "expected exit code 0, got 0x%lx\n", code);
    remove_tree(root);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: gui_driver GROUP PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    // For scripts that show the program: wait until its window is on the
    // screen, or close it and wait until it has gone.
    if (std::strcmp(argv[1], "await") == 0 || std::strcmp(argv[1], "close") == 0) {
        const bool closing = std::strcmp(argv[1], "close") == 0;
        HWND window = nullptr;
        wait_for([&] { return (window = FindWindowA(nullptr, caption)) != nullptr && IsWindowVisible(window); },
                 20000);
        if (window == nullptr) {
            std::fprintf(stderr, "gui_driver: no window captioned %s\n", show(caption).c_str());
            return 1;
        }
        if (!closing) {
            // Its first painting done.
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
            Sleep(500);
            return 0;
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
        return wait_for([&] { return !IsWindow(window); }, 10000) ? 0 : 1;
    }
    if (std::strcmp(argv[1], "idle") == 0) {
        Sleep(60000); // ended by the test that started it
        return 0;
    }
    current_group = argv[1];
    program_path = windows_path(argv[2]);
    const struct {
        const char* name;
        void (*run)(int, char**);
    } groups[] = {
        {"placement", test_placement}, {"window", test_window}, {"keys", test_keys},
        {"ending", test_ending},       {"copies", test_copies}, {"folder", test_folder},
    };
    // These groups look at the window as it comes up with no dial-up
    // script: one left by another test would fill the boxes. The driver
    // has the program's bitness, so it sees the same System32.
    DeleteFileA("C:\\Windows\\system32\\adsl.bat");
    for (const auto& group : groups) {
        if (std::strcmp(group.name, argv[1]) == 0) {
            group.run(argc - 3, argv + 3);
            return summary();
        }
    }
    std::fprintf(stderr, "gui_driver: no group %s\n", argv[1]);
    return 2;
}
