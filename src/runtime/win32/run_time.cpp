// The run-time state and the one teardown through which every end of the
// program passes.
#include "runtime/run_time.h"

#include "runtime/files.h"

#include <windows.h>
#include <ole2.h>

namespace adsl {

RunTimeState& run_time_state() noexcept
{
    static RunTimeState state;
    return state;
}

void register_end_routine(EndOfRunRoutine routine) noexcept { run_time_state().end_of_run = routine; }

void forget_end_routine() noexcept { run_time_state().end_of_run = nullptr; }

void suppress_events() noexcept { ++run_time_state().event_suppression; }

void allow_events() noexcept
{
    RunTimeState& state = run_time_state();
    if (state.event_suppression > 0) {
        --state.event_suppression;
    }
}

bool events_suppressed() noexcept { return run_time_state().event_suppression > 0; }

void teardown() noexcept
{
    RunTimeState& state = run_time_state();
    if (state.ending) {
        return;
    }
    state.ending = true;
    ++state.event_suppression;
    if (state.release_window_descriptions != nullptr) {
        const ReleaseRoutine release = state.release_window_descriptions;
        state.release_window_descriptions = nullptr;
        release();
    }
    if (state.end_of_run != nullptr) {
        const EndOfRunRoutine routine = state.end_of_run;
        state.end_of_run = nullptr;
        routine();
    }
    close_all_files();
    if (state.ole_initialised) {
        state.ole_initialised = false;
        OleUninitialize();
    }
}

void end_program(int exit_code) noexcept
{
    teardown();
    ExitProcess(static_cast<UINT>(exit_code));
}

} // namespace adsl
