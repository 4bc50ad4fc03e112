// The configurator window: one window procedure, one small handler per
// message, in the manner of a scratch program.
#include "ui/configurator_window.h"

#include "runtime/run_time.h"
#include "ui/edit_box.h"
#include "ui/label.h"
#include "ui/win32_owners.h"

#include <array>
#include <cstring>

namespace adsl {
namespace {

constexpr char window_class_name[] = "AdslConfiguratorWindow";
constexpr COLORREF window_background = RGB(144, 0, 255);
constexpr COLORREF edit_text_colour = RGB(0, 0, 0);
constexpr COLORREF edit_background = RGB(255, 255, 255);
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD button_style =
    WS_CHILD | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;

// What the program keeps of one loaded window.
struct LoadedWindow {
    const WindowDescription* description = nullptr;
    EventRaiser raise = nullptr;
    HWND handle = nullptr;
    HWND focus_when_deactivated = nullptr;
    bool activated_before = false;
    Brush background;
    Brush edit_background_brush;
    Icon big_icon;
    Icon small_icon;
};

// The program loads each of its window descriptions at most once.
std::array<LoadedWindow, 4> loaded_windows;

LoadedWindow* find_loaded(WindowId window) noexcept
{
    for (LoadedWindow& loaded : loaded_windows) {
        if (loaded.description != nullptr && loaded.description->window_id == window) {
            return &loaded;
        }
    }
    return nullptr;
}

LoadedWindow* free_slot() noexcept
{
    for (LoadedWindow& loaded : loaded_windows) {
        if (loaded.description == nullptr) {
            return &loaded;
        }
    }
    return nullptr;
}

LoadedWindow* state_of(HWND window) noexcept
{
    return reinterpret_cast<LoadedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool raise(const LoadedWindow& loaded, std::uint32_t element, int event_number)
{
    return loaded.raise != nullptr && loaded.raise(loaded.description->window_id, element, event_number);
}

HFONT default_gui_font() noexcept { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void set_default_font(HWND window) noexcept
{
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(default_gui_font()), TRUE);
}

// ---- Icons -----------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colour_count;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD icon_id;
};
#pragma pack(pop)

constexpr char group_icon_name[] = "DEFAULT_ICON";

// The first entry `width` pixels wide with a colour count of at least 16,
// else the directory's last entry.
const GroupIconEntry* choose_icon_entry(const GroupIconEntry* entries, WORD count, BYTE width) noexcept
{
    for (WORD i = 0; i < count; ++i) {
        if (entries[i].width == width && entries[i].colour_count >= 16) {
            return &entries[i];
        }
    }
    return &entries[count - 1];
}

Icon make_icon(HINSTANCE instance, const GroupIconEntry& entry) noexcept
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(entry.icon_id), MAKEINTRESOURCEA(3) /* RT_ICON */);
    if (found == nullptr) {
        return Icon();
    }
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    auto* bits = static_cast<BYTE*>(LockResource(loaded));
    if (bits == nullptr || size < sizeof(BITMAPINFOHEADER)) {
        return Icon();
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, bits, sizeof header);
    // The bitmap's height counts the colour image and the mask.
    return Icon(CreateIconFromResourceEx(bits, size, TRUE, 0x30000, header.biWidth, header.biHeight / 2,
                                         LR_DEFAULTCOLOR));
}

// Large and small icon by the icon rule; a program built without its
// resources simply has none.
void set_icons(LoadedWindow& loaded, HINSTANCE instance) noexcept
{
    HRSRC found = FindResourceA(instance, group_icon_name, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    if (found == nullptr) {
        return;
    }
    const DWORD size = SizeofResource(instance, found);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    if (bytes == nullptr || size < sizeof(GroupIconHeader)) {
        return;
    }
    GroupIconHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.count == 0 || size < sizeof header + header.count * sizeof(GroupIconEntry)) {
        return;
    }
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(bytes + sizeof header);
    loaded.big_icon = make_icon(instance, *choose_icon_entry(entries, header.count, 32));
    loaded.small_icon = make_icon(instance, *choose_icon_entry(entries, header.count, 16));
    SendMessageA(loaded.handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(loaded.big_icon.get()));
    SendMessageA(loaded.handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(loaded.small_icon.get()));
}

// ---- Focus and Tab order ------------------------------------------------

HWND control_window(const LoadedWindow& loaded, const ElementRecord& control) noexcept
{
    return GetDlgItem(loaded.handle, child_window_identifier(*loaded.description, control));
}

bool takes_tab(const LoadedWindow& loaded, const ElementRecord& control) noexcept
{
    if (!control.tab_stop) {
        return false;
    }
    HWND child = control_window(loaded, control);
    return child != nullptr && IsWindowVisible(child) && IsWindowEnabled(child);
}

// The tab-order position of a control: by tab-order value, then by
// creation order.
bool before_in_tab_order(const LoadedWindow& loaded, const ElementRecord& a, const ElementRecord& b) noexcept
{
    if (a.tab_order != b.tab_order) {
        return a.tab_order < b.tab_order;
    }
    return child_window_identifier(*loaded.description, a) < child_window_identifier(*loaded.description, b);
}

// The next (or previous) tab stop after `from`, wrapping; the first (or
// last) when `from` is no tab stop.
const ElementRecord* neighbour_in_tab_order(const LoadedWindow& loaded, const ElementRecord* from,
                                            bool forward) noexcept
{
    const ElementRecord* nearest = nullptr; // the nearest one past `from`
    const ElementRecord* end = nullptr;     // the wrap-around target
    for (const ElementRecord& candidate : loaded.description->controls()) {
        if (!takes_tab(loaded, candidate) || &candidate == from) {
            continue;
        }
        const bool past = from == nullptr || (forward ? before_in_tab_order(loaded, *from, candidate)
                                                      : before_in_tab_order(loaded, candidate, *from));
        auto closer = [&](const ElementRecord* best) {
            return best == nullptr || (forward ? before_in_tab_order(loaded, candidate, *best)
                                               : before_in_tab_order(loaded, *best, candidate));
        };
        if (past && closer(nearest)) {
            nearest = &candidate;
        }
        if (closer(end)) {
            end = &candidate;
        }
    }
    return nearest != nullptr ? nearest : end;
}

const ElementRecord* control_of(const LoadedWindow& loaded, HWND child) noexcept
{
    if (child == nullptr || GetParent(child) != loaded.handle) {
        return nullptr;
    }
    const int identifier = GetDlgCtrlID(child);
    for (const ElementRecord& control : loaded.description->controls()) {
        if (child_window_identifier(*loaded.description, control) == identifier) {
            return &control;
        }
    }
    return nullptr;
}

void move_focus(const LoadedWindow& loaded, bool forward) noexcept
{
    const ElementRecord* next = neighbour_in_tab_order(loaded, control_of(loaded, GetFocus()), forward);
    if (next != nullptr) {
        SetFocus(control_window(loaded, *next));
    }
}

// ---- Message handlers ---------------------------------------------------

void on_paint(const LoadedWindow& loaded)
{
    PaintSession paint(loaded.handle);
    RECT clip;
    if (GetClipBox(paint.get(), &clip) != NULLREGION) {
        FillRect(paint.get(), &clip, loaded.background.get());
    }
}

LRESULT on_ctlcoloredit(const LoadedWindow& loaded, HDC dc)
{
    SetTextColor(dc, edit_text_colour);
    SetBkColor(dc, edit_background);
    return reinterpret_cast<LRESULT>(loaded.edit_background_brush.get());
}

void on_command(const LoadedWindow& loaded, WORD notification, HWND child)
{
    const ElementRecord* control = control_of(loaded, child);
    if (control == nullptr) {
        return;
    }
    if (control->kind == ElementKind::push_button && notification == BN_CLICKED) {
        raise(loaded, control->id, event::clicked);
    } else if (control->kind == ElementKind::edit_box) {
        switch (notification) {
        case EN_CHANGE:
            raise(loaded, control->id, event::content_changed);
            break;
        case EN_SETFOCUS:
            raise(loaded, control->id, event::got_focus);
            break;
        case EN_KILLFOCUS:
            raise(loaded, control->id, event::lost_focus);
            break;
        default:
            break;
        }
    }
}

void on_activate(LoadedWindow& loaded, WORD state)
{
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(loaded.handle, focus)) {
            loaded.focus_when_deactivated = focus;
        }
        raise(loaded, loaded.description->window_id, event::deactivated);
        return;
    }
    if (!loaded.activated_before) {
        loaded.activated_before = true;
        raise(loaded, loaded.description->window_id, event::first_activated);
    }
    raise(loaded, loaded.description->window_id, event::activated);
}

// The window itself got the focus (as on activation): pass it on to the
// control that had it, else to the first control in tab order.
void on_set_focus(LoadedWindow& loaded)
{
    raise(loaded, loaded.description->window_id, event::got_focus);
    HWND remembered = loaded.focus_when_deactivated;
    if (remembered != nullptr && IsWindow(remembered) && IsChild(loaded.handle, remembered)) {
        SetFocus(remembered);
        return;
    }
    if (const ElementRecord* first = neighbour_in_tab_order(loaded, nullptr, true)) {
        SetFocus(control_window(loaded, *first));
    }
}

void on_nc_destroy(LoadedWindow& loaded)
{
    loaded.handle = nullptr;
    if (!any_window_exists() && run_time_state().loop_started) {
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTA*>(lparam);
        auto* loaded = static_cast<LoadedWindow*>(created->lpCreateParams);
        loaded->handle = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(loaded));
    }
    LoadedWindow* loaded = state_of(window);
    if (loaded == nullptr || loaded->handle != window) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    const WindowId id = loaded->description->window_id;
    switch (message) {
    case WM_PAINT:
        on_paint(*loaded);
        return 0;
    case WM_CTLCOLOREDIT:
        return on_ctlcoloredit(*loaded, reinterpret_cast<HDC>(wparam));
    case WM_COMMAND:
        on_command(*loaded, HIWORD(wparam), reinterpret_cast<HWND>(lparam));
        return 0;
    case WM_ACTIVATE:
        on_activate(*loaded, LOWORD(wparam));
        break; // the default handling then gives the window the focus
    case WM_SETFOCUS:
        on_set_focus(*loaded);
        return 0;
    case WM_KILLFOCUS:
        raise(*loaded, id, event::lost_focus);
        return 0;
    case WM_MOVE:
        raise(*loaded, id, event::position_changed);
        return 0;
    case WM_SIZE:
        raise(*loaded, id, event::size_changed);
        return 0;
    case WM_CLOSE:
        // A may-close handler could keep the window open; none is bound.
        raise(*loaded, id, event::may_close);
        break;
    case WM_QUERYENDSESSION:
        raise(*loaded, id, event::may_close);
        return TRUE;
    case WM_DESTROY:
        raise(*loaded, id, event::will_be_destroyed);
        return 0;
    case WM_NCDESTROY:
        on_nc_destroy(*loaded);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_window_class(HINSTANCE instance) noexcept
{
    WNDCLASSEXA window_class{};
    if (GetClassInfoExA(instance, window_class_name, &window_class)) {
        return true;
    }
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    // The window paints its own background on WM_PAINT.
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    window_class.lpszClassName = window_class_name;
    return RegisterClassExA(&window_class) != 0;
}

// Creates the window of a control record; nullptr on failure.
HWND create_control(LoadedWindow& loaded, const ElementRecord& control, HINSTANCE instance)
{
    const int identifier = child_window_identifier(*loaded.description, control);
    const DWORD tab_stop = control.tab_stop ? WS_TABSTOP : 0;
    switch (control.kind) {
    case ElementKind::edit_box:
        return create_edit_box(loaded.handle, identifier, control, tab_stop, instance);
    case ElementKind::label:
        return create_label(loaded.handle, identifier, control, instance);
    case ElementKind::push_button: {
        HWND button = CreateWindowExA(0, "BUTTON", control.text.data(), button_style | tab_stop,
                                      control.left, control.top, control.width, control.height, loaded.handle,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), instance, nullptr);
        if (button != nullptr) {
            set_default_font(button);
        }
        return button;
    }
    case ElementKind::window:
        break;
    }
    return nullptr;
}

} // namespace

HWND create_configurator_window(const WindowDescription& description, EventRaiser raise_event)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadedWindow* loaded = free_slot();
    if (loaded == nullptr || find_loaded(description.window_id) != nullptr || !register_window_class(instance)) {
        return nullptr;
    }
    loaded->description = &description;
    loaded->raise = raise_event;
    loaded->background = Brush(CreateSolidBrush(window_background));
    loaded->edit_background_brush = Brush(CreateSolidBrush(edit_background));

    const ElementRecord& record = description.window();
    // Centred on the primary screen; the stored position plays no part.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - record.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - record.height) / 2;
    HWND window = CreateWindowExA(0, window_class_name, record.text.data(), window_style, left, top,
                                  record.width, record.height, nullptr, nullptr, instance, loaded);
    if (window == nullptr) {
        *loaded = LoadedWindow();
        return nullptr;
    }
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != record.width || outer.bottom - outer.top != record.height) {
        SetWindowPos(window, nullptr, left, top, record.width, record.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    set_icons(*loaded, instance);
    set_default_font(window);

    for (const ElementRecord& control : description.controls()) {
        if (create_control(*loaded, control, instance) == nullptr) {
            DestroyWindow(window);
            *loaded = LoadedWindow();
            return nullptr;
        }
    }
    for (const ElementRecord& control : description.controls()) {
        HWND child = control_window(*loaded, control);
        ShowWindow(child, control.visible ? SW_SHOWNA : SW_HIDE);
        EnableWindow(child, control.enabled);
    }
    return window;
}

void show_configurator_window(HWND window) { ShowWindow(window, SW_SHOW); }

bool handle_window_keys(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.hwnd == nullptr || !IsWindowEnabled(message.hwnd)) {
        return false;
    }
    for (LoadedWindow& loaded : loaded_windows) {
        if (loaded.handle == nullptr ||
            (message.hwnd != loaded.handle && !IsChild(loaded.handle, message.hwnd))) {
            continue;
        }
        const KeySettings& keys = loaded.description->window().keys;
        switch (message.wParam) {
        case VK_TAB:
            move_focus(loaded, GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_RETURN:
            // No control is a default push button, so Enter can only move
            // the focus, and only with its setting on.
            if (keys.enter_moves_focus) {
                move_focus(loaded, true);
                return true;
            }
            return false;
        case VK_ESCAPE:
            if (keys.esc_closes) {
                PostMessageA(loaded.handle, WM_CLOSE, 0, 0);
                return true;
            }
            return false;
        default:
            // F1 would open help; the program has none to open.
            return false;
        }
    }
    return false;
}

HWND loaded_window(WindowId window, bool* known) noexcept
{
    LoadedWindow* loaded = find_loaded(window);
    if (known != nullptr) {
        *known = loaded != nullptr;
    }
    return loaded != nullptr ? loaded->handle : nullptr;
}

const ElementRecord* element_of(WindowId window, HWND handle) noexcept
{
    LoadedWindow* loaded = find_loaded(window);
    if (loaded == nullptr || loaded->handle == nullptr || handle == nullptr) {
        return nullptr;
    }
    if (handle == loaded->handle) {
        return &loaded->description->window();
    }
    return control_of(*loaded, handle);
}

bool any_window_exists() noexcept
{
    for (const LoadedWindow& loaded : loaded_windows) {
        if (loaded.handle != nullptr) {
            return true;
        }
    }
    return false;
}

void forget_loaded_windows() noexcept
{
    for (LoadedWindow& loaded : loaded_windows) {
        // The window stays on the screen until the process ends; it must no
        // longer reach this state.
        if (loaded.handle != nullptr) {
            SetWindowLongPtrA(loaded.handle, GWLP_USERDATA, 0);
        }
        loaded.description = nullptr;
        loaded.raise = nullptr;
        loaded.handle = nullptr;
        loaded.focus_when_deactivated = nullptr;
    }
}

} // namespace adsl
