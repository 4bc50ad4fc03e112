// The actions run in this process on the real window, and every heap block
// that an action takes is given back before it returns: the heap's block
// count is the same before and after each action that returns. The boxes
// that an action shows are answered by a second thread, which also counts
// them, so that each case shows the path it took.
#include "check.h"
#include "script_file.h"

#include "config/actions.h"
#include "runtime/heap.h"
#include "ui/configurator_window.h"
#include "ui/control_text.h"

#include <atomic>
#include <string>

using namespace adsl;
using namespace adsl::test;

namespace {

std::atomic<int> boxes_answered{0};
std::atomic<bool> answering{true};

BOOL CALLBACK answer_box(HWND window, LPARAM)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner == GetCurrentProcessId() && IsWindowVisible(window) && std::string(name) == "#32770") {
        HWND ok_button = GetDlgItem(window, IDOK);
        if (ok_button != nullptr && GetPropA(window, "answered") == nullptr) {
            SetPropA(window, "answered", reinterpret_cast<HANDLE>(1));
            ++boxes_answered;
            PostMessageA(ok_button, BM_CLICK, 0, 0);
        }
    }
    return TRUE;
}

DWORD WINAPI answer_boxes(void*)
{
    while (answering) {
        EnumWindows(answer_box, 0);
        Sleep(30);
    }
    return 0;
}

bool no_events(WindowId, std::uint32_t, int) { return false; }

struct Case {
    const char* name;
    int script_kind; // 0: none, 1: these bytes, 2: a directory
    std::string bytes;
    void (*action)();
    const char* boxes[3]; // what to type first (for the save)
    int expected_boxes;
};

void fill(const char* const (&values)[3])
{
    const ControlId ids[3] = {connection_name_box_id, user_name_box_id, password_box_id};
    for (int i = 0; i < 3; ++i) {
        write_control_text(configurator_window_id, ids[i], values[i] != nullptr ? values[i] : "");
    }
}

} // namespace

int main()
{
    current_group = "action_blocks";
    const WindowDescription& description = built_in_window_descriptions().front();
    HWND window = create_configurator_window(description, no_events);
    ok(window != nullptr, "expected the window built, got %p\n", static_cast<void*>(window));
    if (window == nullptr) {
        return summary();
    }
    HANDLE answerer = CreateThread(nullptr, 0, answer_boxes, nullptr, 0, nullptr);

    const Case cases[] = {
        {"load, no script", 0, "", load_action, {}, 0},
        {"load, a script", 1, "@echo off\r\nRasdial \"N\" user pass\r\n", load_action, {}, 0},
        {"load, an unreadable script", 1, "@echo off\r\n", load_action, {}, 1},
        {"load, a directory", 2, "", load_action, {}, 1},
        {"reset", 1, "", reset_action, {}, 0},
        {"save refused", 0, "", save_action, {"N", "a b", "p"}, 1},
        {"save failing to replace", 2, "", save_action, {"N", "u", "p"}, 2},
    };
    for (const Case& c : cases) {
        current_group = c.name;
        if (c.script_kind == 0) {
            remove_script();
        } else if (c.script_kind == 1) {
            put_script(c.bytes);
        } else {
            remove_script();
            CreateDirectoryA(script, nullptr);
        }
        fill(c.boxes);
        const int boxes_before = boxes_answered;
        const long blocks_before = heap_block_count();
        c.action();
        const long blocks_after = heap_block_count();
        ok(blocks_after == blocks_before, "expected %ld heap blocks after the action, got %ld\n", blocks_before,
           blocks_after);
        const int shown = boxes_answered - boxes_before;
        ok(shown == c.expected_boxes, "expected %d boxes shown, got %d\n", c.expected_boxes, shown);
    }
    remove_script();
    answering = false;
    WaitForSingleObject(answerer, 2000);
    CloseHandle(answerer);
    current_group = "action_blocks";
    return summary();
}
