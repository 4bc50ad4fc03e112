// The description of the configurator window: one record for the window
// and one for each of its nine controls, in creation order. The window is
// built by walking this table; event dispatch finds its bindings here.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace adsl {

using WindowId = std::uint32_t;
using ControlId = std::uint32_t;

enum class ElementKind { window, edit_box, label, push_button };

enum class InputMode { plain, password };

// The routines that events can be bound to, named here and resolved into
// routines once at start-up, so that this table knows no action code.
enum class HandlerName { none, load_action, save_action, reset_action, cancel_action };

// Event numbers. Controls and the window number their events separately,
// so a button's clicked and an edit box's content changed are both 0.
namespace event {
inline constexpr int created = 0;         // the window, once built
inline constexpr int clicked = 0;         // a push button
inline constexpr int content_changed = 0; // an edit box
inline constexpr int may_close = 1;
inline constexpr int will_be_destroyed = 2;
inline constexpr int position_changed = 3;
inline constexpr int size_changed = 4;
inline constexpr int activated = 5;
inline constexpr int deactivated = 6;
inline constexpr int idle = 7;
inline constexpr int first_activated = 8;
inline constexpr int got_focus = -7;
inline constexpr int lost_focus = -8;
inline constexpr int key_down = -9;
inline constexpr int key_up = -10;
inline constexpr int character = -11;
} // namespace event

struct EventBinding {
    int event_number;
    HandlerName handler;
};

// The window's keyboard settings; a control record leaves them off.
struct KeySettings {
    bool enter_moves_focus = false; // Enter acts like Tab
    bool esc_closes = false;        // Esc sends WM_CLOSE
    bool f1_help = false;           // F1 opens help
};

struct ElementRecord {
    std::string_view name;  // the form name, for readers of the table
    ElementKind kind;
    std::uint32_t id;       // the window id for the window record, else the control id
    int left, top;          // the window: its stored position (unused, it is centred)
    int width, height;      // the window: its outer size
    std::string_view text;  // GBK, a zero-ended literal: the caption or the text at creation
    bool visible;
    bool enabled;
    bool tab_stop;
    int tab_order;
    InputMode input_mode;
    std::span<const EventBinding> bindings;
    KeySettings keys = {};
};

// A window record and its control records; records.front() is the window.
struct WindowDescription {
    WindowId window_id;
    std::span<const ElementRecord> records;

    const ElementRecord& window() const noexcept { return records.front(); }
    std::span<const ElementRecord> controls() const noexcept { return records.subspan(1); }
};

inline constexpr WindowId configurator_window_id = 0x52010001;
inline constexpr ControlId connection_name_box_id = 0x16010004; // 编辑框1
inline constexpr ControlId user_name_box_id = 0x16010006;       // 编辑框2
inline constexpr ControlId password_box_id = 0x16010007;        // 编辑框3
inline constexpr ControlId save_button_id = 0x1601000A;         // 按钮1
inline constexpr ControlId reset_button_id = 0x1601000B;        // 按钮2
inline constexpr ControlId cancel_button_id = 0x1601000C;       // 按钮3

// Every window description built into the program (there is one).
std::span<const WindowDescription> built_in_window_descriptions() noexcept;

// The record with this control id (the window's own id names the window
// record), or nullptr.
const ElementRecord* find_element(const WindowDescription& description, std::uint32_t id) noexcept;

// Windows' child-window identifier of a control: 100 for the first control
// record, 10 more for each next one.
int child_window_identifier(const WindowDescription& description, const ElementRecord& control) noexcept;

} // namespace adsl
