// The configurator window, built from its window description: the window
// with its labels, edit boxes and push buttons, their painting, focus and
// the Tab order.
#pragma once

#include "ui/window_description.h"

#include <windows.h>

#include <cstdint>

namespace adsl {

// Hands an event of the window (element id = the window id) or of one of
// its controls to the event dispatch; answers whether a handler ran.
using EventRaiser = bool (*)(WindowId window, std::uint32_t element, int event_number);

// Builds the window and its controls from `description`, hidden, the
// controls shown inside it; answers the window, or nullptr when the window
// or a control could not be created.
HWND create_configurator_window(const WindowDescription& description, EventRaiser raise);

// Shows and activates the window; the focus then goes to its first control
// in tab order.
void show_configurator_window(HWND window);

// The window's own keys, examined before the focused control sees them:
// answers true when `message` was Tab or Shift+Tab for a loaded window and
// the focus has moved.
bool handle_window_keys(const MSG& message);

// The loaded window of this id, or nullptr when it is not loaded.
// `known` tells whether the id is one of the loaded descriptions at all.
HWND loaded_window(WindowId window, bool* known = nullptr) noexcept;

// The element (window or control) that `handle` belongs to, or nullptr.
const ElementRecord* element_of(WindowId window, HWND handle) noexcept;

// Whether any window of the program still exists.
bool any_window_exists() noexcept;

// Forgets every loaded window; the windows themselves stay.
void forget_loaded_windows() noexcept;

} // namespace adsl
