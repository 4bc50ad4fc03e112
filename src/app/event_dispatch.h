// The program's window descriptions as read at start-up, their event
// bindings resolved into routines, and the raising of events.
#pragma once

#include "ui/window_description.h"

#include <cstdint>

namespace adsl {

// Reads the descriptions built into the program and resolves the handler
// of every binding; false when a description is not well formed.
bool read_window_descriptions() noexcept;

// Forgets the descriptions, their bindings and their loaded windows.
void release_window_descriptions() noexcept;

// The read description with this window id, or nullptr.
const WindowDescription* find_window_description(WindowId window) noexcept;

// Hands an event to its bound handler. Answers whether a handler ran: no
// handler runs while events are suppressed or when the event is unbound.
// An event of a window or element that is not loaded ends the program.
bool raise_event(WindowId window, std::uint32_t element, int event_number);

} // namespace adsl
