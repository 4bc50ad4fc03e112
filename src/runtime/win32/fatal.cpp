// The fatal error dialog, and the end of the program behind it.
#include "runtime/fatal.h"

#include "runtime/run_time.h"

#include <windows.h>

namespace adsl {
namespace {

constexpr char dialog_title[] = "\xB4\xED\xCE\xF3"; // 错误

} // namespace

void report_fatal_error(std::string_view message, int code) noexcept
{
    suppress_events();
    // Built on the stack when it fits: an exhausted heap may be why we are
    // here. A longer message is cut rather than lost altogether.
    char text[1024];
    format_fatal_error_text(text, sizeof text, message, code);
    MessageBoxA(nullptr, text, dialog_title, MB_OK | MB_ICONHAND);
    forget_end_routine();
    end_program(-1);
}

void raise_run_time_error(RunTimeError code) noexcept
{
    report_fatal_error(run_time_error_message(code), static_cast<int>(code));
}

void fatal_out_of_memory(std::size_t bytes) noexcept
{
    char message[100];
    format_out_of_memory_message(message, sizeof message, bytes);
    report_fatal_error(message, 0);
}

} // namespace adsl
