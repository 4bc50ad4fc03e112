// The run-time state that start-up, event dispatch, the fatal errors and
// the program end share: one instance per process, used on the GUI thread.
#pragma once

namespace adsl {

using EndOfRunRoutine = void (*)();
using ReleaseRoutine = void (*)();

struct RunTimeState {
    // Events reach their handlers only while this is 0.
    int event_suppression = 0;
    // Set when the event loop is entered; a closed last window ends the
    // loop only then.
    bool loop_started = false;
    // Run once by the teardown unless a fatal error forgot it.
    EndOfRunRoutine end_of_run = nullptr;
    // OleInitialize has been called; cleared by the teardown.
    bool ole_initialised = false;
    // Releases the window descriptions; set by whoever loaded them.
    ReleaseRoutine release_window_descriptions = nullptr;
    // The teardown has begun (it runs at most once).
    bool ending = false;
};

RunTimeState& run_time_state() noexcept;

void register_end_routine(EndOfRunRoutine routine) noexcept;
void forget_end_routine() noexcept;

// Suppression counter, raised and lowered in pairs (never below 0).
void suppress_events() noexcept;
void allow_events() noexcept;
bool events_suppressed() noexcept;

// Steps of the program end: events suppressed for good, window
// descriptions released, end-of-run routine run once, every open file
// closed, OLE uninitialised. Runs at most once.
void teardown() noexcept;

// The teardown, then the process ends with `exit_code` (ExitProcess).
[[noreturn]] void end_program(int exit_code) noexcept;

} // namespace adsl
