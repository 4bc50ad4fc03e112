#include "runtime/win32/system_failure_win32.h"

namespace adsl {

void record_failure(SystemFailure* failure, std::string_view subject, DWORD code)
{
    if (failure == nullptr) {
        return;
    }
    failure->subject = to_text(subject);
    failure->code = code;

    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string_view reason;
    if (length != 0 && buffer != nullptr) {
        reason = std::string_view(buffer, length);
        // The system's wording ends with a line end (and sometimes a blank).
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
            reason.remove_suffix(1);
        }
    }
    failure->reason = to_text(reason);
    if (buffer != nullptr) {
        LocalFree(buffer);
    }
    if (failure->reason.absent()) {
        // No wording from the system: show the code itself.
        char number[32];
        wsprintfA(number, "0x%08lX", static_cast<unsigned long>(code));
        failure->reason = to_text(number);
    }
}

} // namespace adsl
