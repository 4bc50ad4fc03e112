#include "app/event_dispatch.h"

#include "config/actions.h"
#include "runtime/fatal.h"
#include "runtime/run_time.h"
#include "ui/configurator_window.h"

#include <array>
#include <cstddef>

namespace adsl {
namespace {

using EventHandler = void (*)();

constexpr char event_window_not_found[] =
    "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA"; // 未找到引发事件的窗口
constexpr char event_element_not_found[] =
    "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE"; // 未找到引发事件的窗口组件

struct ResolvedBinding {
    const ElementRecord* element;
    int event_number;
    EventHandler handler; // nullptr: bound to no handler
};

struct ReadDescriptions {
    bool read = false;
    std::size_t binding_count = 0;
    std::array<ResolvedBinding, 16> bindings{};
};

ReadDescriptions descriptions;

EventHandler resolve(HandlerName name) noexcept
{
    switch (name) {
    case HandlerName::load_action:
        return load_action;
    case HandlerName::save_action:
        return save_action;
    case HandlerName::reset_action:
        return reset_action;
    case HandlerName::cancel_action:
        return cancel_action;
    case HandlerName::none:
        break;
    }
    return nullptr;
}

// A window record first, with the description's id; controls after it,
// each id once.
bool well_formed(const WindowDescription& description) noexcept
{
    if (description.records.empty() || description.window().kind != ElementKind::window ||
        description.window().id != description.window_id) {
        return false;
    }
    for (const ElementRecord& control : description.controls()) {
        if (control.kind == ElementKind::window || find_element(description, control.id) != &control) {
            return false;
        }
    }
    return true;
}

} // namespace

bool read_window_descriptions() noexcept
{
    descriptions = ReadDescriptions();
    for (const WindowDescription& description : built_in_window_descriptions()) {
        if (!well_formed(description)) {
            return false;
        }
        for (const ElementRecord& element : description.records) {
            for (const EventBinding& binding : element.bindings) {
                if (descriptions.binding_count == descriptions.bindings.size()) {
                    return false;
                }
                descriptions.bindings[descriptions.binding_count++] = {&element, binding.event_number,
                                                                       resolve(binding.handler)};
            }
        }
    }
    descriptions.read = true;
    return true;
}

void release_window_descriptions() noexcept
{
    forget_loaded_windows();
    descriptions = ReadDescriptions();
}

const WindowDescription* find_window_description(WindowId window) noexcept
{
    if (!descriptions.read) {
        return nullptr;
    }
    for (const WindowDescription& description : built_in_window_descriptions()) {
        if (description.window_id == window) {
            return &description;
        }
    }
    return nullptr;
}

bool raise_event(WindowId window, std::uint32_t element_id, int event_number)
{
    if (events_suppressed()) {
        return false;
    }
    const WindowDescription* description = find_window_description(window);
    if (description == nullptr) {
        report_fatal_error(event_window_not_found, 0);
    }
    const ElementRecord* element = find_element(*description, element_id);
    if (element == nullptr) {
        report_fatal_error(event_element_not_found, 0);
    }
    // Every kind of element of this program raises events, so no element
    // can be of a kind that is refused here.
    for (std::size_t i = 0; i < descriptions.binding_count; ++i) {
        const ResolvedBinding& binding = descriptions.bindings[i];
        if (binding.element == element && binding.event_number == event_number) {
            if (binding.handler == nullptr) {
                return false;
            }
            binding.handler();
            return true;
        }
    }
    return false;
}

} // namespace adsl
