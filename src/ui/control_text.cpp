#include "ui/control_text.h"

#include "runtime/fatal.h"
#include "ui/configurator_window.h"

#include <windows.h>

#include <utility>

namespace adsl {
namespace {

constexpr char window_not_loaded[] =
    "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9\xD4\xDA\xB5\xC4"
    "\xB4\xB0\xBF\xDA"; // 未载入欲访问窗口组件所在的窗口
constexpr char window_not_yet_loaded[] =
    "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB"; // 指定窗口尚未载入

// The control's window; a control that cannot be reached ends the program.
HWND find_control(WindowId window, ControlId control)
{
    bool known = false;
    HWND handle = loaded_window(window, &known);
    if (!known) {
        report_fatal_error(window_not_loaded, 0);
    }
    if (handle == nullptr || !IsWindow(handle)) {
        report_fatal_error(window_not_yet_loaded, 0);
    }
    const WindowDescription* description = nullptr;
    for (const WindowDescription& candidate : built_in_window_descriptions()) {
        if (candidate.window_id == window) {
            description = &candidate;
        }
    }
    const ElementRecord* record = description != nullptr ? find_element(*description, control) : nullptr;
    HWND child = record != nullptr && record->kind != ElementKind::window
                     ? GetDlgItem(handle, child_window_identifier(*description, *record))
                     : nullptr;
    if (child == nullptr) {
        report_fatal_error(window_not_yet_loaded, 0);
    }
    return child;
}

} // namespace

Text read_control_text(WindowId window, ControlId control)
{
    HWND box = find_control(window, control);
    const int length = GetWindowTextLengthA(box);
    if (length <= 0) {
        return Text();
    }
    HeapBlock block(heap_take(static_cast<std::size_t>(length) + 1));
    // The length may be an upper bound for two-byte texts; the copy tells.
    const int copied = GetWindowTextA(box, static_cast<char*>(block.get()), length + 1);
    if (copied <= 0) {
        return Text();
    }
    return Text::adopt(std::move(block), static_cast<std::size_t>(copied));
}

void write_control_text(WindowId window, ControlId control, std::string_view text)
{
    HWND box = find_control(window, control);
    // SetWindowTextA needs a zero-ended copy; the view need not be one.
    const Text copy = Text::copy_of(text);
    SetWindowTextA(box, copy.get());
}

void focus_control(WindowId window, ControlId control) { SetFocus(find_control(window, control)); }

} // namespace adsl
