// The program's entry: process set-up, the start routine (initialise the
// run time, load the startup window, run the event loop) and the teardown.
#include "app/event_dispatch.h"
#include "runtime/fatal.h"
#include "runtime/heap.h"
#include "runtime/run_time.h"
#include "ui/configurator_window.h"

#include <windows.h>
#include <ole2.h>

#include <cstddef>

namespace adsl {
namespace {

constexpr char descriptions_unreadable[] =
    "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!"; // 载入窗口模板数据段出错!
constexpr char startup_window_failed[] =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC"; // 载入启动窗口失败

// The program's folder becomes the working directory: the program file's
// path cut at its last backslash. The scan steps over two-byte characters,
// whose trail byte may be 0x5C, so only a real backslash cuts.
void enter_program_folder() noexcept
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::size_t last_backslash = length;
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(path[i]) >= 0x80) {
            ++i; // the trail byte of a two-byte character
        } else if (path[i] == '\\') {
            last_backslash = i;
        }
    }
    if (last_backslash == length) {
        return;
    }
    path[last_backslash] = '\0';
    SetCurrentDirectoryA(path); // not examined: start-up goes on regardless
}

void initialise_run_time()
{
    OleInitialize(nullptr); // not examined
    run_time_state().ole_initialised = true;
    enter_program_folder();
    if (!read_window_descriptions()) {
        report_fatal_error(descriptions_unreadable, 0);
    }
    run_time_state().release_window_descriptions = release_window_descriptions;
}

// The program-wide initialisation and the end-of-run routine have nothing
// to do in this program.
void initialise_program() {}
void end_of_run() {}

// Dispatches what is already waiting, but leaves a quit message queued.
void process_waiting_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void load_startup_window(WindowId id)
{
    const WindowDescription* description = find_window_description(id);
    if (description == nullptr) {
        report_fatal_error(startup_window_failed, 0);
    }
    process_waiting_messages();
    // The construction's own focus, size and move events reach no handler.
    suppress_events();
    HWND window = create_configurator_window(*description, raise_event);
    if (window == nullptr) {
        report_fatal_error(startup_window_failed, 0);
    }
    process_waiting_messages();
    allow_events();

    raise_event(id, id, event::created);
    if (IsWindow(window)) {
        raise_event(id, id, event::position_changed);
    }
    if (IsWindow(window)) {
        raise_event(id, id, event::size_changed);
    }
    if (IsWindow(window) && description->window().visible) {
        show_configurator_window(window);
        if (const ElementRecord* focused = element_of(id, GetFocus())) {
            raise_event(id, focused->id, event::got_focus);
        }
    }
}

// Key messages on their way to the window or one of its controls: the
// window's own keys first, then the key events of the focused element.
bool offer_input(const MSG& message)
{
    if (handle_window_keys(message)) {
        return true;
    }
    int event_number = 0;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        event_number = event::key_down;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        event_number = event::key_up;
        break;
    case WM_CHAR:
        event_number = event::character;
        break;
    default:
        return false;
    }
    if (const ElementRecord* element = element_of(configurator_window_id, message.hwnd)) {
        raise_event(configurator_window_id, element->id, event_number);
    }
    return false; // none is bound: the message goes on as usual
}

void run_event_loop()
{
    run_time_state().loop_started = true;
    if (!any_window_exists()) {
        return;
    }
    MSG message;
    for (;;) {
        while (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (any_window_exists()) {
                raise_event(configurator_window_id, configurator_window_id, event::idle);
            }
            WaitMessage();
        }
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            return; // WM_QUIT
        }
        if (!offer_input(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

int start_routine()
{
    initialise_run_time();
    initialise_program();
    register_end_routine(end_of_run);
    load_startup_window(configurator_window_id);
    run_event_loop();
    return 0;
}

} // namespace
} // namespace adsl

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // First of all: an exhausted heap must end the program through the
    // fatal error dialog, whatever runs next.
    adsl::set_out_of_memory_routine(adsl::fatal_out_of_memory);
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const int exit_code = adsl::start_routine();
    adsl::teardown();
    return exit_code;
}
