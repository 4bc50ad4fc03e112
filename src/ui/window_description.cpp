#include "ui/window_description.h"

#include <array>

namespace adsl {
namespace {

constexpr std::array<EventBinding, 1> window_bindings{{{event::created, HandlerName::load_action}}};
constexpr std::array<EventBinding, 1> save_bindings{{{event::clicked, HandlerName::save_action}}};
constexpr std::array<EventBinding, 1> reset_bindings{{{event::clicked, HandlerName::reset_action}}};
constexpr std::array<EventBinding, 1> cancel_bindings{{{event::clicked, HandlerName::cancel_action}}};
constexpr std::span<const EventBinding> unbound{};

constexpr auto window = ElementKind::window;
constexpr auto edit_box = ElementKind::edit_box;
constexpr auto label = ElementKind::label;
constexpr auto push_button = ElementKind::push_button;
constexpr auto plain = InputMode::plain;
constexpr auto password = InputMode::password;

// The texts are GBK bytes; each comment gives the text itself.
constexpr std::array<ElementRecord, 10> configurator_records{{
    // name, kind, id, left, top, width, height, text,
    // visible, enabled, tab stop, tab order, input mode, bindings, keys
    {"configurator", window, configurator_window_id, 50, 50, 280, 208,
     "Tamsel\xBF\xED\xB4\xF8\xC1\xAC\xBD\xD3\xD7\xD4\xC6\xF4\xB6\xAF\xC5\xE4\xD6\xC3\xC6\xF7", // Tamsel宽带连接自启动配置器
     true, true, false, 0, plain, window_bindings,
     KeySettings{.enter_moves_focus = false, .esc_closes = false, .f1_help = false}},
    {"\xB1\xE0\xBC\xAD\xBF\xF2" "1", edit_box, connection_name_box_id, 72, 8, 192, 24, "", // 编辑框1
     true, true, true, 0, plain, unbound},
    {"\xB1\xEA\xC7\xA9" "1", label, 0x16010005, 8, 8, 56, 24, // 标签1
     "\xC1\xAC\xBD\xD3\xC3\xFB\xB3\xC6", // 连接名称
     true, true, false, 0, plain, unbound},
    {"\xB1\xE0\xBC\xAD\xBF\xF2" "2", edit_box, user_name_box_id, 72, 48, 192, 24, "", // 编辑框2
     true, true, true, 0, plain, unbound},
    {"\xB1\xE0\xBC\xAD\xBF\xF2" "3", edit_box, password_box_id, 72, 88, 192, 24, "", // 编辑框3
     true, true, true, 0, password, unbound},
    {"\xB1\xEA\xC7\xA9" "2", label, 0x16010008, 8, 48, 56, 24, // 标签2
     "\xD3\xC3 \xBB\xA7 \xC3\xFB", // 用 户 名 (one blank between characters)
     true, true, false, 0, plain, unbound},
    {"\xB1\xEA\xC7\xA9" "3", label, 0x16010009, 8, 88, 56, 24, // 标签3
     "\xC3\xDC    \xC2\xEB", // 密    码 (four blanks)
     true, true, false, 0, plain, unbound},
    {"\xB0\xB4\xC5\xA5" "1", push_button, save_button_id, 8, 136, 64, 32, // 按钮1
     "\xC8\xB7\xB6\xA8", // 确定
     true, true, true, 0, plain, save_bindings},
    {"\xB0\xB4\xC5\xA5" "2", push_button, reset_button_id, 104, 136, 64, 32, // 按钮2
     "\xD6\xD8\xD6\xC3", // 重置
     true, true, true, 0, plain, reset_bindings},
    {"\xB0\xB4\xC5\xA5" "3", push_button, cancel_button_id, 200, 136, 64, 32, // 按钮3
     "\xC8\xA1\xCF\xFB", // 取消
     true, true, true, 0, plain, cancel_bindings},
}};

constexpr std::array<WindowDescription, 1> descriptions{{{configurator_window_id, configurator_records}}};

} // namespace

std::span<const WindowDescription> built_in_window_descriptions() noexcept
{
    return descriptions;
}

const ElementRecord* find_element(const WindowDescription& description, std::uint32_t id) noexcept
{
    for (const ElementRecord& record : description.records) {
        if (record.id == id) {
            return &record;
        }
    }
    return nullptr;
}

int child_window_identifier(const WindowDescription& description, const ElementRecord& control) noexcept
{
    const auto index = &control - description.controls().data();
    return 100 + 10 * static_cast<int>(index);
}

} // namespace adsl
